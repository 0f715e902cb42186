#include "texture/dds_header_check.h"

#include <cstdint>

#include "platform/little_endian.h"
#include "texture/dds_format.h"

namespace frondel {
namespace {

// Whether `rows` rows of `row_bytes` each fit in `available` bytes. Divides rather than
// multiplies, so that no width or height in a header can overflow.
bool RowsFit(std::uint64_t row_bytes, std::uint64_t rows, std::uint64_t available) {
  return rows <= available / row_bytes;
}

// Only 24- and 32-bit textures with whole-byte channels: the library copies their bytes as
// they are and ignores the masks, so the masks decide whether red and blue must be swapped.
DdsVerdict InspectUncompressed(ByteView texture, std::uint32_t width, std::uint32_t height) {
  const std::uint32_t bits = GetU32(texture, dds::kBitCountAt);
  if (bits != 24 && bits != 32) return DdsVerdict::NotPreviewable;
  const std::uint32_t red = GetU32(texture, dds::kRedMaskAt);
  const std::uint32_t green = GetU32(texture, dds::kGreenMaskAt);
  const std::uint32_t blue = GetU32(texture, dds::kBlueMaskAt);
  const std::uint32_t alpha = GetU32(texture, dds::kAlphaMaskAt);
  const bool alpha_fits = alpha == 0 || (bits == 32 && alpha == dds::kTopByte);
  if (green != dds::kMiddleByte || !alpha_fits) return DdsVerdict::NotPreviewable;

  DdsVerdict order;
  if (red == dds::kHighByte && blue == dds::kLowByte) {
    order = DdsVerdict::AsIs;
  } else if (red == dds::kLowByte && blue == dds::kHighByte) {
    order = DdsVerdict::SwapRedBlue;
  } else {
    return DdsVerdict::NotPreviewable;
  }

  // The library steps from row to row by the pitch when the header gives one; a pitch shorter
  // than a row would make it read rows over each other.
  const std::uint64_t row_bytes = std::uint64_t(width) * (bits / 8);
  std::uint64_t pitch = row_bytes;
  if ((GetU32(texture, dds::kFlagsAt) & dds::kFlagPitch) != 0) {
    pitch = GetU32(texture, dds::kPitchAt);
    if (pitch < row_bytes) return DdsVerdict::NotPreviewable;
  }
  const std::uint64_t available = texture.size() - dds::kPixelDataOffset;
  return RowsFit(pitch, height, available) ? order : DdsVerdict::NotPreviewable;
}

// DXT1, DXT3 and DXT5. A DX10 header, BC4 to BC7 and every other code are kinds the library
// cannot decode. It drops a partial column of blocks and then reads every later row of
// blocks out of place, so sides that are not whole blocks are refused too.
DdsVerdict InspectBlockCompressed(ByteView texture, std::uint32_t width, std::uint32_t height) {
  const std::uint32_t code = GetU32(texture, dds::kFourCCAt);
  std::uint32_t block_bytes;
  if (code == dds::kDxt1) {
    block_bytes = dds::kDxt1BlockBytes;
  } else if (code == dds::kDxt3 || code == dds::kDxt5) {
    block_bytes = dds::kDxt35BlockBytes;
  } else {
    return DdsVerdict::NotPreviewable;
  }
  if (width % dds::kBlockSide != 0 || height % dds::kBlockSide != 0) {
    return DdsVerdict::NotPreviewable;
  }
  const std::uint64_t block_row_bytes = std::uint64_t(width / dds::kBlockSide) * block_bytes;
  const std::uint64_t available = texture.size() - dds::kPixelDataOffset;
  return RowsFit(block_row_bytes, height / dds::kBlockSide, available) ? DdsVerdict::AsIs
                                                                       : DdsVerdict::NotPreviewable;
}

}  // namespace

DdsVerdict CheckDdsHeader(ByteView texture) {
  if (texture.size() < dds::kPixelDataOffset) return DdsVerdict::NotPreviewable;
  if (GetU32(texture, dds::kMagicAt) != dds::kMagic ||
      GetU32(texture, dds::kHeaderSizeAt) != dds::kHeaderSize ||
      GetU32(texture, dds::kPixelFormatSizeAt) != dds::kPixelFormatSize) {
    return DdsVerdict::NotPreviewable;
  }
  // The library would show one face of a cube or one slice of a volume as if it were all.
  if ((GetU32(texture, dds::kCaps2At) & (dds::kCaps2Cubemap | dds::kCaps2Volume)) != 0) {
    return DdsVerdict::NotPreviewable;
  }
  const std::uint32_t width = GetU32(texture, dds::kWidthAt);
  const std::uint32_t height = GetU32(texture, dds::kHeightAt);
  if (width == 0 || height == 0) return DdsVerdict::NotPreviewable;

  // Exactly one kind of layout: the library would take RGB over a code, and decodes neither
  // luminance, YUV nor alpha-only textures right.
  const std::uint32_t kind = GetU32(texture, dds::kPixelFormatFlagsAt) & dds::kPixelKinds;
  if (kind == dds::kPixelRgb) return InspectUncompressed(texture, width, height);
  if (kind == dds::kPixelFourCC) return InspectBlockCompressed(texture, width, height);
  return DdsVerdict::NotPreviewable;
}

bool DdsStoresNoAlpha(ByteView texture) {
  if (texture.size() < dds::kAlphaMaskAt + 4) return false;
  return (GetU32(texture, dds::kPixelFormatFlagsAt) & dds::kPixelRgb) != 0 &&
         GetU32(texture, dds::kAlphaMaskAt) == 0;
}

}  // namespace frondel
