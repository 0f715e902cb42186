#include "texture/texture_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/bytes.h"
#include "support/dds_samples.h"

namespace frondel {
namespace {

using testing::DdsKind;
using testing::MakeDds;
using testing::PutU32;

TEST(DescribeTexture, OnlyTheGameLayoutIsTheGameLayout) {
  const Bytes game = MakeDds(DdsKind::Bgra32, 1024, 1024);
  ASSERT_EQ(game.size(), kGameTextureBytes);
  Bytes longer = game;
  longer.push_back(0);
  Bytes two_levels = game;  // the header promises a second level the file does not hold
  PutU32(two_levels, 28, 2);
  Bytes hundred_bits = testing::MakeDds(DdsKind::Bgra32, 4, 4);  // found by the fuzzer: no
  PutU32(hundred_bits, 88, 100);                                 // shift past 32 bits
  Bytes odd_code = MakeDds(DdsKind::Dxt5, 64, 64);  // a code with a character not shown
  odd_code[85] = 0x01;
  Bytes rgb565 = MakeDds(DdsKind::Bgr24, 4, 4);  // channels that are not whole bytes
  PutU32(rgb565, 88, 16);
  PutU32(rgb565, 92, 0xf800);
  PutU32(rgb565, 96, 0x07e0);
  PutU32(rgb565, 100, 0x001f);
  Bytes long_header = game;
  PutU32(long_header, 4, 128);
  struct Case {
    Bytes file;
    std::string description;
    bool game;
  };
  const std::vector<Case> cases = {
      {game, "DDS 1024x1024, 32-bit B,G,R,A, 1 level: the game's layout", true},
      {MakeDds(DdsKind::Bgrx32, 1024, 1024),
       "DDS 1024x1024, 32-bit B,G,R,X, 1 level: the game's layout", true},
      {longer, "DDS 1024x1024, 32-bit B,G,R,A, 1 level", false},
      {two_levels, "DDS 1024x1024, 32-bit B,G,R,A, 2 levels", false},
      {MakeDds(DdsKind::Rgba32, 1024, 1024), "DDS 1024x1024, 32-bit R,G,B,A, 1 level", false},
      {MakeDds(DdsKind::Bgr24, 1024, 1024), "DDS 1024x1024, 24-bit B,G,R, 1 level", false},
      {MakeDds(DdsKind::Bgra32, 512, 512), "DDS 512x512, 32-bit B,G,R,A, 1 level", false},
      {MakeDds(DdsKind::Dxt5, 512, 512, 10), "DDS 512x512 DXT5, 10 levels", false},
      {hundred_bits, "DDS 4x4, 100-bit, 1 level", false},
      {odd_code, "DDS 64x64 of an unknown kind, 1 level", false},
      {rgb565, "DDS 4x4, 16-bit, 1 level", false},
      {long_header, "DDS with a damaged header", false},
      {Bytes(game.begin(), game.begin() + 100), "DDS with a damaged header", false},
  };
  for (const Case& c : cases) {
    const TextureLayout layout = DescribeTexture(c.file);
    EXPECT_EQ(layout.kind, PictureKind::Dds);
    EXPECT_EQ(layout.description, c.description);
    EXPECT_EQ(layout.is_game_layout, c.game) << c.description;
  }
}

// Headers written by hand: the sizes sit where each format puts them, some big-endian.
TEST(DescribeTexture, OtherPicturesByTheirHeaders) {
  const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0,    13,
                     'I',  'H', 'D', 'R', 0,    0,    0x07, 0x80, 0, 0, 0x04, 0x38};
  const Bytes jpeg = {0xff, 0xd8, 0xff, 0xe0, 0,    4,    0,    0,   0xff,
                      0xc2, 0,    11,   8,    0x01, 0xe0, 0x02, 0x80};
  Bytes bmp(54, 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  PutU32(bmp, 14, 40);
  PutU32(bmp, 18, 3);
  PutU32(bmp, 22, static_cast<std::uint32_t>(-2));  // stored top row first
  const Bytes tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20, 0, 0x10, 0, 32, 8};
  struct Case {
    Bytes file;
    PictureKind kind;
    std::string description;
  };
  const std::vector<Case> cases = {
      {png, PictureKind::Png, "PNG 1920x1080"},
      {Bytes(png.begin(), png.begin() + 20), PictureKind::Png, "PNG"},
      {jpeg, PictureKind::Jpeg, "JPEG 640x480"},
      {Bytes(jpeg.begin(), jpeg.begin() + 12), PictureKind::Jpeg, "JPEG"},
      {bmp, PictureKind::Bmp, "BMP 3x2"},
      {tga, PictureKind::Tga, "TGA 32x16"},
      {{'I', 'I', '*', 0, 8, 0, 0, 0}, PictureKind::Tiff, "TIFF"},
      {testing::PatternBytes(300, 3), PictureKind::Unknown, "not a picture"},
      {{}, PictureKind::Unknown, "not a picture"},
  };
  for (const Case& c : cases) {
    const TextureLayout layout = DescribeTexture(c.file);
    EXPECT_EQ(layout.kind, c.kind) << c.description;
    EXPECT_EQ(layout.description, c.description);
    EXPECT_FALSE(layout.is_game_layout);
  }
}

}  // namespace
}  // namespace frondel
