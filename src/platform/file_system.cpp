#include "platform/file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>

#include "platform/file_error.h"
#include "platform/rename_file.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

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

void CheckLength(std::int64_t length, const fs::path& file) {
  if (length > kMaxFileLength) {
    throw FileError("read", file, "the file is 2 GiB or larger, more than the tool can handle");
  }
}

fs::path TemporaryBeside(const fs::path& file) {
  fs::path temporary = file;
  temporary += ".partial";
  return temporary;
}

void FlushToDisk(std::FILE* f, const fs::path& file) {
  if (std::fflush(f) != 0) throw FileError("write", file, SystemReason(errno));
#ifdef _WIN32
  if (_commit(_fileno(f)) != 0) throw FileError("write", file, SystemReason(errno));
#else
  if (fsync(fileno(f)) != 0) throw FileError("write", file, SystemReason(errno));
#endif
}

// A user's file is flushed to disk and renamed over the old one in one step, so it is the old
// or the new whole file at every moment. A working file is not flushed, and the old one is
// removed just before the rename: a file renamed over another makes ext4 write it out at
// once, which doubles the cost of every working write, and the moment without the file does
// no harm to a file that the tool rewrites anyway. Either way nothing is ever half written.
enum class Owner { Tool, User };

// Writes the parts to a temporary name beside `file`, then renames it into place unless
// `stop` was requested; returns whether it did.
bool WriteReplacing(const fs::path& file, std::initializer_list<ByteView> parts, Owner owner,
                    Replace replace = Replace::Existing, std::stop_token stop = {}) {
  std::int64_t total = 0;
  for (ByteView part : parts) total += static_cast<std::int64_t>(part.size());
  if (total > kMaxFileLength) {
    throw FileError("write", file,
                    "the data would be 2 GiB or larger, more than the tool can handle");
  }
  const fs::path temporary = TemporaryBeside(file);
  try {
    FilePtr f = OpenFile(temporary, "wb", "write", file);
    for (ByteView part : parts) {
      if (!part.empty() && std::fwrite(part.data(), 1, part.size(), f.get()) != part.size()) {
        throw FileError("write", file, SystemReason(errno));
      }
    }
    if (owner == Owner::User) {
      FlushToDisk(f.get(), file);
    } else if (std::fflush(f.get()) != 0) {
      throw FileError("write", file, SystemReason(errno));
    }
    if (std::fclose(f.release()) != 0) throw FileError("write", file, SystemReason(errno));
    if (stop.stop_requested()) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return false;
    }
    if (owner == Owner::Tool) DeleteFileIfPresent(file);
    if (replace == Replace::Never) {
      const std::error_code ec = RenameFileNoReplace(temporary, file);
      if (ec == std::errc::file_exists) {
        throw FileError("write", file, "a file of that name already exists");
      }
      if (ec) ThrowErrorCode("write", file, ec);
    } else if (const std::error_code ec = RenameFile(temporary, file)) {
      ThrowErrorCode("write", file, ec);
    }
  } catch (...) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw;
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
  const std::int64_t length = FileLength(file);
  CheckLength(length, file);
  Bytes bytes(static_cast<std::size_t>(length));
  if (ReadFileAt(file, 0, bytes) != bytes.size()) {
    throw FileError("read", file, "the file became shorter while it was read");
  }
  return bytes;
}

std::size_t ReadFileAt(const fs::path& file, std::int64_t offset, std::span<std::uint8_t> out) {
  FilePtr f = OpenFile(file, "rb", "read", file);
  if (offset > 0) {
#ifdef _WIN32
    const int seek = _fseeki64(f.get(), offset, SEEK_SET);
#else
    const int seek = fseeko(f.get(), static_cast<off_t>(offset), SEEK_SET);
#endif
    if (seek != 0) throw FileError("read", file, SystemReason(errno));
  }
  const std::size_t got = out.empty() ? 0 : std::fread(out.data(), 1, out.size(), f.get());
  if (std::ferror(f.get())) throw FileError("read", file, SystemReason(errno));
  return got;
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

void CopyFile(const fs::path& from, const fs::path& to) {
  const Bytes bytes = ReadWholeFile(from);
  WriteWholeFile(to, {bytes});
}

void MoveFile(const fs::path& from, const fs::path& to, Replace replace) {
  if (!FileExists(from)) throw FileError("move", from, SystemReason(ENOENT));
  const std::string action = "move " + PathText(from) + " to";
  std::error_code ec;
  if (replace == Replace::Never && fs::exists(to, ec)) {
    throw FileError(action, to, "a file of that name already exists");
  }
  ec = RenameFile(from, to);
  if (!ec) return;
  if (ec != std::errc::cross_device_link) ThrowErrorCode(action, to, ec);
  // Another file system: the copy must be whole on disk before the source goes.
  const Bytes bytes = ReadWholeFile(from);
  WriteReplacing(to, {bytes}, Owner::User);
  DeleteFile(from);
}

}  // namespace frondel
