#include "platform/file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>

#include "platform/file_error.h"
#include "platform/rename_file.h"
#include "platform/temporary_file.h"

namespace fs = std::filesystem;

namespace frondel {
namespace {

struct CloseFile {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, CloseFile>;

// Opens `file`; a failure names `reported`, the file the user knows of.
FilePtr OpenFile(const fs::path& file, const char* mode, const char* action,
                 const fs::path& reported) {
#ifdef _WIN32
  std::wstring wide_mode(mode, mode + std::char_traits<char>::length(mode));
  std::FILE* f = _wfopen(file.c_str(), wide_mode.c_str());
#else
  std::FILE* f = std::fopen(file.c_str(), mode);
#endif
  if (f == nullptr) throw FileError(action, reported, SystemReason(errno));
  return FilePtr(f);
}

// ec.message(), not SystemReason: on Windows many codes are the system's, not errno values.
[[noreturn]] void ThrowErrorCode(const std::string& action, const fs::path& file,
                                 const std::error_code& ec) {
  throw FileError(action, file, ec.message());
}

// Moves a file being read to `offset` from `whence`; returns the position reached.
std::int64_t SeekRead(std::FILE* f, std::int64_t offset, int whence, const fs::path& file) {
#ifdef _WIN32
  const bool moved = _fseeki64(f, offset, whence) == 0;
  const std::int64_t at = moved ? _ftelli64(f) : -1;
#else
  const bool moved = fseeko(f, static_cast<off_t>(offset), whence) == 0;
  const std::int64_t at = moved ? static_cast<std::int64_t>(ftello(f)) : -1;
#endif
  if (at < 0) throw FileError("read", file, SystemReason(errno));
  return at;
}

// Reads up to `out.size()` bytes at the file's position; returns how many it supplied.
std::size_t ReadInto(std::FILE* f, std::span<std::uint8_t> out, const fs::path& file) {
  const std::size_t got = out.empty() ? 0 : std::fread(out.data(), 1, out.size(), f);
  if (std::ferror(f)) throw FileError("read", file, SystemReason(errno));
  return got;
}

void CheckLength(std::int64_t length, const fs::path& file) {
  if (length > kMaxFileLength) {
    throw FileError("read", file, "the file is 2 GiB or larger, more than the tool can handle");
  }
}

// A user's file is synced to disk before it takes its name and its folder after, so after a
// crash or a power cut it is the old or the new whole file. A working file is not synced:
// the tool rewrites it anyway. Either way it is written under a name of its own and renamed
// over the old one in one step, so nothing is ever half written, and two writes of one file at
// once leave one of them whole.
enum class Owner { Tool, User };

[[noreturn]] void ThrowRenameError(const std::string& action, const fs::path& file,
                                   const std::error_code& ec) {
  if (ec == std::errc::file_exists) {
    throw FileError(action, file, "a file of that name already exists");
  }
  ThrowErrorCode(action, file, ec);
}

// Writes the parts to a temporary file beside `file`, then renames it into place unless
// `stop` was requested; returns whether it did.
bool WriteReplacing(const fs::path& file, std::initializer_list<ByteView> parts, Owner owner,
                    Replace replace = Replace::Existing, std::stop_token stop = {}) {
  std::int64_t total = 0;
  for (ByteView part : parts) total += static_cast<std::int64_t>(part.size());
  if (total > kMaxFileLength) {
    throw FileError("write", file,
                    "the data would be 2 GiB or larger, more than the tool can handle");
  }
  TemporaryFile temporary(file);
  for (ByteView part : parts) temporary.Write(part);
  if (owner == Owner::User) temporary.Sync();
  temporary.Close();
  if (stop.stop_requested()) return false;
  const std::error_code ec = replace == Replace::Never ? RenameFileNoReplace(temporary.path(), file)
                                                       : RenameFile(temporary.path(), file);
  if (ec) ThrowRenameError("write", file, ec);
  temporary.Keep();
  if (owner == Owner::User) {
    if (const std::error_code synced = SyncFolder(file.parent_path())) {
      ThrowErrorCode("write", file, synced);
    }
  }
  return true;
}

}  // namespace

std::int64_t FileLength(const fs::path& file) {
  std::error_code ec;
  const auto status = fs::status(file, ec);
  if (ec) ThrowErrorCode("read", file, ec);
  if (fs::is_directory(status)) throw FileError("read", file, SystemReason(EISDIR));
  const std::uintmax_t size = fs::file_size(file, ec);
  if (ec) ThrowErrorCode("read", file, ec);
  return static_cast<std::int64_t>(size);
}

Bytes ReadWholeFile(const fs::path& file) {
  // A folder, a pipe or a device is refused here by name, before an open that could wait.
  FileLength(file);
  // The length read is the opened file's own: a file renamed over this one between the look
  // at the name and the open would otherwise be read in part.
  FilePtr f = OpenFile(file, "rb", "read", file);
  const std::int64_t length = SeekRead(f.get(), 0, SEEK_END, file);
  CheckLength(length, file);
  SeekRead(f.get(), 0, SEEK_SET, file);
  Bytes bytes(static_cast<std::size_t>(length));
  if (ReadInto(f.get(), bytes, file) != bytes.size()) {
    throw FileError("read", file, "the file became shorter while it was read");
  }
  return bytes;
}

std::size_t ReadFileAt(const fs::path& file, std::int64_t offset, std::span<std::uint8_t> out) {
  FilePtr f = OpenFile(file, "rb", "read", file);
  if (offset > 0) SeekRead(f.get(), offset, SEEK_SET, file);
  return ReadInto(f.get(), out, file);
}

void WriteWholeFile(const fs::path& file, std::initializer_list<ByteView> parts) {
  WriteReplacing(file, parts, Owner::Tool);
}

bool WriteUserFile(const fs::path& file, std::initializer_list<ByteView> parts, Replace replace,
                   std::stop_token stop) {
  return WriteReplacing(file, parts, Owner::User, replace, stop);
}

bool FileExists(const fs::path& file) {
  std::error_code ec;
  const auto status = fs::status(file, ec);
  return !ec && fs::exists(status) && !fs::is_directory(status);
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

bool HasExtension(const fs::path& file, std::string_view extension) {
  return EqualIgnoringAsciiCase(PathText(file.extension()), extension);
}

void DeleteFile(const fs::path& file) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) throw FileError("delete", file, SystemReason(EISDIR));
  if (!fs::remove(file, ec)) {
    if (ec) ThrowErrorCode("delete", file, ec);
    throw FileError("delete", file, SystemReason(ENOENT));
  }
}

void DeleteFileIfPresent(const fs::path& file) {
  if (FileExists(file)) DeleteFile(file);
}

void MakeFolder(const fs::path& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) throw FileError("make the folder", folder, ec.message());
}

void MoveFile(const fs::path& from, const fs::path& to, Replace replace) {
  if (!FileExists(from)) throw FileError("move", from, SystemReason(ENOENT));
  const std::string action = "move " + PathText(from) + " to";
  // On the disk before it takes a name that must never stand for an empty file.
  if (const std::error_code ec = SyncFile(from)) ThrowErrorCode(action, from, ec);
  const std::error_code ec =
      replace == Replace::Never ? RenameFileNoReplace(from, to) : RenameFile(from, to);
  if (!ec) {
    if (const std::error_code synced = SyncFolder(to.parent_path())) {
      ThrowErrorCode(action, to, synced);
    }
    return;
  }
  if (ec != std::errc::cross_device_link) ThrowRenameError(action, to, ec);
  // Another file system: the copy must be whole on disk before the source goes.
  const Bytes bytes = ReadWholeFile(from);
  WriteReplacing(to, {bytes}, Owner::User, replace);
  DeleteFile(from);
}

}  // namespace frondel
