#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace frondel::fuzz {

// A program folder of the fuzz run's own, on a memory file system where there is one, made
// once per process and removed when the process ends normally.
inline const std::filesystem::path& ScratchProgramFolder(const std::string& name) {
  namespace fs = std::filesystem;
  struct Folder {
    fs::path path;
    ~Folder() {
      std::error_code ignored;
      fs::remove_all(path, ignored);
    }
  };
  static const Folder folder{[&] {
    const fs::path base = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
    fs::path f = base / ("frondel-fuzz-" + name + "-" + std::to_string(getpid()));
    fs::create_directories(f / "temp" / "dataimport");
    fs::create_directories(f / "temp" / "dataexport");
    return f;
  }()};
  return folder.path;
}

}  // namespace frondel::fuzz
