#pragma once

#include <vector>

#include "platform/file_system.h"
#include "support/rgba.h"

// Pictures written and read back at test time by stb's encoders and decoders, which every
// build has, so the tests of the conversion run on every platform.
namespace frondel::testing::stb {

enum class Kind { Png, Bmp, Tga, TgaRunLength };

// PNG and TGA with alpha; BMP 24-bit.
Bytes Write(Kind kind, unsigned width, unsigned height, const PixelAt& pixel);

struct Decoded {
  unsigned width = 0, height = 0;
  std::vector<Rgba> pixels;  // top row first
};

// Any PNG; empty when it cannot be read.
Decoded ReadPng(ByteView png);

}  // namespace frondel::testing::stb
