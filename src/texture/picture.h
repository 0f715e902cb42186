#pragma once

#include <cstdint>
#include <span>

#include "platform/file_system.h"
#include "texture/conversion.h"

namespace frondel {

// A decoded picture: top row first, rows packed, B,G,R for a picture without alpha (3 bytes a
// pixel) or B,G,R,A with straight, not premultiplied, alpha (4 bytes). The pixels follow room
// for the texture header, so that a picture of the game's size becomes the texture as it is.
struct Picture {
  static constexpr std::size_t kRoomBefore = 128;

  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t channels = 4;
  Bytes bytes{};  // kRoomBefore bytes, then the pixels

  // Makes `bytes` hold room and pixels for the size and channels set.
  void Allocate() { bytes.resize(kRoomBefore + std::size_t{width} * height * channels); }
  std::span<std::uint8_t> Pixels() { return std::span(bytes).subspan(kRoomBefore); }
  ByteView Pixels() const { return ByteView(bytes).subspan(kRoomBefore); }
};

struct DecodedPicture {
  ConversionStatus status = ConversionStatus::Unreadable;
  Picture picture{};
};

// Any picture of the kinds taken, decoded by the platform's back end or, for TGA, by ours; the
// DDS and PNG headers checked first, the size checked before any pixel is decoded. A DDS that
// stores no alpha comes out opaque.
DecodedPicture DecodePicture(ByteView file);

// The pixels as B,G,R,A into `out` (width x height x 4 bytes), opaque where they have no alpha.
void CopyAsBgra(const Picture& picture, std::span<std::uint8_t> out);

}  // namespace frondel
