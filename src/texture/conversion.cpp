#include "texture/conversion.h"

#include <algorithm>
#include <string>

#include "platform/little_endian.h"
#include "texture/dds_format.h"
#include "texture/dds_header_check.h"
#include "texture/picture_codec.h"
#include "texture/resample.h"
#include "texture/texture_layout.h"
#include "texture/tga_decoder.h"

namespace frondel {
namespace {

// Whether the chunks run whole up to the end chunk. Some decoders take a cut PNG without an
// error and fill in what is missing, so a cut file is refused here, alike on every platform.
bool PngIsWhole(ByteView file) {
  constexpr std::uint32_t kEnd = 0x49454e44;  // IEND
  std::size_t at = 8;
  while (file.size() - at >= 12) {
    const std::uint32_t length = GetU32BigEndian(file, at);
    if (length > file.size() - at - 12) return false;
    if (GetU32BigEndian(file, at + 4) == kEnd) return true;
    at += 12 + std::size_t{length};
  }
  return false;
}

}  // namespace

bool LargerThanTaken(ByteView picture) {
  const TextureLayout layout = DescribeTexture(picture);
  return std::uint64_t{layout.width} * layout.height > kMaxPicturePixels;
}

DecodedPicture DecodePicture(ByteView file) {
  const PictureKind kind = DescribeTexture(file).kind;
  if (kind == PictureKind::Unknown) return {.status = ConversionStatus::UnknownKind};
  // Not every decoder can be asked for the size alone (the Linux one cannot for DDS).
  if (LargerThanTaken(file)) return {.status = ConversionStatus::TooLarge};
  if (kind == PictureKind::Tga) return DecodeTga(file);
  // Decoders take whatever is called a DDS without checking it.
  if (kind == PictureKind::Dds && CheckDdsHeader(file) == DdsVerdict::NotPreviewable) {
    return {.status = ConversionStatus::Unreadable};
  }
  if (kind == PictureKind::Png && !PngIsWhole(file))
    return {.status = ConversionStatus::Unreadable};
  DecodedPicture decoded = DecodeWithPlatform(file, kind);
  Picture& picture = decoded.picture;
  if (decoded.status == ConversionStatus::Done &&
      (picture.width == 0 || picture.height == 0 ||
       picture.bytes.size() !=
           Picture::kRoomBefore + std::size_t{picture.width} * picture.height * picture.channels)) {
    return {.status = ConversionStatus::Unreadable};
  }
  if (kind == PictureKind::Dds && DdsStoresNoAlpha(file) && picture.channels == 4) {
    for (std::size_t at = Picture::kRoomBefore + 3; at < picture.bytes.size(); at += 4) {
      picture.bytes[at] = 0xff;
    }
  }
  return decoded;
}

Conversion ConvertToGameTexture(ByteView file, unsigned threads) {
  if (DescribeTexture(file).is_game_layout) {
    return {.status = ConversionStatus::Done,
            .bytes = Bytes(file.begin(), file.end()),
            .from_width = kGameSide,
            .from_height = kGameSide};
  }
  DecodedPicture decoded = DecodePicture(file);
  if (decoded.status != ConversionStatus::Done) return {.status = decoded.status};
  Picture& picture = decoded.picture;
  Conversion result{.status = ConversionStatus::Done,
                    .from_width = picture.width,
                    .from_height = picture.height,
                    .scaled = picture.width != kGameSide || picture.height != kGameSide};
  const Bytes header = GameTextureHeader();
  static_assert(Picture::kRoomBefore == dds::kPixelDataOffset);
  if (!result.scaled && picture.channels == 4) {
    std::copy(header.begin(), header.end(), picture.bytes.begin());
    result.bytes = std::move(picture.bytes);
    return result;
  }
  result.bytes = header;
  result.bytes.resize(kGameTextureBytes);
  const std::span<std::uint8_t> pixels(result.bytes.begin() + dds::kPixelDataOffset,
                                       result.bytes.end());
  if (!result.scaled) {
    CopyAsBgra(picture, pixels);
  } else if (!StretchToSquare(picture, kGameSide, pixels, threads)) {
    return {.status = ConversionStatus::Unreadable};
  }
  return result;
}

Conversion EncodePng(ByteView file) {
  const DecodedPicture decoded = DecodePicture(file);
  if (decoded.status != ConversionStatus::Done) return {.status = decoded.status};
  std::optional<Bytes> png = EncodeWithPlatform(decoded.picture, EncodedKind::Png);
  if (!png) return {.status = ConversionStatus::Unreadable};
  return {.status = ConversionStatus::Done,
          .bytes = std::move(*png),
          .from_width = decoded.picture.width,
          .from_height = decoded.picture.height};
}

std::string_view RefusalReason(ConversionStatus status) {
  static const std::string unknown =
      "it is not a picture that can be converted (pictures taken: " + std::string(kTakenKinds) +
      ")";
  switch (status) {
    case ConversionStatus::Done:
      return {};
    case ConversionStatus::UnknownKind:
      return unknown;
    case ConversionStatus::Unreadable:
      return "the picture is damaged or of a variant that cannot be read";
    case ConversionStatus::TooLarge:
      return "the picture is larger than 8192x8192 pixels";
  }
  return {};
}

}  // namespace frondel
