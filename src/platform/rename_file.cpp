#include "platform/rename_file.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace frondel {

std::error_code RenameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef _WIN32
  // Not std::filesystem::rename: on Windows it lets the system copy to another volume
  // straight over `to`, which a failure can leave half written.
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return {};
  const DWORD error = GetLastError();
  if (error == ERROR_NOT_SAME_DEVICE) return std::make_error_code(std::errc::cross_device_link);
  return {static_cast<int>(error), std::system_category()};
#else
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  return ec;
#endif
}

std::error_code RenameFileNoReplace(const std::filesystem::path& from,
                                    const std::filesystem::path& to) {
#ifdef _WIN32
  if (MoveFileExW(from.c_str(), to.c_str(), 0)) return {};
  const DWORD error = GetLastError();
  if (error == ERROR_NOT_SAME_DEVICE) return std::make_error_code(std::errc::cross_device_link);
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
    return std::make_error_code(std::errc::file_exists);
  }
  return {static_cast<int>(error), std::system_category()};
#else
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno != EINVAL) return {errno, std::generic_category()};
  // A file system without that kind of rename: a hard link refuses an existing name the same way.
  if (link(from.c_str(), to.c_str()) != 0) return {errno, std::generic_category()};
  unlink(from.c_str());
  return {};
#endif
}

}  // namespace frondel
