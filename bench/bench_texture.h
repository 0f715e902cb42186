#pragma once

#include <cmath>
#include <cstdint>

#include "building/payload_parts.h"
#include "texture/texture_layout.h"

namespace frondel {

// A texture in the game's layout whose picture has gradients, shapes and grain, like a menu
// backdrop.
inline Bytes MakeTexture() {
  Bytes dds = GameTextureHeader();
  dds.resize(payload::kTextureLength, 0);
  std::uint32_t grain = 12345;
  for (std::size_t y = 0; y < 1024; ++y) {
    for (std::size_t x = 0; x < 1024; ++x) {
      grain = grain * 1664525u + 1013904223u;
      const double r = std::hypot(double(x) - 400, double(y) - 600);
      std::uint8_t* px = &dds[128 + (y * 1024 + x) * 4];
      px[0] = static_cast<std::uint8_t>(x / 4 + (grain >> 29));
      px[1] = static_cast<std::uint8_t>(y / 4 + (grain >> 30));
      px[2] = static_cast<std::uint8_t>(128 + 127 * std::sin(r / 40) + (grain >> 30));
      px[3] = 255;
    }
  }
  return dds;
}

}  // namespace frondel
