// Any bytes through the layout check, the conversion to the game's layout (every decoder, TGA
// included, and the resampler) and the PNG export; and the same bytes as raw pixels straight
// through the resampler, so that odd sizes and alphas reach it without a decoder in between.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "texture/conversion.h"
#include "texture/resample.h"
#include "texture/texture_layout.h"

namespace {

// The first byte gives the width (1 to 256), the second the side to stretch to (1 to 64, small
// so that the fuzzer runs fast; the game's side takes the same code); the rest are B,G,R,A
// pixels, whole rows only.
void Stretch(frondel::ByteView bytes) {
  if (bytes.size() < 6) return;
  frondel::Picture picture;
  picture.width = bytes[0] + 1u;
  const std::uint32_t side = bytes[1] % 64 + 1u;
  picture.height = static_cast<std::uint32_t>((bytes.size() - 2) / 4 / picture.width);
  if (picture.height == 0) return;
  picture.Allocate();
  const std::span<std::uint8_t> pixels = picture.Pixels();
  std::copy_n(bytes.begin() + 2, pixels.size(), pixels.begin());
  frondel::Bytes out(std::size_t{side} * side * 4);
  if (!frondel::StretchToSquare(picture, side, out)) __builtin_trap();
  // A picture transparent all over stays so.
  bool transparent = true;
  for (std::size_t at = 3; at < pixels.size(); at += 4) transparent &= pixels[at] == 0;
  for (std::size_t at = 3; transparent && at < out.size(); at += 4) {
    if (out[at] != 0) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace frondel;
  const ByteView file(data, size);
  const TextureLayout layout = DescribeTexture(file);
  const Conversion texture = ConvertToGameTexture(file);
  if (texture.status == ConversionStatus::Done) {
    if (!DescribeTexture(texture.bytes).is_game_layout) __builtin_trap();
    if (layout.is_game_layout &&
        !std::equal(file.begin(), file.end(), texture.bytes.begin(), texture.bytes.end())) {
      __builtin_trap();  // the game's layout passes unchanged
    }
  } else if (layout.is_game_layout) {
    __builtin_trap();
  }
  const Conversion png = EncodePng(file);
  if (png.status == ConversionStatus::Done && DescribeTexture(png.bytes).kind != PictureKind::Png) {
    __builtin_trap();
  }
  Stretch(file);
  return 0;
}
