#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace frondel {

// The one texture layout the game reads: a DDS of kGameSide x kGameSide pixels, 32-bit
// uncompressed B,G,R(,A), one level, nothing after the pixels.
inline constexpr std::uint32_t kGameSide = 1024;
inline constexpr std::size_t kGameRowBytes = kGameSide * 4;
inline constexpr std::size_t kGameTextureBytes = 128 + kGameRowBytes * kGameSide;

// The kinds of file told apart by their first bytes. TGA has no mark of its own, so a file
// is called one only when its header holds plausible values.
enum class PictureKind { Dds, Png, Jpeg, Tga, Bmp, Tiff, Unknown };

struct TextureLayout {
  PictureKind kind = PictureKind::Unknown;
  std::string description;  // for people: "DDS 512x512 DXT5, 10 levels", "PNG 1920x1080"
  bool is_game_layout = false;
  std::uint32_t width = 0;  // the size the header gives, 0 by 0 where it gives none (TIFF)
  std::uint32_t height = 0;
};

// The 128 bytes that begin every texture in the game's layout: magic, the standard header with
// caps, height, width, pitch and pixel format (RGB with alpha pixels, 32 bits, masks for
// B,G,R,A) and caps "texture". The pixels follow, top row first.
Bytes GameTextureHeader();

// Reads headers only, never the pixels, and never more than the file holds. Sizes are given
// for DDS, PNG, JPEG, BMP and TGA; a TIFF is named by kind only.
TextureLayout DescribeTexture(ByteView file);

}  // namespace frondel
