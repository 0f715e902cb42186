#include "texture/resample.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <utility>

#include "texture/texture_layout.h"

#define STB_IMAGE_RESIZE_STATIC
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

namespace frondel {
namespace {

// One band of output rows, from `first` for `rows`: the region of the picture from t0 to t1 of
// its height, which the resampler filters with the rows above and below it as their
// neighbours, so a band's rows are those of the whole.
bool ResizeBand(const std::uint8_t* from, const Picture& picture, int channels, int alpha_channel,
                int side, int first, int rows, std::span<std::uint8_t> to) {
  const float t0 = static_cast<float>(first) / static_cast<float>(side);
  const float t1 = static_cast<float>(first + rows) / static_cast<float>(side);
  return stbir_resize_region(
             from, static_cast<int>(picture.width), static_cast<int>(picture.height),
             static_cast<int>(picture.width) * channels,
             to.data() + std::size_t(first) * side * channels, side, rows, side * channels,
             STBIR_TYPE_UINT8, channels, alpha_channel, 0, STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP,
             STBIR_FILTER_MITCHELL, STBIR_FILTER_MITCHELL, STBIR_COLORSPACE_LINEAR, nullptr, 0.0f,
             t0, 1.0f, t1) == 1;
}

// Halves of the rows on two threads when asked and the side is even: with the band edge at the
// middle, every scale and shift of the lower band is exact in floating point, so its bytes are
// those the whole would give.
bool Resize(const std::uint8_t* from, const Picture& picture, int channels, int alpha_channel,
            int side, std::span<std::uint8_t> to, unsigned threads) {
  if (threads < 2 || side % 2 != 0) {
    return ResizeBand(from, picture, channels, alpha_channel, side, 0, side, to);
  }
  const int half = side / 2;
  bool lower = false;
  const auto lower_half = [&] {
    lower = ResizeBand(from, picture, channels, alpha_channel, side, half, half, to);
  };
  std::jthread helper;
  try {
    helper = std::jthread(lower_half);
  } catch (const std::system_error&) {
    lower_half();  // no thread to be had: both halves on this one
  }
  const bool upper = ResizeBand(from, picture, channels, alpha_channel, side, 0, half, to);
  if (helper.joinable()) helper.join();
  return upper && lower;
}

bool EveryPixelOpaque(const Picture& picture) {
  const ByteView pixels = picture.Pixels();
  for (std::size_t at = 3; at < pixels.size(); at += 4) {
    if (pixels[at] != 0xff) return false;
  }
  return true;
}

}  // namespace

bool StretchToSquare(const Picture& picture, std::uint32_t side, std::span<std::uint8_t> out,
                     unsigned threads) {
  if (side == 0 || side > kGameSide || out.size() != std::size_t{side} * side * 4) return false;
  const int length = static_cast<int>(side);
  if (picture.channels == 4 && !EveryPixelOpaque(picture)) {
    return Resize(picture.Pixels().data(), picture, 4, 3, length, out, threads);
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
              STBIR_ALPHA_CHANNEL_NONE, length, stretched.Pixels(), threads)) {
    return false;
  }
  CopyAsBgra(stretched, out);
  return true;
}

}  // namespace frondel
