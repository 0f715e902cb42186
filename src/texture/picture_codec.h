#pragma once

// The platform's picture back end: FreeImage on Linux, WIC on Windows. Both hand the rest of
// the conversion the same 8-bit pixels for the same lossless file.

#include <optional>

#include "texture/picture.h"
#include "texture/texture_layout.h"

namespace frondel {

// Decodes a DDS, PNG, JPEG, BMP or TIFF file of the given kind (never TGA) to 32 bits. The DDS
// and PNG headers have been checked already; the size is checked against kMaxPicturePixels
// before any pixel is decoded.
DecodedPicture DecodeWithPlatform(ByteView file, PictureKind kind);

// The picture as a PNG of 8 bits for each of R, G, B and A; nothing when the encoder fails.
std::optional<Bytes> EncodePngWithPlatform(const Picture& picture);

}  // namespace frondel
