#pragma once

#include <cstdint>
#include <string_view>

#include "platform/file_system.h"

namespace frondel {

enum class ConversionStatus {
  Done,         // `bytes` holds the result
  UnknownKind,  // not one of the kinds taken (kTakenKinds)
  Unreadable,   // one of the kinds taken, but damaged or of a variant that cannot be read
  TooLarge,     // more than kMaxPicturePixels
};

struct Conversion {
  ConversionStatus status = ConversionStatus::Unreadable;
  Bytes bytes{};
  std::uint32_t from_width = 0;  // the picture's own size
  std::uint32_t from_height = 0;
  bool scaled = false;  // stretched to the game's size, as the preview stretches
};

// 8192x8192: far beyond any menu picture, and its 256 MiB of pixels fit in memory.
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{8192} * 8192;

// Whether the header of a picture of the kinds taken, DDS included, gives it more than
// kMaxPicturePixels; read before any decoder sees the file.
bool LargerThanTaken(ByteView picture);

inline constexpr std::string_view kTakenKinds = "DDS, PNG, JPEG, BMP, TGA and TIFF";

// Any picture of the kinds taken to a texture in the game's layout (texture_layout.h): 32-bit
// with alpha, opaque where the picture has none, stretched to 1024x1024 by our own resampler
// (resample.h) when it has another size. A 1024x1024 picture keeps every pixel exactly. A
// texture already in the game's layout comes back unchanged. For a lossless picture the result
// is the same byte for byte on every platform, and whatever `threads` the stretch may use.
Conversion ConvertToGameTexture(ByteView picture, unsigned threads = 1);

// A picture of the kinds taken (a texture in the game's layout included) as a PNG of its own
// size, 8 bits for each of R, G, B and A, with the picture's alpha kept. The Linux back end
// leaves the alpha channel out when every pixel is opaque.
Conversion EncodePng(ByteView picture);

// The words for a status other than Done, to follow "could not convert <file>: ".
std::string_view RefusalReason(ConversionStatus status);

}  // namespace frondel
