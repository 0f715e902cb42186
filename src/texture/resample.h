#pragma once

#include <cstdint>
#include <span>

#include "texture/picture.h"

namespace frondel {

// The picture stretched to side x side (kGameSide for the game), whatever its proportions, by
// the same resampler on every platform, so the same pixels give the same texture everywhere:
// - Mitchell-Netravali (B = C = 1/3), the cubic the conversion has always stretched with: less
//   ringing than Catmull-Rom, so hard alpha edges of cut-out art get no halo;
// - colours weighted by their alpha (premultiplied while filtering, divided back after), so a
//   transparent pixel's colour never bleeds into its neighbours as a dark fringe; a picture
//   whose every pixel is opaque is filtered on its colours alone;
// - on the stored values, not sRGB-decoded: the game and the preview show the texture's bytes
//   as they are, and the pictures converted before were filtered the same way.
// Writes side x side x 4 bytes of B,G,R,A to `out`, top row first; false for a side of 0 or
// beyond kGameSide, or when the resampler cannot allocate its work space. With `threads` above
// one, an even side is stretched in two halves of its rows side by side, to the same bytes.
bool StretchToSquare(const Picture& picture, std::uint32_t side, std::span<std::uint8_t> out,
                     unsigned threads = 1);

}  // namespace frondel
