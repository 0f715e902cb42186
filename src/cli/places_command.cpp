#include <memory>

#include "building/menu_places.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/json.h"

namespace frondel::cli {

void AddPlacesCommand(CLI::App& app, int& status) {
  CLI::App* places = app.add_subcommand(
      "places", "Prints the thirteen menu places in list order: list text and template file");
  auto json = std::make_shared<bool>(false);
  places->add_flag("--json", *json, "One JSON array of {list_text, template_file}");
  places->callback([json, &status] {
    std::vector<JsonObject> objects;
    std::string text;
    for (const MenuPlace& place : MenuPlaces()) {
      objects.push_back(JsonObject()
                            .String("list_text", place.list_text)
                            .String("template_file", TemplateName(place)));
      text += std::string(place.list_text);
      text.append(18 - place.list_text.size(), ' ');
      text += std::string(TemplateName(place)) + "\n";
    }
    WriteOut(*json ? JsonArray(objects) : text);
    status = kDone;
  });
}

}  // namespace frondel::cli
