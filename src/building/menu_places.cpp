#include "building/menu_places.h"

#include <algorithm>
#include <array>

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

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

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
    if (SameIgnoringCase(place.list_text, name) || SameIgnoringCase(TemplateName(place), name)) {
      return &place;
    }
  }
  return nullptr;
}

std::string_view TemplateName(const MenuPlace& place) {
  return place.template_file.substr(place.template_file.rfind('/') + 1);
}

}  // namespace frondel
