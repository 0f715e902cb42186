// Any bytes through every decoder (TGA included), the decoded picture stretched to a small
// side; and the same bytes as raw pixels straight through the resampler, so that odd sizes and
// alphas reach it without a decoder in between. Small pictures and sides keep it fast;
// fuzz_convert runs the whole conversion to the game's size and the PNG export.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "texture/picture.h"
#include "texture/resample.h"
#include "texture/texture_layout.h"

namespace {

constexpr std::uint64_t kSmallPixels = 512 * 512;

// A picture transparent all over stays so.
void CheckTransparencyKept(const frondel::Picture& picture, frondel::ByteView out) {
  if (picture.channels != 4) return;
  const frondel::ByteView pixels = picture.Pixels();
  bool transparent = true;
  for (std::size_t at = 3; at < pixels.size(); at += 4) transparent &= pixels[at] == 0;
  for (std::size_t at = 3; transparent && at < out.size(); at += 4) {
    if (out[at] != 0) __builtin_trap();
  }
}

void StretchSmall(const frondel::Picture& picture, std::uint32_t side) {
  frondel::Bytes out(std::size_t{side} * side * 4);
  if (!frondel::StretchToSquare(picture, side, out)) __builtin_trap();
  CheckTransparencyKept(picture, out);
}

// The first byte gives the width (1 to 256), the second the side to stretch to (1 to 64); the
// rest are B,G,R,A pixels, whole rows only.
void StretchRaw(frondel::ByteView bytes) {
  if (bytes.size() < 6) return;
  frondel::Picture picture;
  picture.width = bytes[0] + 1u;
  picture.height = static_cast<std::uint32_t>((bytes.size() - 2) / 4 / picture.width);
  if (picture.height == 0) return;
  picture.Allocate();
  const std::span<std::uint8_t> pixels = picture.Pixels();
  std::copy_n(bytes.begin() + 2, pixels.size(), pixels.begin());
  StretchSmall(picture, bytes[1] % 64 + 1u);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace frondel;
  const ByteView file(data, size);
  StretchRaw(file);
  // Large pictures are fuzz_convert's: one of 8192x8192 takes as long as thousands of these.
  const TextureLayout layout = DescribeTexture(file);
  if (std::uint64_t{layout.width} * layout.height > kSmallPixels) return 0;
  const DecodedPicture decoded = DecodePicture(file);
  if (decoded.status == ConversionStatus::Done) {
    const Picture& picture = decoded.picture;
    if (picture.width == 0 || picture.height == 0 ||
        std::uint64_t{picture.width} * picture.height > kMaxPicturePixels) {
      __builtin_trap();  // nothing larger than the pictures taken is ever decoded
    }
    StretchSmall(picture, 1 + static_cast<std::uint32_t>(size % 32));
  }
  return 0;
}
