#pragma once

#include <filesystem>

namespace frondel {

// Holds an exclusive lock on `lock_file` (made when missing) for the object's life, waiting
// for another holder, in this process or another, to let go. Every change to a folder that
// several frondels share is made under the lock of a file in it, so two of them never change
// it at once. The lock goes with the process, so a crash leaves nothing held. Throws FileError
// when the lock file cannot be opened or locked.
class FolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& lock_file);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
#ifdef _WIN32
  void* handle_;
#else
  int fd_;
#endif
};

}  // namespace frondel
