#pragma once

#ifdef __linux__
#include <sys/mount.h>
#endif

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace frondel::testing {

// A small tmpfs of its own, for a disk that fills up or a folder that even root cannot write.
// Mounting needs the right to mount; `error()` says why when it could not be made, and the
// test skips with that reason (FRONDEL_SKIP_UNLESS_MOUNTED).
class SmallMount {
 public:
  explicit SmallMount(std::size_t bytes) {
#ifdef __linux__
    const std::string options = "size=" + std::to_string(bytes);
    if (::mount("tmpfs", at_.path().c_str(), "tmpfs", 0, options.c_str()) != 0) {
      error_ = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
    }
#else
    error_ = "small file systems of its own are made on Linux only (" + std::to_string(bytes) +
             " bytes asked)";
#endif
  }
  ~SmallMount() {
#ifdef __linux__
    if (error_.empty()) ::umount2(at_.path().c_str(), MNT_DETACH);
#endif
  }
  SmallMount(const SmallMount&) = delete;
  SmallMount& operator=(const SmallMount&) = delete;

  const std::string& error() const { return error_; }
  const std::filesystem::path& path() const { return at_.path(); }
  std::filesystem::path operator/(const std::filesystem::path& rel) const { return at_ / rel; }

  // From now on nothing can be written below it, whoever asks.
  bool MakeReadOnly() {
#ifdef __linux__
    return ::mount(nullptr, at_.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
#else
    return false;
#endif
  }

 private:
  TempFolder at_;
  std::string error_;
};

// Whether a refused mount is a fault: in CI (CI=true), which runs as root on Linux, every
// test that needs a mount must run, so none can pass by skipping.
inline bool MountExpected() {
#ifdef __linux__
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::strcmp(ci, "true") == 0;
#else
  return false;
#endif
}

}  // namespace frondel::testing

// Ends the test when `mount` could not be made: a skip, or a failure where a mount is expected.
#define FRONDEL_SKIP_UNLESS_MOUNTED(mount)                                    \
  do {                                                                        \
    if ((mount).error().empty()) break;                                       \
    if (::frondel::testing::MountExpected()) GTEST_FAIL() << (mount).error(); \
    GTEST_SKIP() << (mount).error();                                          \
  } while (false)
