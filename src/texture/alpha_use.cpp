#include "texture/alpha_use.h"

namespace frondel {

AlphaUse CountAlpha(const Picture& picture) {
  AlphaUse use{.pixels = std::uint64_t{picture.width} * picture.height};
  if (picture.channels != 4) return use;
  const ByteView pixels = picture.Pixels();
  for (std::size_t at = 3; at < pixels.size(); at += 4) {
    const std::uint8_t alpha = pixels[at];
    use.transparent += alpha == 0;
    use.partial += alpha != 0 && alpha != 255;
  }
  if (use.transparent == use.pixels && use.pixels > 0) {
    use.kind = AlphaKind::Transparent;
  } else if (use.transparent + use.partial > 0) {
    use.kind = AlphaKind::Mixed;
  }
  return use;
}

}  // namespace frondel
