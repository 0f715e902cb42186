// The preview over the checkerboard: the blend of each pixel, the squares' size in box pixels
// and the stretch that weighs colours by their alpha.
#include "preview/transparency.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace frondel {
namespace {

// A preview of `width` x `height` pixels of one colour (B,G,R) and one alpha.
Preview Flat(std::uint32_t width, std::uint32_t height, Bytes bgr, std::uint8_t alpha) {
  Preview preview{PreviewStatus::Ready, {width, height, {}}, Bytes(width * height, alpha)};
  for (std::uint32_t i = 0; i < width * height; ++i) {
    preview.picture.pixels.insert(preview.picture.pixels.end(), {bgr[0], bgr[1], bgr[2], 255});
  }
  return preview;
}

// Straight alpha, rounded: colour * a / 255 + ground * (255 - a) / 255 over the light square.
TEST(Checkerboard, BlendsEachPixelByItsAlphaAsStored) {
  Bytes pixels = {
      10,  20,  30,  0,    // transparent: the light square alone
      255, 0,   100, 128,  // half: 255 -> 230, 0 -> 102, 100 -> 152
      40,  50,  60,  255,  // opaque: its colour alone
      255, 255, 255, 1,    // all but transparent
  };
  LayOverCheckerboard(pixels, 2);
  EXPECT_EQ(pixels,
            (Bytes{204, 204, 204, 255, 230, 102, 152, 255, 40, 50, 60, 255, 204, 204, 204, 255}));
}

// Fully transparent textures of any size give the bare checkerboard: squares of 8 box pixels,
// light at the top left, at the box's size whatever the texture's.
TEST(Checkerboard, SquaresAreEightBoxPixelsAtEveryBoxSize) {
  for (const auto& [width, height] : {std::pair{249u, 385u}, std::pair{374u, 578u}}) {
    const PreviewPicture shown = WithTransparency(Flat(1024, 1024, {0, 255, 0}, 0), width, height);
    ASSERT_EQ(shown.width, width);
    ASSERT_EQ(shown.height, height);
    ASSERT_EQ(shown.pixels.size(), std::size_t{width} * height * 4);
    std::string wrong;
    for (std::uint32_t y = 0; y < height && wrong.empty(); ++y) {
      for (std::uint32_t x = 0; x < width && wrong.empty(); ++x) {
        const std::uint8_t grey = (x / 8 + y / 8) % 2 == 0 ? kCheckerLight : kCheckerDark;
        const std::uint8_t* at = &shown.pixels[(std::size_t{y} * width + x) * 4];
        if (at[0] != grey || at[1] != grey || at[2] != grey || at[3] != 255) {
          wrong = std::to_string(x) + ", " + std::to_string(y);
        }
      }
    }
    EXPECT_EQ(wrong, "") << "pixel (x, y) in a box of " << width << "x" << height;
  }
}

// The colour under a transparent pixel does not bleed into its opaque neighbours: the left
// half opaque red, the right half transparent green, a seam in the middle of the box.
TEST(Checkerboard, TransparentColoursDoNotBleedAcrossTheStretch) {
  Preview preview = Flat(64, 64, {0, 0, 255}, 255);
  for (std::uint32_t y = 0; y < 64; ++y) {
    for (std::uint32_t x = 32; x < 64; ++x) {
      preview.picture.pixels[(y * 64 + x) * 4 + 1] = 255;
      preview.picture.pixels[(y * 64 + x) * 4 + 2] = 0;
      preview.alpha[y * 64 + x] = 0;
    }
  }
  const PreviewPicture shown = WithTransparency(preview, 100, 40);
  for (std::size_t at = 0; at < shown.pixels.size(); at += 4) {
    // Green is at most the checker's grey, never above the red and grey mix.
    ASSERT_LE(shown.pixels[at + 1], kCheckerLight) << "pixel " << at / 4;
  }
  EXPECT_EQ(Bytes(shown.pixels.begin(), shown.pixels.begin() + 4), (Bytes{0, 0, 255, 255}));
}

}  // namespace
}  // namespace frondel
