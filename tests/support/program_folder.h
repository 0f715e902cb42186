#pragma once

#include <filesystem>
#include <stdexcept>

#include "support/temp_folder.h"

namespace frondel::testing {

// A temporary program folder holding a copy of the shipped temp/ tree, with the job folders
// that the install makes. Throws when the shipped tree is not where the build says, so a
// test can never pass on a missing fixture.
class ProgramFolder : public TempFolder {
 public:
  explicit ProgramFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path(),
                         const std::filesystem::path& name = "frondel-program")
      : TempFolder(base, name) {
    const std::filesystem::path shipped = std::filesystem::path(FRONDEL_DATA_DIR) / "temp";
    if (!std::filesystem::exists(shipped / "dataentery" / "TOPDATA1")) {
      throw std::runtime_error("the shipped tree is missing: " + shipped.string());
    }
    std::filesystem::copy(shipped, path() / "temp", std::filesystem::copy_options::recursive);
    std::filesystem::create_directories(path() / "temp" / "dataimport");
    std::filesystem::create_directories(path() / "temp" / "dataexport");
  }
};

}  // namespace frondel::testing
