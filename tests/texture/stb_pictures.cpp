#include "support/stb_pictures.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

#include <memory>

namespace frondel::testing::stb {

Bytes Write(Kind kind, unsigned width, unsigned height, const PixelAt& pixel) {
  const int channels = kind == Kind::Bmp ? 3 : 4;
  Bytes pixels;
  for (unsigned y = 0; y < height; ++y) {
    for (unsigned x = 0; x < width; ++x) {
      const Rgba c = pixel(x, y);
      pixels.insert(pixels.end(), {c.r, c.g, c.b, c.a});
      if (channels == 3) pixels.pop_back();
    }
  }
  Bytes out;
  const auto append = [](void* to, void* data, int size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    static_cast<Bytes*>(to)->insert(static_cast<Bytes*>(to)->end(), bytes, bytes + size);
  };
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  stbi_write_tga_with_rle = kind == Kind::TgaRunLength;
  const int written =
      kind == Kind::Png   ? stbi_write_png_to_func(append, &out, w, h, channels, pixels.data(), 0)
      : kind == Kind::Bmp ? stbi_write_bmp_to_func(append, &out, w, h, channels, pixels.data())
                          : stbi_write_tga_to_func(append, &out, w, h, channels, pixels.data());
  return written ? out : Bytes{};
}

Decoded ReadPng(ByteView png) {
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, void (*)(void*)> rgba(
      stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width, &height, &channels,
                            4),
      stbi_image_free);
  Decoded decoded;
  if (!rgba) return decoded;
  decoded.width = static_cast<unsigned>(width);
  decoded.height = static_cast<unsigned>(height);
  for (std::size_t i = 0; i < std::size_t(width) * height; ++i) {
    const stbi_uc* p = rgba.get() + 4 * i;
    decoded.pixels.push_back({p[0], p[1], p[2], p[3]});
  }
  return decoded;
}

}  // namespace frondel::testing::stb
