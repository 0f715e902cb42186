#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "platform/file_system.h"

struct libdeflate_compressor;
struct libdeflate_decompressor;

namespace frondel {

// Packing's level: on a menu payload, the fastest one whose stream is at most 1% larger
// than zlib's default level makes.
inline constexpr int kPackingLevel = 6;

// libdeflate's one-call zlib streams. Each object owns its libdeflate state and frees it
// however the call that made it ends.
class DeflateCompressor {
 public:
  // Throws std::bad_alloc when libdeflate cannot make its state.
  explicit DeflateCompressor(int level);
  std::size_t Bound(std::size_t length) const;
  // Writes the zlib stream of `data` into `out`; returns its length, 0 when it did not fit.
  std::size_t Compress(ByteView data, std::span<std::uint8_t> out) const;
  // The same for a raw deflate stream, no zlib header or checksum around it.
  std::size_t RawBound(std::size_t length) const;
  std::size_t CompressRaw(ByteView data, std::span<std::uint8_t> out) const;

 private:
  struct Free {
    void operator()(libdeflate_compressor* state) const;
  };
  std::unique_ptr<libdeflate_compressor, Free> state_;
};

// The Adler-32 checksum of `data`, as a zlib stream carries it.
std::uint32_t Adler32(ByteView data);

class DeflateDecompressor {
 public:
  // Throws std::bad_alloc when libdeflate cannot make its state.
  DeflateDecompressor();
  // The decoded length when `stream` starts with one good zlib stream (checksum included) that
  // fits in `out`; nothing for any other outcome, which leaves `out` undefined.
  std::optional<std::size_t> DecodeWhole(ByteView stream, std::span<std::uint8_t> out) const;

 private:
  struct Free {
    void operator()(libdeflate_decompressor* state) const;
  };
  std::unique_ptr<libdeflate_decompressor, Free> state_;
};

}  // namespace frondel
