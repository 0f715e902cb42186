#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "session/view.h"
#include "support/scripted_dialogs.h"

namespace frondel::testing {

// The script a ScriptedView answers from, a base of its own so that it is made before the
// WindowView that is given it.
struct ScriptHolder {
  ScriptedDialogs script;
};

// A View that answers from a script and keeps what it was told to show.
class ScriptedView : public ScriptHolder, public WindowView {
 public:
  ScriptedView() : WindowView(script) {}

  void ShowPath(int text_box, const std::filesystem::path& path) override {
    paths[text_box] = path;
  }
  void ShowPlaces(std::span<const std::string_view> shown,
                  std::optional<std::size_t> selected) override {
    places.assign(shown.begin(), shown.end());
    selected_place = selected;
  }
  void ShowPicture(const PreviewPicture& shown) override {
    picture = shown;
    note.clear();
  }
  void ShowNote(std::string_view shown) override {
    picture.reset();
    note = shown;
  }
  PixelSize PreviewBoxSize() const override { return box; }
  void ShowChecked(UserCommand item, bool on) override { checked[item] = on; }

  // The boxes shown, as "title | style | text", so a failed comparison shows the words.
  std::vector<std::string> Seen() const {
    std::vector<std::string> seen;
    for (const auto& box : script.boxes) {
      seen.push_back(box.title + " | " + std::to_string(int(box.style)) + " | " + box.text);
    }
    return seen;
  }

  std::map<int, std::filesystem::path> paths;
  std::vector<std::string> places;
  std::optional<std::size_t> selected_place;
  std::optional<PreviewPicture> picture;
  std::string note;
  PixelSize box{249, 385};
  std::map<UserCommand, bool> checked;
};

}  // namespace frondel::testing
