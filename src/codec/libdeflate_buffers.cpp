#include "codec/libdeflate_buffers.h"

#include <libdeflate.h>

#include <new>

namespace frondel {

void DeflateCompressor::Free::operator()(libdeflate_compressor* state) const {
  libdeflate_free_compressor(state);
}

void DeflateDecompressor::Free::operator()(libdeflate_decompressor* state) const {
  libdeflate_free_decompressor(state);
}

DeflateCompressor::DeflateCompressor(int level) : state_(libdeflate_alloc_compressor(level)) {
  if (!state_) throw std::bad_alloc();
}

std::size_t DeflateCompressor::Bound(std::size_t length) const {
  return libdeflate_zlib_compress_bound(state_.get(), length);
}

std::size_t DeflateCompressor::Compress(ByteView data, std::span<std::uint8_t> out) const {
  return libdeflate_zlib_compress(state_.get(), data.data(), data.size(), out.data(), out.size());
}

std::size_t DeflateCompressor::RawBound(std::size_t length) const {
  return libdeflate_deflate_compress_bound(state_.get(), length);
}

std::size_t DeflateCompressor::CompressRaw(ByteView data, std::span<std::uint8_t> out) const {
  return libdeflate_deflate_compress(state_.get(), data.data(), data.size(), out.data(),
                                     out.size());
}

std::uint32_t Adler32(ByteView data) { return libdeflate_adler32(1, data.data(), data.size()); }

DeflateDecompressor::DeflateDecompressor() : state_(libdeflate_alloc_decompressor()) {
  if (!state_) throw std::bad_alloc();
}

std::optional<std::size_t> DeflateDecompressor::DecodeWhole(ByteView stream,
                                                            std::span<std::uint8_t> out) const {
  // Asking for the input length consumed lets bytes after the stream pass, as zlib does.
  std::size_t consumed = 0;
  std::size_t produced = 0;
  if (libdeflate_zlib_decompress_ex(state_.get(), stream.data(), stream.size(), out.data(),
                                    out.size(), &consumed, &produced) != LIBDEFLATE_SUCCESS) {
    return std::nullopt;
  }
  return produced;
}

}  // namespace frondel
