#include "platform/folder_lock.h"

#include "platform/file_error.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <system_error>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace frondel {

#ifdef _WIN32

namespace {
[[noreturn]] void ThrowLastError(const std::filesystem::path& file) {
  const std::error_code ec(static_cast<int>(GetLastError()), std::system_category());
  throw FileError("lock", file, ec.message());
}
}  // namespace

FolderLock::FolderLock(const std::filesystem::path& lock_file)
    : handle_(CreateFileW(lock_file.c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
  if (handle_ == INVALID_HANDLE_VALUE) ThrowLastError(lock_file);
  OVERLAPPED whole{};
  if (!LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
    const std::error_code ec(static_cast<int>(GetLastError()), std::system_category());
    CloseHandle(handle_);
    throw FileError("lock", lock_file, ec.message());
  }
}

FolderLock::~FolderLock() {
  OVERLAPPED whole{};
  UnlockFileEx(handle_, 0, MAXDWORD, MAXDWORD, &whole);
  CloseHandle(handle_);
}

#else

FolderLock::FolderLock(const std::filesystem::path& lock_file)
    : fd_(open(lock_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644)) {
  if (fd_ < 0) throw FileError("lock", lock_file, SystemReason(errno));
  // flock, not fcntl: its lock belongs to this open file, so two threads of one process
  // exclude each other as two processes do.
  while (flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    const int error = errno;
    close(fd_);
    throw FileError("lock", lock_file, SystemReason(error));
  }
}

FolderLock::~FolderLock() { close(fd_); }

#endif

}  // namespace frondel
