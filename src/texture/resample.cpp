#include "texture/resample.h"

#include <algorithm>
#include <utility>

#include "texture/texture_layout.h"

#define STB_IMAGE_RESIZE_STATIC
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

namespace frondel {
namespace {

bool Resize(const std::uint8_t* from, const Picture& picture, int channels, int alpha_channel,
            int side, std::span<std::uint8_t> to) {
  return stbir_resize_uint8_generic(
             from, static_cast<int>(picture.width), static_cast<int>(picture.height),
             static_cast<int>(picture.width) * channels, to.data(), side, side, side * channels,
             channels, alpha_channel, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_MITCHELL,
             STBIR_COLORSPACE_LINEAR, nullptr) == 1;
}

bool EveryPixelOpaque(const Picture& picture) {
  const ByteView pixels = picture.Pixels();
  for (std::size_t at = 3; at < pixels.size(); at += 4) {
    if (pixels[at] != 0xff) return false;
  }
  return true;
}

}  // namespace

bool StretchToSquare(const Picture& picture, std::uint32_t side, std::span<std::uint8_t> out) {
  if (side == 0 || side > kGameSide || out.size() != std::size_t{side} * side * 4) return false;
  const int length = static_cast<int>(side);
  if (picture.channels == 4 && !EveryPixelOpaque(picture)) {
    return Resize(picture.Pixels().data(), picture, 4, 3, length, out);
  }
  // Without alpha to weigh, three channels are a quarter less work. Which way a picture takes
  // depends on its pixels alone, so every decoder of the same pixels gets the same texture.
  const ByteView pixels = picture.Pixels();
  Bytes dropped;
  if (picture.channels == 4) {
    dropped.resize(pixels.size() / 4 * 3);
    // Byte by byte: a copy call per pixel costs more than the bytes.
    std::uint8_t* to = dropped.data();
    for (std::size_t from = 0; from < pixels.size(); from += 4, to += 3) {
      to[0] = pixels[from];
      to[1] = pixels[from + 1];
      to[2] = pixels[from + 2];
    }
  }
  Picture stretched{.width = side, .height = side, .channels = 3};
  stretched.Allocate();
  if (!Resize(picture.channels == 4 ? dropped.data() : pixels.data(), picture, 3,
              STBIR_ALPHA_CHANNEL_NONE, length, stretched.Pixels())) {
    return false;
  }
  CopyAsBgra(stretched, out);
  return true;
}

}  // namespace frondel
