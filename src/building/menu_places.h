#pragma once

#include <span>
#include <string_view>

namespace frondel {

// A menu place of the game: its list text is both what the user sees and its key.
struct MenuPlace {
  std::string_view list_text;
  std::string_view template_file;  // relative to the working root
};

// The thirteen places, in the order of the list.
std::span<const MenuPlace> MenuPlaces();

// The first place whose list text equals `list_text` exactly (case and blanks count), or null.
const MenuPlace* FindMenuPlace(std::string_view list_text);

// The place whose list text ("Master League") or template file name ("MLDATA") equals `name`
// ignoring ASCII case, or null: how a place is named on a command line.
const MenuPlace* FindMenuPlaceByName(std::string_view name);

// The template's file name alone, e.g. "MLDATA".
std::string_view TemplateName(const MenuPlace& place);

}  // namespace frondel
