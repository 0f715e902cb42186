// Any bytes through the whole conversion: the layout check, the conversion to the game's layout
// (every decoder, TGA included, and the resampler to 1024x1024) and the PNG export. Slow, as a
// user's conversion is; fuzz_decode runs the decoders and the resampler alone, at small sides.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "texture/conversion.h"
#include "texture/texture_layout.h"

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
  return 0;
}
