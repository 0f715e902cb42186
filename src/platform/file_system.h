#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <stop_token>
#include <string_view>
#include <vector>

namespace frondel {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

// Lengths are signed 32-bit values in the file formats, so no file we read or write may
// reach 2 GiB.
inline constexpr std::int64_t kMaxFileLength = 0x7fffffff;

// The functions below that reach a file throw FileError naming the action, the file and the
// reason.

std::int64_t FileLength(const std::filesystem::path& file);
Bytes ReadWholeFile(const std::filesystem::path& file);
// Reads up to `out.size()` bytes from `offset` into `out`; returns how many the file supplied.
std::size_t ReadFileAt(const std::filesystem::path& file, std::int64_t offset,
                       std::span<std::uint8_t> out);

// Replaces `file` whole with the parts joined: a file of the tool's own working folder. The
// bytes go to a temporary file of this write's own in the same folder (see TemporaryFile) and
// are renamed over `file` in one step, so `file` is never half written, and of two writes at
// once one is whole; a failed write leaves the old one. Not synced to disk.
void WriteWholeFile(const std::filesystem::path& file, std::initializer_list<ByteView> parts);

bool FileExists(const std::filesystem::path& file);

// Whether `a` and `b` are the same text when ASCII letters are folded; other characters must
// be equal.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// Whether the file's name ends in `extension` (".png"), ASCII letters in any case. Compared in
// UTF-8, which every path can be written in.
bool HasExtension(const std::filesystem::path& file, std::string_view extension);
void DeleteFile(const std::filesystem::path& file);
// Deletes `file` when it is there; a missing file is not an error.
void DeleteFileIfPresent(const std::filesystem::path& file);
// Makes `folder` and any missing folder above it; one that is there is not an error.
void MakeFolder(const std::filesystem::path& folder);

enum class Replace { Never, Existing };

// Replaces `file` whole with the parts joined: a file the user owns. The bytes are flushed to
// disk under a temporary file beside it, renamed into place and the folder synced, so `file`
// is the old or the new whole file at every moment, a power cut included. With Replace::Never an
// existing `file` is an error and stays as it was, even when it appears while the bytes are
// written. When `stop` is requested before the rename, the temporary file is removed, `file` stays
// as it was and the result is false.
bool WriteUserFile(const std::filesystem::path& file, std::initializer_list<ByteView> parts,
                   Replace replace, std::stop_token stop = {});

// Moves `from` to `to`, flushing it to disk before the rename and `to`'s folder after. With
// Replace::Never an existing `to` is an error, checked in the same step as the rename. With
// Replace::Existing an existing `to` is replaced in one step, and only once `from` is known
// to be there. Across file systems the file is copied, flushed to disk, renamed into place
// (with the same rule for an existing `to`), and only then is `from` deleted.
void MoveFile(const std::filesystem::path& from, const std::filesystem::path& to,
              Replace replace = Replace::Never);

}  // namespace frondel
