#include "texture/texture_layout.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

#include "platform/little_endian.h"
#include "texture/dds_format.h"
#include "texture/dds_header_check.h"

namespace frondel {
namespace {

struct Size {
  std::uint32_t width, height;
};

std::string WithSize(std::string kind, std::optional<Size> size) {
  if (!size) return kind;
  return kind + " " + std::to_string(size->width) + "x" + std::to_string(size->height);
}

TextureLayout Sized(PictureKind kind, const char* name, std::optional<Size> size) {
  TextureLayout layout{kind, WithSize(name, size)};
  if (size) {
    layout.width = size->width;
    layout.height = size->height;
  }
  return layout;
}

bool StartsWith(ByteView file, std::initializer_list<std::uint8_t> mark) {
  return file.size() >= mark.size() && std::equal(mark.begin(), mark.end(), file.begin());
}

// The channel whose mask is exactly the `byte`th byte of a pixel, or 'X' for none. The alpha
// mask counts only with `with_alpha`.
char ChannelInByte(ByteView file, std::uint32_t byte, bool with_alpha) {
  const std::array<std::pair<std::size_t, char>, 4> masks{{{dds::kRedMaskAt, 'R'},
                                                           {dds::kGreenMaskAt, 'G'},
                                                           {dds::kBlueMaskAt, 'B'},
                                                           {dds::kAlphaMaskAt, 'A'}}};
  char channel = 'X';
  for (const auto& [at, name] : masks) {
    if ((name != 'A' || with_alpha) && GetU32(file, at) == std::uint32_t{0xff} << (8 * byte)) {
      channel = name;
    }
  }
  return channel;
}

bool WholeBytePixels(std::uint32_t bits) { return bits != 0 && bits <= 32 && bits % 8 == 0; }

// "B,G,R,A" for channels that are whole bytes, in the order they are stored; empty otherwise.
std::string ChannelOrder(ByteView file, std::uint32_t bits) {
  if (!WholeBytePixels(bits)) return {};
  std::string order;
  for (std::uint32_t byte = 0; byte < bits / 8; ++byte) {
    const char channel = ChannelInByte(file, byte, true);
    if (channel == 'X' && byte != 3) return {};
    if (!order.empty()) order += ',';
    order += channel;
  }
  return order;
}

std::string FourCCText(std::uint32_t code) {
  std::string text;
  for (int i = 0; i < 4; ++i) {
    const char c = static_cast<char>(code >> (8 * i));
    if (c < ' ' || c > '~') return "of an unknown kind";
    text += c;
  }
  return text;
}

// The header check's AsIs already holds an RGB texture to the masks of B,G,R(,A); what it
// leaves open is the size, the bit count and the levels.
bool IsGameLayout(ByteView file) {
  return file.size() == kGameTextureBytes && CheckDdsHeader(file) == DdsVerdict::AsIs &&
         (GetU32(file, dds::kPixelFormatFlagsAt) & dds::kPixelKinds) == dds::kPixelRgb &&
         GetU32(file, dds::kBitCountAt) == 32 && GetU32(file, dds::kWidthAt) == kGameSide &&
         GetU32(file, dds::kHeightAt) == kGameSide && GetU32(file, dds::kMipMapCountAt) <= 1;
}

TextureLayout DescribeDds(ByteView file) {
  if (file.size() < dds::kPixelDataOffset || GetU32(file, dds::kHeaderSizeAt) != dds::kHeaderSize) {
    return {PictureKind::Dds, "DDS with a damaged header", false};
  }
  std::string format;
  const std::uint32_t kind = GetU32(file, dds::kPixelFormatFlagsAt) & dds::kPixelKinds;
  if (kind == dds::kPixelRgb) {
    const std::uint32_t bits = GetU32(file, dds::kBitCountAt);
    const std::string order = ChannelOrder(file, bits);
    format = std::to_string(bits) + "-bit" + (order.empty() ? "" : " " + order);
  } else if (kind == dds::kPixelFourCC) {
    format = FourCCText(GetU32(file, dds::kFourCCAt));
  } else {
    format = "of an unknown pixel format";
  }
  const std::uint32_t levels = std::max(GetU32(file, dds::kMipMapCountAt), 1u);
  // "DDS 1024x1024, 32-bit B,G,R,A" but "DDS 512x512 DXT5": a code reads as part of the size.
  const char* between = kind == dds::kPixelRgb ? ", " : " ";
  const Size size{GetU32(file, dds::kWidthAt), GetU32(file, dds::kHeightAt)};
  std::string text = WithSize("DDS", size) + between + format + ", " + std::to_string(levels) +
                     (levels == 1 ? " level" : " levels");
  const bool game = IsGameLayout(file);
  if (game) text += ": the game's layout";
  return {PictureKind::Dds, text, game, size.width, size.height};
}

std::optional<Size> PngSize(ByteView file) {
  if (file.size() < 24 || GetU32BigEndian(file, 12) != 0x49484452) return std::nullopt;  // IHDR
  return Size{GetU32BigEndian(file, 16), GetU32BigEndian(file, 20)};
}

// The frame header (SOF) follows other segments; each segment gives its own length.
std::optional<Size> JpegSize(ByteView file) {
  std::size_t at = 2;
  while (at + 4 <= file.size() && file[at] == 0xff) {
    const std::uint8_t marker = file[at + 1];
    if (marker == 0xff) {
      ++at;
      continue;
    }
    const bool frame =
        marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
    if (frame) {
      if (at + 9 > file.size()) return std::nullopt;
      return Size{GetU16BigEndian(file, at + 7), GetU16BigEndian(file, at + 5)};
    }
    const std::uint16_t length = GetU16BigEndian(file, at + 2);
    if (length < 2) return std::nullopt;
    at += 2 + length;
  }
  return std::nullopt;
}

// Old headers of 12 bytes hold 16-bit sides; later ones signed 32-bit, negative heights
// for pictures stored top row first.
std::optional<Size> BmpSize(ByteView file) {
  if (file.size() < 26) return std::nullopt;
  const std::uint32_t header = GetU32(file, 14);
  if (header == 12) return Size{GetU16(file, 18), GetU16(file, 20)};
  if (header < 40) return std::nullopt;
  const auto side = [&](std::size_t at) {
    return static_cast<std::uint32_t>(std::abs(std::int64_t{GetInt32(file, at)}));
  };
  return Size{side(18), side(22)};
}

std::optional<Size> TgaSize(ByteView file) {
  constexpr std::size_t kHeaderBytes = 18;
  if (file.size() < kHeaderBytes || file[1] > 1) return std::nullopt;
  const std::uint8_t type = file[2];
  const std::uint8_t depth = file[16];
  const bool known_type = (type >= 1 && type <= 3) || (type >= 9 && type <= 11);
  const bool known_depth = depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
  const Size size{GetU16(file, 12), GetU16(file, 14)};
  if (!known_type || !known_depth || size.width == 0 || size.height == 0) return std::nullopt;
  return size;
}

}  // namespace

TextureLayout DescribeTexture(ByteView file) {
  if (file.size() >= 4 && GetU32(file, dds::kMagicAt) == dds::kMagic) return DescribeDds(file);
  if (StartsWith(file, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'})) {
    return Sized(PictureKind::Png, "PNG", PngSize(file));
  }
  if (StartsWith(file, {0xff, 0xd8, 0xff})) {
    return Sized(PictureKind::Jpeg, "JPEG", JpegSize(file));
  }
  if (StartsWith(file, {'B', 'M'})) return Sized(PictureKind::Bmp, "BMP", BmpSize(file));
  if (StartsWith(file, {'I', 'I', '*', 0}) || StartsWith(file, {'M', 'M', 0, '*'})) {
    return {PictureKind::Tiff, "TIFF"};
  }
  if (const std::optional<Size> size = TgaSize(file)) {
    return Sized(PictureKind::Tga, "TGA", size);
  }
  return {PictureKind::Unknown, "not a picture"};
}

namespace {

// The channels from the lowest byte up ("B8G8R8A8"), or the kind and bit count when the masks
// are not whole bytes.
std::string PixelFormatName(ByteView file) {
  const std::uint32_t flags = GetU32(file, dds::kPixelFormatFlagsAt);
  const std::uint32_t bits = GetU32(file, dds::kBitCountAt);
  if (flags & dds::kPixelFourCC) {
    std::string code;
    for (std::size_t i = 0; i < 4; ++i) {
      const char c = static_cast<char>(file[dds::kFourCCAt + i]);
      code += c >= ' ' && c <= '~' ? c : '?';
    }
    return code;
  }
  const bool with_alpha = (flags & dds::kPixelAlphaPixels) != 0;
  if (flags & dds::kPixelRgb && WholeBytePixels(bits)) {
    std::size_t used = 0;
    for (std::size_t at : {dds::kRedMaskAt, dds::kGreenMaskAt, dds::kBlueMaskAt}) {
      used += GetU32(file, at) != 0;
    }
    used += with_alpha && GetU32(file, dds::kAlphaMaskAt) != 0;
    std::string name;
    std::size_t matched = 0;
    for (std::uint32_t byte = 0; byte < bits / 8; ++byte) {
      const char channel = ChannelInByte(file, byte, with_alpha);
      matched += channel != 'X';
      name += channel;
      name += '8';
    }
    // Every channel a whole byte of its own: otherwise the name would hide a channel.
    if (matched > 0 && matched == used) return name;
  }
  const char* kind = flags & dds::kPixelRgb         ? "RGB"
                     : flags & dds::kPixelLuminance ? "luminance"
                     : flags & dds::kPixelAlphaOnly ? "alpha"
                     : flags & dds::kPixelYuv       ? "YUV"
                                                    : "unknown";
  return std::string(kind) + " " + std::to_string(bits) + "-bit";
}

}  // namespace

std::optional<DdsSummary> SummarizeDds(ByteView file) {
  if (file.size() < dds::kPixelDataOffset || GetU32(file, dds::kMagicAt) != dds::kMagic) {
    return std::nullopt;
  }
  return DdsSummary{GetU32(file, dds::kWidthAt), GetU32(file, dds::kHeightAt),
                    PixelFormatName(file), std::max(GetU32(file, dds::kMipMapCountAt), 1u),
                    IsGameLayout(file)};
}

Bytes GameTextureHeader() {
  Bytes header(dds::kPixelDataOffset, 0);
  PutU32(header, dds::kMagicAt, dds::kMagic);
  PutU32(header, dds::kHeaderSizeAt, dds::kHeaderSize);
  PutU32(header, dds::kFlagsAt,
         dds::kFlagCaps | dds::kFlagHeight | dds::kFlagWidth | dds::kFlagPitch |
             dds::kFlagPixelFormat);
  PutU32(header, dds::kHeightAt, kGameSide);
  PutU32(header, dds::kWidthAt, kGameSide);
  PutU32(header, dds::kPitchAt, kGameRowBytes);
  PutU32(header, dds::kPixelFormatSizeAt, dds::kPixelFormatSize);
  PutU32(header, dds::kPixelFormatFlagsAt, dds::kPixelRgb | dds::kPixelAlphaPixels);
  PutU32(header, dds::kBitCountAt, 32);
  PutU32(header, dds::kRedMaskAt, dds::kHighByte);
  PutU32(header, dds::kGreenMaskAt, dds::kMiddleByte);
  PutU32(header, dds::kBlueMaskAt, dds::kLowByte);
  PutU32(header, dds::kAlphaMaskAt, dds::kTopByte);
  PutU32(header, dds::kCapsAt, dds::kCapsTexture);
  return header;
}

}  // namespace frondel
