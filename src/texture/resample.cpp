#include "texture/resample.h"

#include "texture/texture_layout.h"

#define STB_IMAGE_RESIZE_STATIC
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

namespace frondel {

bool StretchToGameSide(const Picture& picture, std::span<std::uint8_t> out) {
  constexpr int kChannels = 4;
  constexpr int kAlphaChannel = 3;
  return out.size() == kGameRowBytes * kGameSide &&
         stbir_resize_uint8_generic(
             picture.bgra.data(), static_cast<int>(picture.width), static_cast<int>(picture.height),
             static_cast<int>(picture.width * 4), out.data(), kGameSide, kGameSide, kGameRowBytes,
             kChannels, kAlphaChannel, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_MITCHELL,
             STBIR_COLORSPACE_LINEAR, nullptr) == 1;
}

}  // namespace frondel
