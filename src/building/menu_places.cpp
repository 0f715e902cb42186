#include "building/menu_places.h"

#include <array>

#include "platform/file_system.h"

namespace frondel {
namespace {

constexpr std::array<MenuPlace, 13> kPlaces{{
    {"Exhibition", "temp/dataentery/EXDATA"},
    {"Champion League", "temp/dataentery/CLDATA"},
    {"Libertadores", "temp/dataentery/CSLDATA"},
    {"Become A Legend", "temp/dataentery/BALDATA"},
    {"Master League", "temp/dataentery/MLDATA"},
    {"Community", "temp/dataentery/COMDATA"},
    {"League & Cup", "temp/dataentery/LCDATA"},
    {"Online", "temp/dataentery/ONLINEDATA"},
    {"Training", "temp/dataentery/TRANDATA"},
    {"Edit", "temp/dataentery/EDITDATA"},
    {"Gallery", "temp/dataentery/GALDATA"},
    {"Extra-Content", "temp/dataentery/ECDATA"},
    {"System Setting", "temp/dataentery/SYSDATA"},
}};

}  // namespace

std::span<const MenuPlace> MenuPlaces() { return kPlaces; }

const MenuPlace* FindMenuPlace(std::string_view list_text) {
  for (const MenuPlace& place : kPlaces) {
    if (place.list_text == list_text) return &place;
  }
  return nullptr;
}

const MenuPlace* FindMenuPlaceByName(std::string_view name) {
  for (const MenuPlace& place : kPlaces) {
    if (EqualIgnoringAsciiCase(place.list_text, name) ||
        EqualIgnoringAsciiCase(TemplateName(place), name)) {
      return &place;
    }
  }
  return nullptr;
}

std::string_view TemplateName(const MenuPlace& place) {
  return place.template_file.substr(place.template_file.rfind('/') + 1);
}

}  // namespace frondel
