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

enum class EncodedKind { Png, Bmp };

// The picture as a PNG of 8 bits for each of R, G, B and A, or as a 32-bit BMP; nothing when
// the encoder fails.
std::optional<Bytes> EncodeWithPlatform(const Picture& picture, EncodedKind kind);

}  // namespace frondel
