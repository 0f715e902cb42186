#include "platform/rename_file.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
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

}  // namespace frondel
