#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/file_error.h"
#include "platform/file_system.h"

namespace frondel {

// What decompression made of a length-prefixed stream. Callers may ignore it: decompression
// always writes its output and never throws.
enum class UncompressStatus {
  Complete,           // the whole stream decoded to its true length
  CutAtStoredLength,  // the stream holds more than the stored length; output cut there
  Damaged,            // the stream is damaged or ends early; output is what decoded before that
  NotDecoded,         // stored length zero or less: the bytes after it were passed on unchanged
  TooShort,           // the input is shorter than its 4-byte length field; nothing was written
  FileFailed,         // reading the input or writing the output failed; see `error`
};

struct UncompressResult {
  UncompressStatus status;
  std::optional<FileError> error;  // set with FileFailed
};

// Decompressed bytes of a stream and what became of it.
struct Uncompressed {
  Bytes bytes;
  UncompressStatus status;
};

// Whole-file zlib compression into, and decompression from, a length-prefixed stream:
// a signed 32-bit little-endian uncompressed length, then one standard zlib stream. The class
// keeps nothing between calls.
class Zlib {
 public:
  // Compresses the whole of `source` into `destination`. Throws FileError for a missing,
  // empty or unreadable source (destination untouched) and for a failed write.
  void CompressFile(const std::filesystem::path& source,
                    const std::filesystem::path& destination) const;

  // Reads a length-prefixed stream from `compressed` and writes the decoded bytes to
  // `uncompressed`; both may name one file. Never throws.
  UncompressResult UncompressFile(const std::filesystem::path& compressed,
                                  const std::filesystem::path& uncompressed) const;

  // The byte-level halves that the file operations above and the menu texture format share.
  // CompressStream returns the length field and the zlib stream of `data`.
  Bytes CompressStream(ByteView data) const;
  // Decodes the length-prefixed stream in `stream` (length field first).
  Uncompressed UncompressStream(ByteView stream) const;
};

}  // namespace frondel
