#pragma once

#include <cstdint>

#include "texture/picture.h"

namespace frondel {

enum class AlphaKind {
  Opaque,       // every pixel's alpha is 255, or the picture has none
  Transparent,  // every pixel's alpha is 0
  Mixed,        // anything between
};

// How a picture uses its alpha: the pixels counted by their alpha.
struct AlphaUse {
  AlphaKind kind = AlphaKind::Opaque;
  std::uint64_t pixels = 0;
  std::uint64_t transparent = 0;  // alpha 0
  std::uint64_t partial = 0;      // alpha 1 to 254
};

AlphaUse CountAlpha(const Picture& picture);

}  // namespace frondel
