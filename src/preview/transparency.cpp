#include "preview/transparency.h"

#include <algorithm>
#include <vector>

namespace frondel {
namespace {

// Where each of `count` box pixels starts among `source` texture pixels, and where the last
// ends: a box pixel stands for the texture pixels whose centres fall in it, at least one.
std::vector<std::uint32_t> Spans(std::uint32_t source, std::uint32_t count) {
  std::vector<std::uint32_t> starts(count + 1);
  for (std::uint32_t i = 0; i <= count; ++i) {
    starts[i] = static_cast<std::uint32_t>(std::uint64_t{i} * source / count);
  }
  return starts;
}

// The texture with its alpha stretched to the box: each box pixel the average of the texture
// pixels it stands for, colours weighted by their alpha, so that a transparent pixel's colour
// never shows. An area average reads each texture pixel once, a few milliseconds for a
// 1024x1024 texture; a box larger than the texture repeats its pixels.
PreviewPicture Stretched(const Preview& preview, std::uint32_t width, std::uint32_t height) {
  const PreviewPicture& picture = preview.picture;
  const std::vector<std::uint32_t> columns = Spans(picture.width, width);
  const std::vector<std::uint32_t> rows = Spans(picture.height, height);
  PreviewPicture shown{width, height, Bytes(std::size_t{width} * height * 4)};
  std::uint8_t* out = shown.pixels.data();
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::uint32_t top = std::min(rows[y], picture.height - 1);
    const std::uint32_t bottom = std::max(rows[y + 1], top + 1);
    for (std::uint32_t x = 0; x < width; ++x, out += 4) {
      const std::uint32_t left = std::min(columns[x], picture.width - 1);
      const std::uint32_t right = std::max(columns[x + 1], left + 1);
      std::uint64_t blue = 0, green = 0, red = 0, alpha = 0;
      for (std::uint32_t row = top; row < bottom; ++row) {
        const std::size_t first = std::size_t{row} * picture.width;
        for (std::uint32_t column = left; column < right; ++column) {
          const std::uint8_t* pixel = &picture.pixels[(first + column) * 4];
          const unsigned weight = preview.alpha[first + column];
          blue += pixel[0] * weight;
          green += pixel[1] * weight;
          red += pixel[2] * weight;
          alpha += weight;
        }
      }
      const std::uint64_t count = std::uint64_t{bottom - top} * (right - left);
      if (alpha > 0) {
        out[0] = static_cast<std::uint8_t>((blue + alpha / 2) / alpha);
        out[1] = static_cast<std::uint8_t>((green + alpha / 2) / alpha);
        out[2] = static_cast<std::uint8_t>((red + alpha / 2) / alpha);
      }
      out[3] = static_cast<std::uint8_t>((alpha + count / 2) / count);
    }
  }
  return shown;
}

}  // namespace

void LayOverCheckerboard(std::span<std::uint8_t> pixels, std::uint32_t width) {
  const std::size_t count = width == 0 ? 0 : pixels.size() / 4;
  for (std::size_t pixel = 0; pixel < count; ++pixel) {
    const std::size_t x = pixel % width;
    const std::size_t y = pixel / width;
    const bool light = (x / kCheckerSquare + y / kCheckerSquare) % 2 == 0;
    const unsigned ground = light ? kCheckerLight : kCheckerDark;
    std::uint8_t* at = pixels.data() + pixel * 4;
    const unsigned alpha = at[3];
    // Rounded to the nearest level: (colour * alpha + ground * (255 - alpha)) / 255.
    for (int channel = 0; channel < 3; ++channel) {
      const unsigned mixed = at[channel] * alpha + ground * (255 - alpha) + 127;
      at[channel] = static_cast<std::uint8_t>(mixed / 255);
    }
    at[3] = 255;
  }
}

PreviewPicture WithTransparency(const Preview& preview, std::uint32_t box_width,
                                std::uint32_t box_height) {
  const PreviewPicture& picture = preview.picture;
  if (preview.alpha.empty() || picture.width == 0 || picture.height == 0 || box_width == 0 ||
      box_height == 0) {
    return picture;
  }
  PreviewPicture shown = Stretched(preview, box_width, box_height);
  LayOverCheckerboard(shown.pixels, box_width);
  return shown;
}

}  // namespace frondel
