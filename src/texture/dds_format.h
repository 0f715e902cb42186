#pragma once

#include <cstddef>
#include <cstdint>

// The DDS texture file as the preview, the layout check and the conversion read and write it: byte
// offsets from the start of the file, the values the fields may hold, and their meaning. Every
// field is a little-endian 32-bit value.
namespace frondel::dds {

inline constexpr std::uint32_t FourCC(char a, char b, char c, char d) {
  return std::uint32_t(std::uint8_t(a)) | std::uint32_t(std::uint8_t(b)) << 8 |
         std::uint32_t(std::uint8_t(c)) << 16 | std::uint32_t(std::uint8_t(d)) << 24;
}

inline constexpr std::uint32_t kMagic = FourCC('D', 'D', 'S', ' ');
inline constexpr std::uint32_t kHeaderSize = 124;      // the header after the magic
inline constexpr std::uint32_t kPixelFormatSize = 32;  // the pixel format inside the header
inline constexpr std::size_t kPixelDataOffset = 4 + kHeaderSize;

// Offsets of the fields.
inline constexpr std::size_t kMagicAt = 0;
inline constexpr std::size_t kHeaderSizeAt = 4;
inline constexpr std::size_t kFlagsAt = 8;
inline constexpr std::size_t kHeightAt = 12;
inline constexpr std::size_t kWidthAt = 16;
inline constexpr std::size_t kPitchAt = 20;
inline constexpr std::size_t kMipMapCountAt = 28;
inline constexpr std::size_t kPixelFormatSizeAt = 76;
inline constexpr std::size_t kPixelFormatFlagsAt = 80;
inline constexpr std::size_t kFourCCAt = 84;
inline constexpr std::size_t kBitCountAt = 88;
inline constexpr std::size_t kRedMaskAt = 92;
inline constexpr std::size_t kGreenMaskAt = 96;
inline constexpr std::size_t kBlueMaskAt = 100;
inline constexpr std::size_t kAlphaMaskAt = 104;
inline constexpr std::size_t kCapsAt = 108;
inline constexpr std::size_t kCaps2At = 112;

// Header flags: which fields hold a value.
inline constexpr std::uint32_t kFlagCaps = 0x1;
inline constexpr std::uint32_t kFlagHeight = 0x2;
inline constexpr std::uint32_t kFlagWidth = 0x4;
inline constexpr std::uint32_t kFlagPitch = 0x8;
inline constexpr std::uint32_t kFlagPixelFormat = 0x1000;

// First capability flags.
inline constexpr std::uint32_t kCapsTexture = 0x1000;

// Pixel-format flags that name a layout. The flag for alpha pixels may accompany any of them
// and changes nothing for the preview.
inline constexpr std::uint32_t kPixelAlphaPixels = 0x1;
inline constexpr std::uint32_t kPixelAlphaOnly = 0x2;
inline constexpr std::uint32_t kPixelFourCC = 0x4;
inline constexpr std::uint32_t kPixelRgb = 0x40;
inline constexpr std::uint32_t kPixelYuv = 0x200;
inline constexpr std::uint32_t kPixelLuminance = 0x20000;
inline constexpr std::uint32_t kPixelKinds =
    kPixelAlphaOnly | kPixelFourCC | kPixelRgb | kPixelYuv | kPixelLuminance;

// Second capability flags: textures that hold more than one flat picture.
inline constexpr std::uint32_t kCaps2Cubemap = 0x200;
inline constexpr std::uint32_t kCaps2Volume = 0x200000;

// Block-compressed kinds: 4x4 pixels per block.
inline constexpr std::uint32_t kDxt1 = FourCC('D', 'X', 'T', '1');
inline constexpr std::uint32_t kDxt3 = FourCC('D', 'X', 'T', '3');
inline constexpr std::uint32_t kDxt5 = FourCC('D', 'X', 'T', '5');
inline constexpr std::uint32_t kDxt1BlockBytes = 8;
inline constexpr std::uint32_t kDxt35BlockBytes = 16;
inline constexpr std::uint32_t kBlockSide = 4;

// Colour masks of the byte orders we show: B,G,R(,A) as the bitmap stores them, and R,G,B(,A)
// which needs red and blue swapped.
inline constexpr std::uint32_t kLowByte = 0x000000ff;
inline constexpr std::uint32_t kMiddleByte = 0x0000ff00;
inline constexpr std::uint32_t kHighByte = 0x00ff0000;
inline constexpr std::uint32_t kTopByte = 0xff000000;

}  // namespace frondel::dds
