#include "texture/texture_layout.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/little_endian.h"
#include "texture/dds_description.h"
#include "texture/dds_format.h"

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

// "B,G,R,A" for channels that are whole bytes, in the order they are stored; empty otherwise.
std::string ChannelOrder(const DdsDescription& dds) {
  if (!WholeBytePixels(dds.bits)) return {};
  std::string order;
  for (std::uint32_t byte = 0; byte < dds.bits / 8; ++byte) {
    const char channel = ChannelInByte(dds, byte, true);
    if (channel == 'X' && byte != 3) return {};
    if (!order.empty()) order += ',';
    order += channel;
  }
  return order;
}

std::string FourCCText(const DdsDescription& dds) {
  if (!std::ranges::all_of(dds.four_cc, IsShownAsIs)) return "of an unknown kind";
  return std::string(dds.four_cc.begin(), dds.four_cc.end());
}

TextureLayout DescribeDds(ByteView file) {
  const std::optional<DdsDescription> dds = DescribeDdsHeader(file);
  if (!dds || !dds->header_whole) return {PictureKind::Dds, "DDS with a damaged header", false};
  std::string format;
  const std::uint32_t kind = dds->pixel_flags & dds::kPixelKinds;
  if (kind == dds::kPixelRgb) {
    const std::string order = ChannelOrder(*dds);
    format = std::to_string(dds->bits) + "-bit" + (order.empty() ? "" : " " + order);
  } else if (kind == dds::kPixelFourCC) {
    format = FourCCText(*dds);
  } else {
    format = "of an unknown pixel format";
  }
  // "DDS 1024x1024, 32-bit B,G,R,A" but "DDS 512x512 DXT5": a code reads as part of the size.
  const char* between = kind == dds::kPixelRgb ? ", " : " ";
  const Size size{dds->width, dds->height};
  std::string text = WithSize("DDS", size) + between + format + ", " + std::to_string(dds->levels) +
                     (dds->levels == 1 ? " level" : " levels");
  if (dds->game_layout) text += ": the game's layout";
  return {PictureKind::Dds, text, dds->game_layout, size.width, size.height};
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
