// Any bytes as a raw deflate stream through the block walk and through zlib's inflate, a block
// at a time. The walk takes what inflate takes and finds the same final block and end; it takes
// no more, but for distances back past the stream's start, which it has no output to check.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "codec/deflate_blocks.h"

namespace {

struct Inflated {
  std::optional<frondel::DeflateBlocks> blocks;
  bool too_far = false;
};

Inflated InflateBlocks(frondel::ByteView stream) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) __builtin_trap();
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  // The low bits of data_type count the bits inflate holds unused; 128 tells that it stopped
  // at a block's end, 64 that the block was the final one.
  const auto stopped_at = [&z] { return std::size_t{z.total_in} * 8 - (z.data_type & 63); };
  static std::uint8_t sink[1 << 16];
  Inflated out;
  std::size_t final_block = 0;
  for (;;) {
    z.next_out = sink;
    z.avail_out = sizeof sink;
    if (inflate(&z, Z_BLOCK) != Z_OK) {
      out.too_far = z.msg && std::strstr(z.msg, "too far") != nullptr;
      break;
    }
    if ((z.data_type & 128) == 0) continue;
    if ((z.data_type & 64) != 0) {
      out.blocks = frondel::DeflateBlocks{final_block, stopped_at()};
      break;
    }
    final_block = stopped_at();
  }
  inflateEnd(&z);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const frondel::ByteView stream(data, size);
  const std::optional<frondel::DeflateBlocks> walked = frondel::WalkDeflateBlocks(stream);
  const Inflated inflated = InflateBlocks(stream);
  if (inflated.blocks) {
    if (!walked || walked->final_block != inflated.blocks->final_block ||
        walked->end != inflated.blocks->end) {
      __builtin_trap();
    }
  } else if (walked && !inflated.too_far) {
    __builtin_trap();
  }
  return 0;
}
