// Any bytes as an unpacked payload: the texture window is cut out, zero-filled where short.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "building/payload_parts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace frondel;
  const Bytes texture = ExtractTexture(ByteView(data, size));
  const std::size_t offset = payload::kTextureOffset;
  const std::size_t supplied = size > offset ? std::min(size - offset, texture.size()) : 0;
  if (texture.size() != payload::kTextureLength ||
      (supplied > 0 && std::memcmp(texture.data(), data + offset, supplied) != 0)) {
    __builtin_trap();
  }
  static const Bytes zeros(payload::kTextureLength, 0);
  if (std::memcmp(texture.data() + supplied, zeros.data(), texture.size() - supplied) != 0) {
    __builtin_trap();
  }
  return 0;
}
