#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/file_system.h"

namespace frondel {

// What a DDS header says about its texture, read once; whoever shows it puts it into words.
struct DdsDescription {
  bool header_whole = false;  // the header gives its own length as the standard one
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t levels = 1;              // the mipmap count, at least 1
  std::uint32_t pixel_flags = 0;         // the pixel format's flags (dds::kPixel...)
  std::uint32_t bits = 0;                // bits per pixel, for uncompressed kinds
  std::array<char, 4> four_cc{};         // the code of a compressed kind, as stored
  std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
  bool game_layout = false;              // the whole file is a texture in the game's layout
};

// Nothing when the bytes do not start with the DDS magic and the 128 bytes of a header.
std::optional<DdsDescription> DescribeDdsHeader(ByteView file);

// The channel ('R', 'G', 'B', 'A') whose mask is exactly the `byte`th byte of a pixel, or 'X'
// for none. The alpha mask counts only with `with_alpha`.
char ChannelInByte(const DdsDescription& dds, std::uint32_t byte, bool with_alpha);

// Whether a pixel of `bits` is one to four whole bytes, so its channels can be named by byte.
bool WholeBytePixels(std::uint32_t bits);

// Whether a character of a four-character code can be shown as it is.
bool IsShownAsIs(char c);

}  // namespace frondel
