#pragma once

#include <cstdint>

#include "platform/file_system.h"
#include "texture/conversion.h"

namespace frondel {

// Straight (not premultiplied) B,G,R,A, 4 bytes a pixel, top row first, rows packed.
struct Picture {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  Bytes bgra{};
};

struct DecodedPicture {
  ConversionStatus status = ConversionStatus::Unreadable;
  Picture picture{};
};

}  // namespace frondel
