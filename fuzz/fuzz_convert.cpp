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

// The first byte gives the width (1 to 256); the rest are B,G,R,A pixels, whole rows only.
void Stretch(frondel::ByteView bytes) {
  if (bytes.size() < 5) return;
  frondel::Picture picture;
  picture.width = bytes[0] + 1u;
  picture.height = static_cast<std::uint32_t>((bytes.size() - 1) / 4 / picture.width);
  if (picture.height == 0) return;
  picture.bgra.assign(bytes.begin() + 1,
                      bytes.begin() + 1 + std::size_t{picture.width} * picture.height * 4);
  frondel::Bytes out(frondel::kGameRowBytes * frondel::kGameSide);
  if (!frondel::StretchToGameSide(picture, out)) __builtin_trap();
  // A pixel that no source pixel covers with any alpha stays fully transparent.
  bool transparent = true;
  for (std::size_t i = 3; i < picture.bgra.size(); i += 4) transparent &= picture.bgra[i] == 0;
  if (transparent && out[3] != 0) __builtin_trap();
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
