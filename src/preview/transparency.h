#pragma once

#include <cstdint>
#include <span>

#include "preview/preview.h"

namespace frondel {

// The checkerboard behind a texture's transparency: squares of kCheckerSquare box pixels,
// light and dark grey, the top left one light.
inline constexpr std::uint32_t kCheckerSquare = 8;
inline constexpr std::uint8_t kCheckerLight = 204;
inline constexpr std::uint8_t kCheckerDark = 153;

// Lays B,G,R,A pixels with straight alpha, `width` to a row, over the checkerboard, in place;
// every pixel comes out opaque.
void LayOverCheckerboard(std::span<std::uint8_t> pixels, std::uint32_t width);

// A ready preview as the box shows it with the texture's transparency: stretched to the box's
// size first and then laid over the checkerboard, so that the squares keep their size whatever
// the texture's. A preview without alpha, or an empty box, gives the picture as it is, just as
// without the transparency.
PreviewPicture WithTransparency(const Preview& preview, std::uint32_t box_width,
                                std::uint32_t box_height);

}  // namespace frondel
