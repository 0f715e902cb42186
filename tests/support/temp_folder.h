#pragma once

#include <atomic>
#include <filesystem>
#include <random>
#include <string>

namespace frondel::testing {

// A fresh folder below the system's temporary folder, removed with everything in it when the
// object goes. `base` lets a test put it on another file system (for example /dev/shm); a
// `name` made from a u8"..." literal keeps any character on every platform.
class TempFolder {
 public:
  explicit TempFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path(),
                      const std::filesystem::path& name = "frondel-test") {
    // A random number per process keeps test programs that run side by side apart.
    static const unsigned process = std::random_device{}();
    static std::atomic<int> counter{0};
    path_ = base / name;
    path_ += "-";
    path_ += std::to_string(process) + "-" + std::to_string(counter++);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& rel) const { return path_ / rel; }

 private:
  std::filesystem::path path_;
};

}  // namespace frondel::testing
