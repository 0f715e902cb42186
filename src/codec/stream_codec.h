#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/file_system.h"

namespace frondel {

// What decompression made of a length-prefixed stream. Decompression never throws: whatever
// decoded is kept with its status.
enum class UncompressStatus {
  Complete,           // the whole stream decoded to its true length
  CutAtStoredLength,  // the stream holds more than the stored length; output cut there
  Damaged,            // the stream is damaged or ends early; output is what decoded before that
  NotDecoded,         // stored length zero or less: the bytes after it were passed on unchanged
  TooLarge,           // stored length above kMaxUnpackedLength: passed on unchanged, as above
  TooShort,           // the input is shorter than its 4-byte length field; no bytes
};

// 64 MiB: many times any menu payload (a few MiB), so no honest file is refused, while a
// forged length cannot make a reader take gigabytes.
inline constexpr std::size_t kMaxUnpackedLength = std::size_t{64} << 20;

// Decompressed bytes of a stream and what became of it.
struct Uncompressed {
  Bytes bytes;
  UncompressStatus status;
};

// Compression into, and decompression from, a length-prefixed stream: a signed 32-bit
// little-endian uncompressed length, then one standard zlib stream. The class keeps nothing
// between calls but the number of threads it may deflate on.
// The codec travels through the build's and the export's signatures because it carries the one
// choice the caller makes: how many threads packing may take (every core for the window's one
// file, one per input inside a batch, which already uses every core).
class StreamCodec {
 public:
  // Deflates on up to `deflate_threads` threads where the data is long enough to pay for them;
  // the stream is one ordinary zlib stream either way.
  explicit StreamCodec(unsigned deflate_threads = 1) : deflate_threads_(deflate_threads) {}
  // The length field and the zlib stream of `data`.
  Bytes CompressStream(ByteView data) const;
  // Decodes the length-prefixed stream in `stream` (length field first). The output buffer
  // grows with what the stream produces, up to the stored length; a stored length above
  // kMaxUnpackedLength is refused before any buffer is made.
  Uncompressed UncompressStream(ByteView stream) const;

 private:
  unsigned deflate_threads_;
};

}  // namespace frondel
