#include "texture/conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/bytes.h"
#include "support/dds_samples.h"
#include "support/pictures.h"
#include "texture/texture_layout.h"

namespace frondel {
namespace {

using testing::Colour;
using testing::DdsKind;
using testing::Rgba;

// The game's texture as people see it: row 0 is the top row, stored first after the header.
Rgba TexturePixel(const Bytes& texture, unsigned x, unsigned y) {
  const std::uint8_t* p = texture.data() + 128 + y * kGameRowBytes + 4 * x;
  return {p[2], p[1], p[0], p[3]};
}

Rgba Gradient(unsigned x, unsigned y) {
  return {std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y), std::uint8_t(x / 4)};
}

TEST(ConvertToGameTexture, A1024PictureKeepsEveryPixelThroughDdsAndBackToPng) {
  const auto picture = testing::MakePicture(1024, 1024, 32, Gradient);
  const Conversion texture = ConvertToGameTexture(testing::Encode(FIF_PNG, picture.get()));
  ASSERT_EQ(texture.status, ConversionStatus::Done);
  EXPECT_FALSE(texture.scaled);
  ASSERT_TRUE(DescribeTexture(texture.bytes).is_game_layout);

  const Conversion png = EncodePng(texture.bytes);
  ASSERT_EQ(png.status, ConversionStatus::Done);
  const auto back = testing::Decode(png.bytes);
  ASSERT_TRUE(back);
  for (unsigned y = 0; y < 1024; ++y) {
    for (unsigned x = 0; x < 1024; ++x) {
      ASSERT_EQ(TexturePixel(texture.bytes, x, y), Gradient(x, y)) << x << ", " << y;
      ASSERT_EQ(testing::PixelOf(back.get(), x, y), Gradient(x, y)) << x << ", " << y;
    }
  }
}

TEST(ConvertToGameTexture, TheHeaderHoldsTheGameLayoutsNumbers) {
  const auto picture = testing::MakePicture(4, 4, 24, Gradient);
  const Conversion texture = ConvertToGameTexture(testing::Encode(FIF_BMP, picture.get()));
  ASSERT_EQ(texture.status, ConversionStatus::Done);
  ASSERT_EQ(texture.bytes.size(), 4194432u);
  Bytes expected(128, 0);
  for (const auto& [at, value] : std::vector<std::pair<std::size_t, std::uint32_t>>{
           {0, 0x20534444},  // "DDS "
           {4, 124},
           {8, 0x100f},  // caps, height, width, pitch, pixel format
           {12, 1024},
           {16, 1024},
           {20, 4096},
           {76, 32},
           {80, 0x41},  // RGB with alpha pixels
           {88, 32},
           {92, 0x00ff0000},
           {96, 0x0000ff00},
           {100, 0x000000ff},
           {104, 0xff000000},
           {108, 0x1000}}) {  // texture
    testing::PutU32(expected, at, value);
  }
  EXPECT_TRUE(
      testing::SameBytes(Bytes(texture.bytes.begin(), texture.bytes.begin() + 128), expected));
}

// The middle of each quadrant of the stretched texture: flips, swapped channels and a lost or
// invented alpha all show there.
void ExpectQuadrants(const Conversion& texture, std::uint8_t alpha) {
  ASSERT_EQ(texture.status, ConversionStatus::Done);
  for (unsigned y : {256u, 768u}) {
    for (unsigned x : {256u, 768u}) {
      const Colour c = testing::QuadrantColour(x, y, 1024, 1024);
      EXPECT_EQ(TexturePixel(texture.bytes, x, y), (Rgba{c.r, c.g, c.b, alpha})) << x << ", " << y;
    }
  }
}

TEST(ConvertToGameTexture, OtherSizesAreStretchedWithTheirCornersInPlace) {
  const auto quadrants = [](unsigned w, unsigned h) {
    return [=](unsigned x, unsigned y) {
      const Colour c = testing::QuadrantColour(x, y, w, h);
      return Rgba{c.r, c.g, c.b, 255};
    };
  };
  const auto wide = testing::MakePicture(300, 100, 24, quadrants(300, 100));
  const Conversion texture = ConvertToGameTexture(testing::Encode(FIF_JPEG, wide.get()));
  EXPECT_TRUE(texture.scaled);
  EXPECT_EQ(texture.from_width, 300u);
  EXPECT_EQ(texture.from_height, 100u);
  // JPEG blurs the edges only; the middles of the quadrants keep their colours within a step.
  const auto tall = testing::MakePicture(60, 200, 24, quadrants(60, 200));
  ExpectQuadrants(ConvertToGameTexture(testing::Encode(FIF_BMP, tall.get())), 255);
}

TEST(ConvertToGameTexture, DdsTexturesOfOtherLayouts) {
  struct Case {
    const char* name;
    DdsKind kind;
    std::uint32_t side, levels;
    std::uint8_t alpha;  // the samples store 128 where a layout has alpha
  };
  for (const Case& c : {Case{"DXT5", DdsKind::Dxt5, 256, 9, 128},
                        Case{"512x512 B,G,R,A", DdsKind::Bgra32, 512, 1, 128},
                        Case{"512x512 R,G,B,A", DdsKind::Rgba32, 512, 1, 128},
                        Case{"no alpha in its fourth byte", DdsKind::Bgrx32, 64, 1, 255}}) {
    SCOPED_TRACE(c.name);
    const Conversion texture =
        ConvertToGameTexture(testing::MakeDds(c.kind, c.side, c.side, c.levels));
    EXPECT_EQ(texture.from_width, c.side);
    ExpectQuadrants(texture, c.alpha);
  }
}

TEST(ConvertToGameTexture, RefusalsSayWhy) {
  const auto picture = testing::MakePicture(64, 64, 32, Gradient);
  const Bytes png = testing::Encode(FIF_PNG, picture.get());
  Bytes damaged = png;
  for (std::size_t i = 60; i < damaged.size() - 20; ++i) damaged[i] ^= 0x5a;
  const Bytes game = testing::MakeDds(DdsKind::Bgra32, 1024, 1024);

  EXPECT_EQ(ConvertToGameTexture(damaged).status, ConversionStatus::Unreadable);
  EXPECT_EQ(ConvertToGameTexture(ByteView(png).first(png.size() / 2)).status,
            ConversionStatus::Unreadable);
  EXPECT_EQ(ConvertToGameTexture(testing::PatternBytes(500, 4)).status,
            ConversionStatus::UnknownKind);
  // A damaged TGA, found by fuzz_convert, on which the library's own decoder crashes.
  const Bytes tga = {0x32, 0, 0x0a, 0, 0, 0, 0, 0,    0, 0x3d, 0,    0,    0x66, 0x09, 0x08, 0,
                     0x18, 0, 0x07, 0, 0, 0, 0, 0x18, 0, 0,    0x1f, 0xff, 0xff, 0x2e, 0};
  EXPECT_EQ(ConvertToGameTexture(tga).status, ConversionStatus::UnknownKind);
  EXPECT_NE(RefusalReason(ConversionStatus::UnknownKind).find("PNG, JPEG, BMP and TIFF"),
            std::string::npos);
  const Conversion same = ConvertToGameTexture(game);
  EXPECT_TRUE(same.status == ConversionStatus::Done && same.bytes == game);
}

}  // namespace
}  // namespace frondel
