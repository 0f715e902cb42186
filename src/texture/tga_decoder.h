#pragma once

#include "texture/picture.h"

namespace frondel {

// Decodes a TGA file (true colour, grey or colour-mapped, raw or run-length encoded) on every
// platform alike. The size is checked against kMaxPicturePixels from the header, and a file too
// short for the pixels its header promises is refused, before any pixel is decoded.
DecodedPicture DecodeTga(ByteView file);

}  // namespace frondel
