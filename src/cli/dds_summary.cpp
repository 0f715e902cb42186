#include "cli/dds_summary.h"

#include <algorithm>
#include <array>

#include "platform/little_endian.h"
#include "texture/dds_format.h"
#include "texture/texture_layout.h"

namespace frondel::cli {
namespace {

// The channels from the lowest byte up ("B8G8R8A8"), or the kind and bit count when the
// masks are not whole bytes.
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
  if (flags & dds::kPixelRgb && bits % 8 == 0 && bits <= 32) {
    const std::array<std::pair<char, std::uint32_t>, 4> channels{{
        {'R', GetU32(file, dds::kRedMaskAt)},
        {'G', GetU32(file, dds::kGreenMaskAt)},
        {'B', GetU32(file, dds::kBlueMaskAt)},
        {'A', flags & dds::kPixelAlphaPixels ? GetU32(file, dds::kAlphaMaskAt) : 0},
    }};
    std::string name;
    std::size_t matched = 0, used = 0;
    for (const auto& channel : channels) used += channel.second != 0;
    for (std::uint32_t byte = 0; byte < bits / 8; ++byte) {
      char letter = 'X';
      for (const auto& [channel, mask] : channels) {
        if (mask == 0xffu << (8 * byte)) letter = channel;
      }
      matched += letter != 'X';
      name += letter;
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

std::optional<DdsSummary> DescribeDds(ByteView file) {
  if (file.size() < dds::kPixelDataOffset || GetU32(file, dds::kMagicAt) != dds::kMagic) {
    return std::nullopt;
  }
  return DdsSummary{GetU32(file, dds::kWidthAt), GetU32(file, dds::kHeightAt),
                    PixelFormatName(file), std::max(GetU32(file, dds::kMipMapCountAt), 1u),
                    DescribeTexture(file).is_game_layout};
}

}  // namespace frondel::cli
