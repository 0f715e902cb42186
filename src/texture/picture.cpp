#include "texture/picture.h"

#include <algorithm>

namespace frondel {

void CopyAsBgra(const Picture& picture, std::span<std::uint8_t> out) {
  const ByteView pixels = picture.Pixels();
  if (picture.channels == 4) {
    std::copy(pixels.begin(), pixels.end(), out.begin());
    return;
  }
  const std::uint8_t* from = pixels.data();
  for (std::size_t at = 0; at < out.size(); at += 4, from += 3) {
    out[at] = from[0];
    out[at + 1] = from[1];
    out[at + 2] = from[2];
    out[at + 3] = 0xff;
  }
}

}  // namespace frondel
