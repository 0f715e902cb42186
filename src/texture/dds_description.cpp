#include "texture/dds_description.h"

#include <algorithm>

#include "platform/little_endian.h"
#include "texture/dds_format.h"
#include "texture/dds_header_check.h"
#include "texture/texture_layout.h"

namespace frondel {
namespace {

// The header check's AsIs already holds an RGB texture to the masks of B,G,R(,A); what it
// leaves open is the size, the bit count and the levels.
bool IsGameLayout(ByteView file) {
  return file.size() == kGameTextureBytes && CheckDdsHeader(file) == DdsVerdict::AsIs &&
         (GetU32(file, dds::kPixelFormatFlagsAt) & dds::kPixelKinds) == dds::kPixelRgb &&
         GetU32(file, dds::kBitCountAt) == 32 && GetU32(file, dds::kWidthAt) == kGameSide &&
         GetU32(file, dds::kHeightAt) == kGameSide && GetU32(file, dds::kMipMapCountAt) <= 1;
}

}  // namespace

std::optional<DdsDescription> DescribeDdsHeader(ByteView file) {
  if (file.size() < dds::kPixelDataOffset || GetU32(file, dds::kMagicAt) != dds::kMagic) {
    return std::nullopt;
  }
  DdsDescription dds;
  dds.header_whole = GetU32(file, dds::kHeaderSizeAt) == dds::kHeaderSize;
  dds.width = GetU32(file, dds::kWidthAt);
  dds.height = GetU32(file, dds::kHeightAt);
  dds.levels = std::max(GetU32(file, dds::kMipMapCountAt), 1u);
  dds.pixel_flags = GetU32(file, dds::kPixelFormatFlagsAt);
  dds.bits = GetU32(file, dds::kBitCountAt);
  for (std::size_t i = 0; i < dds.four_cc.size(); ++i) {
    dds.four_cc[i] = static_cast<char>(file[dds::kFourCCAt + i]);
  }
  dds.masks = {GetU32(file, dds::kRedMaskAt), GetU32(file, dds::kGreenMaskAt),
               GetU32(file, dds::kBlueMaskAt), GetU32(file, dds::kAlphaMaskAt)};
  dds.game_layout = IsGameLayout(file);
  return dds;
}

char ChannelInByte(const DdsDescription& dds, std::uint32_t byte, bool with_alpha) {
  constexpr std::array<char, 4> kNames{'R', 'G', 'B', 'A'};
  char channel = 'X';
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if ((kNames[i] != 'A' || with_alpha) && dds.masks[i] == std::uint32_t{0xff} << (8 * byte)) {
      channel = kNames[i];
    }
  }
  return channel;
}

bool WholeBytePixels(std::uint32_t bits) { return bits != 0 && bits <= 32 && bits % 8 == 0; }

bool IsShownAsIs(char c) { return c >= ' ' && c <= '~'; }

}  // namespace frondel
