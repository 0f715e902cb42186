#include <memory>

#include "building/menu_places.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/json.h"

namespace frondel::cli {

Subcommands AddPlacesCommand(CLI::App& app) {
  CLI::App* places = app.add_subcommand(
      "places", "Prints the thirteen menu places in list order: list text and template file");
  auto json = std::make_shared<bool>(false);
  places->add_flag("--json", *json, "One JSON array of {list_text, template_file}");
  return {{places, [json] {
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
             return kDone;
           }}};
}

}  // namespace frondel::cli
