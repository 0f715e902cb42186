#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace frondel::cli {

// What a DDS header says about its texture.
struct DdsSummary {
  std::uint32_t width;
  std::uint32_t height;
  std::string pixel_format;  // a four-character code ("DXT1") or the channels ("B8G8R8A8")
  std::uint32_t mipmap_count;
  bool game_layout;  // the one layout the game reads (texture/texture_layout.h)
};

// Nothing when the bytes do not start with a whole DDS header.
std::optional<DdsSummary> DescribeDds(ByteView file);

}  // namespace frondel::cli
