#include "platform/rename_file.h"

#include <fcntl.h>

#include <cerrno>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <share.h>
#include <windows.h>
#else
#include <stdio.h>
#include <unistd.h>
#endif

namespace frondel {

#ifdef _WIN32

namespace {

std::error_code MoveError(DWORD error) {
  if (error == ERROR_NOT_SAME_DEVICE) return std::make_error_code(std::errc::cross_device_link);
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
    return std::make_error_code(std::errc::file_exists);
  }
  return {static_cast<int>(error), std::system_category()};
}

// Another rename over `to`, or a reader that opened it without sharing its deletion, holds it
// for a moment, and Windows then refuses with "access denied" or a sharing violation: tried
// again for about a second before that is the answer. Written through, so the new name is on
// the disk when the call returns.
std::error_code Move(const std::filesystem::path& from, const std::filesystem::path& to,
                     DWORD flags) {
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH)) return {};
    const DWORD error = GetLastError();
    if (attempt == 100 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) {
      return MoveError(error);
    }
    Sleep(10);
  }
}

}  // namespace

// Not std::filesystem::rename: on Windows it lets the system copy to another volume straight
// over `to`, which a failure can leave half written.
std::error_code RenameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  return Move(from, to, MOVEFILE_REPLACE_EXISTING);
}

std::error_code RenameFileNoReplace(const std::filesystem::path& from,
                                    const std::filesystem::path& to) {
  return Move(from, to, 0);
}

std::error_code SyncFile(const std::filesystem::path& file) {
  // Flushing needs a handle that may write; the file is opened without being changed.
  int fd = -1;
  if (_wsopen_s(&fd, file.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0) != 0) {
    return {errno, std::generic_category()};
  }
  const int synced = _commit(fd);
  const int error = errno;
  _close(fd);
  return synced == 0 ? std::error_code() : std::error_code(error, std::generic_category());
}

std::error_code SyncFolder(const std::filesystem::path&) { return {}; }

#else

std::error_code RenameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (rename(from.c_str(), to.c_str()) == 0) return {};
  return {errno, std::generic_category()};
}

std::error_code RenameFileNoReplace(const std::filesystem::path& from,
                                    const std::filesystem::path& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno != EINVAL) return {errno, std::generic_category()};
  // A file system without that kind of rename: a hard link refuses an existing name the same way.
  if (link(from.c_str(), to.c_str()) != 0) return {errno, std::generic_category()};
  unlink(from.c_str());
  return {};
}

namespace {
std::error_code SyncOpened(const std::filesystem::path& path, int flags) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | flags);
  if (fd < 0) return {errno, std::generic_category()};
  const int synced = fsync(fd);
  const int error = errno;
  close(fd);
  // A file system that cannot sync a folder says EINVAL: there is nothing more to wait for.
  if (synced == 0 || (error == EINVAL && (flags & O_DIRECTORY))) return {};
  return {error, std::generic_category()};
}
}  // namespace

std::error_code SyncFile(const std::filesystem::path& file) { return SyncOpened(file, 0); }

std::error_code SyncFolder(const std::filesystem::path& folder) {
  return SyncOpened(folder.empty() ? std::filesystem::path(".") : folder, O_DIRECTORY);
}

#endif

}  // namespace frondel
