// The conversion as every build has it: pictures written at test time by stb's encoders and
// the fixture pictures that every platform must turn into the same texture.
#include "texture/conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/bytes.h"
#include "support/dds_samples.h"
#include "support/stb_pictures.h"
#include "texture/dds_format.h"
#include "texture/picture.h"
#include "texture/texture_layout.h"

namespace frondel {
namespace {

using testing::Colour;
using testing::DdsKind;
using testing::Rgba;
using Kind = testing::stb::Kind;

// The game's texture as people see it: row 0 is the top row, stored first after the header.
Rgba TexturePixel(const Bytes& texture, unsigned x, unsigned y) {
  const std::uint8_t* p = texture.data() + 128 + y * kGameRowBytes + 4 * x;
  return {p[2], p[1], p[0], p[3]};
}

Rgba Gradient(unsigned x, unsigned y) {
  return {std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y), std::uint8_t(x / 4)};
}

testing::PixelAt Quadrants(unsigned width, unsigned height) {
  return [=](unsigned x, unsigned y) {
    const Colour c = testing::QuadrantColour(x, y, width, height);
    return Rgba{c.r, c.g, c.b, 255};
  };
}

// A true-colour TGA written field by field, not by the library that decodes it: 16-bit
// (A1R5G5B5), 24-bit or 32-bit pixels, rows from the bottom up (the usual origin, descriptor
// bit 5 clear) or from the top down, raw or in run-length packets.
Bytes HandWrittenTga(unsigned width, unsigned height, unsigned bits, bool top_first,
                     bool run_length, const testing::PixelAt& pixel) {
  Bytes out(18, 0);
  out[2] = run_length ? 10 : 2;
  out[12] = static_cast<std::uint8_t>(width);
  out[13] = static_cast<std::uint8_t>(width >> 8);
  out[14] = static_cast<std::uint8_t>(height);
  out[15] = static_cast<std::uint8_t>(height >> 8);
  out[16] = static_cast<std::uint8_t>(bits);
  out[17] = static_cast<std::uint8_t>((bits == 32 ? 8 : bits == 16 ? 1 : 0) | (top_first << 5));
  const std::size_t size = bits / 8;
  Bytes pixels;
  for (unsigned row = 0; row < height; ++row) {
    const unsigned y = top_first ? row : height - 1 - row;
    for (unsigned x = 0; x < width; ++x) {
      const Rgba c = pixel(x, y);
      if (bits == 16) {
        const unsigned v = 0x8000u | (c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3;
        pixels.insert(pixels.end(), {std::uint8_t(v), std::uint8_t(v >> 8)});
      } else {
        pixels.insert(pixels.end(), {c.b, c.g, c.r, c.a});
        pixels.resize(pixels.size() - 4 + size);
      }
    }
  }
  const auto same = [&](std::size_t a, std::size_t b) {
    return std::equal(&pixels[a * size], &pixels[a * size] + size, &pixels[b * size]);
  };
  const std::size_t count = pixels.size() / size;
  for (std::size_t at = 0; at < count;) {
    std::size_t run = 1;
    while (run_length && run < 128 && at + run < count && same(at + run, at)) ++run;
    if (run_length) out.push_back(static_cast<std::uint8_t>(run > 1 ? 0x80 | (run - 1) : 0));
    out.insert(out.end(), pixels.begin() + at * size, pixels.begin() + (at + 1) * size);
    at += run_length ? run : 1;
  }
  return out;
}

// The decoded rows run from the top whatever the TGA's origin; 16-bit colour is made of levels
// 0 and 255 only, which every expansion of five bits gives back exactly.
TEST(DecodePicture, TgaOfEitherOriginComesOutRightWayUp) {
  constexpr unsigned kWidth = 160, kHeight = 90;
  const auto hard = [](unsigned x, unsigned y) {
    const auto level = [](bool on) { return std::uint8_t(on ? 255 : 0); };
    return Rgba{level(x < 20), level(y < 30), level((x / 4 + y / 8) % 2), 255};
  };
  for (const unsigned bits : {16u, 24u, 32u}) {
    const auto pixel = [&](unsigned x, unsigned y) {
      Rgba c = bits == 16 ? hard(x, y) : Gradient(x, y);
      if (bits != 32) c.a = 255;
      return c;
    };
    Bytes expected;
    for (unsigned y = 0; y < kHeight; ++y) {
      for (unsigned x = 0; x < kWidth; ++x) {
        const Rgba c = pixel(x, y);
        expected.insert(expected.end(), {c.b, c.g, c.r, c.a});
        if (bits != 32) expected.pop_back();
      }
    }
    for (const bool top_first : {false, true}) {
      for (const bool run_length : {false, true}) {
        SCOPED_TRACE(std::to_string(bits) + "-bit" + (top_first ? ", top first" : "") +
                     (run_length ? ", run-length encoded" : ""));
        const DecodedPicture decoded =
            DecodePicture(HandWrittenTga(kWidth, kHeight, bits, top_first, run_length, pixel));
        ASSERT_EQ(decoded.status, ConversionStatus::Done);
        EXPECT_EQ(decoded.picture.width, kWidth);
        EXPECT_EQ(decoded.picture.height, kHeight);
        const ByteView got = decoded.picture.Pixels();
        ASSERT_EQ(got.size(), expected.size());
        const auto wrong = std::mismatch(got.begin(), got.end(), expected.begin()).first;
        const std::size_t at = (wrong - got.begin()) / (bits == 32 ? 4 : 3);
        EXPECT_TRUE(wrong == got.end())
            << "first wrong pixel at " << at % kWidth << ", " << at / kWidth;
      }
    }
  }
}

TEST(ConvertToGameTexture, A1024PictureKeepsEveryPixelThroughDdsAndBackToPng) {
  Bytes texture;
  for (const Kind kind : {Kind::Tga, Kind::TgaRunLength, Kind::Png}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const Conversion converted =
        ConvertToGameTexture(testing::stb::Write(kind, 1024, 1024, Gradient));
    ASSERT_EQ(converted.status, ConversionStatus::Done);
    EXPECT_FALSE(converted.scaled);
    ASSERT_TRUE(DescribeTexture(converted.bytes).is_game_layout);
    for (unsigned y = 0; y < 1024; ++y) {
      for (unsigned x = 0; x < 1024; ++x) {
        ASSERT_EQ(TexturePixel(converted.bytes, x, y), Gradient(x, y)) << x << ", " << y;
      }
    }
    texture = converted.bytes;
  }
  const Conversion png = EncodePng(texture);
  ASSERT_EQ(png.status, ConversionStatus::Done);
  const testing::stb::Decoded back = testing::stb::ReadPng(png.bytes);
  ASSERT_EQ(back.width, 1024u);
  for (unsigned i = 0; i < 1024 * 1024; ++i) {
    ASSERT_EQ(back.pixels[i], Gradient(i % 1024, i / 1024)) << i;
  }
}

TEST(ConvertToGameTexture, TheHeaderHoldsTheGameLayoutsNumbers) {
  const Conversion texture = ConvertToGameTexture(testing::stb::Write(Kind::Bmp, 4, 4, Gradient));
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

TEST(ConvertToGameTexture, OtherSizesAreStretchedWithCornersInPlaceAndNoDarkFringe) {
  const Conversion tall =
      ConvertToGameTexture(testing::stb::Write(Kind::Bmp, 60, 200, Quadrants(60, 200)));
  EXPECT_TRUE(tall.scaled);
  EXPECT_EQ(tall.from_width, 60u);
  EXPECT_EQ(tall.from_height, 200u);
  ExpectQuadrants(tall, 255);
  ExpectQuadrants(
      ConvertToGameTexture(testing::stb::Write(Kind::TgaRunLength, 300, 100, Quadrants(300, 100))),
      255);

  // White on the left, transparent black on the right: filtered as they are stored, the black
  // would darken the edge.
  const auto edge = [](unsigned x, unsigned) {
    return x < 150 ? Rgba{255, 255, 255, 255} : Rgba{0, 0, 0, 0};
  };
  const Conversion texture = ConvertToGameTexture(testing::stb::Write(Kind::Png, 300, 100, edge));
  ASSERT_EQ(texture.status, ConversionStatus::Done);
  unsigned seen = 0;
  for (unsigned x = 0; x < 1024; ++x) {
    const Rgba p = TexturePixel(texture.bytes, x, 500);
    if (p.a == 0) continue;
    EXPECT_EQ(p, (Rgba{255, 255, 255, p.a})) << x;
    seen += p.a < 255;
  }
  EXPECT_GT(seen, 0u);  // the edge is soft, so the colours of its pixels were weighed
  EXPECT_EQ(TexturePixel(texture.bytes, 100, 500).a, 255);
  EXPECT_EQ(TexturePixel(texture.bytes, 900, 500).a, 0);
}

TEST(ConvertToGameTexture, TwoThreadsStretchToTheSameBytesAsOne) {
  for (const auto& [width, height] : {std::pair{1920u, 1080u}, {700u, 1500u}, {2u, 3000u}}) {
    for (const bool alpha : {false, true}) {
      const Bytes picture =
          testing::stb::Write(Kind::Png, width, height, [&](unsigned x, unsigned y) {
            Rgba p = Gradient(x * 7 + y % 5, y * 3);
            if (!alpha) p.a = 255;
            return p;
          });
      SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + (alpha ? " RGBA" : ""));
      const Conversion one = ConvertToGameTexture(picture, 1);
      ASSERT_EQ(one.status, ConversionStatus::Done);
      EXPECT_TRUE(testing::SameBytes(one.bytes, ConvertToGameTexture(picture, 2).bytes));
    }
  }
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
  const Bytes png = testing::stb::Write(Kind::Png, 64, 64, Gradient);
  Bytes damaged = png;
  for (std::size_t i = 60; i < damaged.size() - 20; ++i) damaged[i] ^= 0x5a;
  const Bytes raw = testing::stb::Write(Kind::Tga, 64, 64, Gradient);
  const Bytes packed = testing::stb::Write(Kind::TgaRunLength, 64, 64, Gradient);
  // A header alone that claims 8193x8193 pixels.
  const Bytes huge = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x20, 0x01, 0x20, 32, 8};
  Bytes huge_cut = huge;
  huge_cut[12] = huge_cut[14] = 0;  // 8192x8192: not too large, but its pixels are missing
  Bytes huge_dds = testing::MakeDds(DdsKind::Dxt1, 8, 8);
  huge_dds.resize(128);
  PutU32(huge_dds, dds::kHeightAt, 12288);
  PutU32(huge_dds, dds::kWidthAt, 12288);

  for (const auto& [name, file, status] :
       std::vector<std::tuple<const char*, Bytes, ConversionStatus>>{
           {"damaged PNG", damaged, ConversionStatus::Unreadable},
           {"cut PNG", Bytes(png.begin(), png.end() - 30), ConversionStatus::Unreadable},
           {"cut TGA", Bytes(raw.begin(), raw.end() - 100), ConversionStatus::Unreadable},
           {"cut TGA, run-length encoded", Bytes(packed.begin(), packed.end() - 100),
            ConversionStatus::Unreadable},
           {"TGA too large", huge, ConversionStatus::TooLarge},
           {"TGA of a large size cut", huge_cut, ConversionStatus::Unreadable},
           // Its size is read from its header before anything else.
           {"DDS too large", huge_dds, ConversionStatus::TooLarge},
           {"not a picture", testing::PatternBytes(500, 4), ConversionStatus::UnknownKind}}) {
    EXPECT_EQ(ConvertToGameTexture(file).status, status) << name;
    EXPECT_EQ(EncodePng(file).status, status) << name;
  }
  EXPECT_NE(RefusalReason(ConversionStatus::UnknownKind).find("BMP, TGA and TIFF"),
            std::string::npos);
  const Bytes game = testing::MakeDds(DdsKind::Bgra32, 1024, 1024);
  const Conversion same = ConvertToGameTexture(game);
  EXPECT_TRUE(same.status == ConversionStatus::Done && same.bytes == game);
}

std::uint64_t Fnv1a(const Bytes& bytes) {
  std::uint64_t hash = 0xcbf29ce484222325;
  for (const std::uint8_t b : bytes) hash = (hash ^ b) * 0x100000001b3;
  return hash;
}

// The fixtures hold one picture in every kind (tests/fixtures/make_pictures.py): each kind's
// decoder must hand the resampler the same pixels, and the resampler must give the same
// texture on every platform. The checksums are those of the textures the Linux build made.
TEST(ConvertToGameTexture, OnePictureGivesOneTextureFromEveryKindOnEveryPlatform) {
  const std::filesystem::path folder = std::filesystem::path(FRONDEL_FIXTURES_DIR) / "pictures";
  const auto convert = [&](const char* name) {
    const Conversion texture = ConvertToGameTexture(ReadWholeFile(folder / name));
    EXPECT_EQ(texture.status, ConversionStatus::Done) << name;
    return texture.bytes;
  };
  struct Group {
    std::vector<const char*> files;
    std::uint64_t checksum;
  };
  for (const Group& group :
       {Group{{"rgba.png", "rgba_lzw.tif", "rgba_rle.tga", "bgra.dds"}, 9316577733640183567u},
        Group{{"rgb.png", "rgb48.png", "rgb.bmp", "rgb.tif"}, 13920932082576060750u}}) {
    const Bytes first = convert(group.files.front());
    EXPECT_EQ(Fnv1a(first), group.checksum) << group.files.front();
    for (const char* name : group.files) EXPECT_TRUE(convert(name) == first) << name;
  }
  // The JPEG (best quality, no chroma subsampling) differs from the picture by its loss alone.
  const Bytes lossless = convert("rgb.png");
  const Bytes jpeg = convert("rgb.jpg");
  ASSERT_EQ(jpeg.size(), lossless.size());
  int most = 0;
  for (std::size_t i = 0; i < jpeg.size(); ++i)
    most = std::max(most, std::abs(jpeg[i] - lossless[i]));
  EXPECT_LE(most, 6);
}

}  // namespace
}  // namespace frondel
