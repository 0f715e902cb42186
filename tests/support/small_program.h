#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "building/menu_places.h"
#include "building/working_folder.h"
#include "platform/file_system.h"
#include "support/bytes.h"
#include "support/temp_folder.h"

namespace frondel::testing {

// A program folder of a test's own: a small head block and thirteen small templates, below a
// folder whose name has blanks and characters outside ASCII, beside a folder for the user's
// files named the same way.
class SmallProgram {
 public:
  explicit SmallProgram(const std::filesystem::path& root_name)
      : root(std::filesystem::temp_directory_path(), root_name),
        program(root / u8"program folder \u00e9"),
        user(root / u8"user's files \u00f1"),
        head(PatternBytes(48, 1)) {
    for (const char* folder : {"temp/dataentery", "temp/dataimport", "temp/dataexport"}) {
      std::filesystem::create_directories(program / folder);
    }
    std::filesystem::create_directories(user);
    WriteWholeFile(WorkingPath(program, WorkFile::HeadBlock), {head});
    std::uint32_t seed = 100;
    for (const MenuPlace& place : MenuPlaces()) {
      WriteWholeFile(WorkingPath(program, place.template_file), {PatternBytes(200 + seed, seed)});
      ++seed;
    }
  }

  Bytes TemplateOf(std::string_view list_text) const {
    return ReadWholeFile(WorkingPath(program, FindMenuPlace(list_text)->template_file));
  }
  std::filesystem::path Working(WorkFile file) const { return WorkingPath(program, file); }

  TempFolder root;
  const std::filesystem::path program;
  const std::filesystem::path user;
  const Bytes head;
};

}  // namespace frondel::testing
