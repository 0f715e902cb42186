#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <span>

namespace frondel {

// A new file of our own in the folder of `target`, on its way to replace it. Its name is made
// fresh for each write (".<target name>.frondel-<16 hex digits>.partial") and the file is
// created exclusively, so no other write, in this process or another, ever shares it, and a
// link planted at the name is never followed. Removed on destruction unless `Keep` was called
// once it has been renamed. Every failure throws FileError("write", target, reason).
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::filesystem::path& target);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::filesystem::path& path() const { return path_; }
  void Write(std::span<const std::uint8_t> bytes);
  // Waits until the bytes written are on the disk.
  void Sync();
  void Close();
  // The file has been renamed into place: nothing to remove any more.
  void Keep() { kept_ = true; }

 private:
  std::filesystem::path target_;
  std::filesystem::path path_;
  int fd_ = -1;
  bool kept_ = false;
};

// Whether `file`'s name is one that TemporaryFile makes: a user's "x.partial" is not.
bool IsTemporaryName(const std::filesystem::path& file);

// A write never takes this long, so a temporary file this old was left by a run that died.
inline constexpr std::chrono::hours kStaleTemporaryAge{24};

// Removes the temporary files of ours in `folder` (not below it) that were last written more
// than `age` ago: plain files only, never a link or anything of another name. Returns how many
// went; a file that cannot be removed is left, as is a folder that cannot be read.
int RemoveStaleTemporaries(const std::filesystem::path& folder,
                           std::chrono::seconds age = kStaleTemporaryAge);

}  // namespace frondel
