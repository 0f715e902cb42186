#include "texture/dds_header_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/bytes.h"
#include "support/dds_samples.h"
#include "texture/dds_format.h"

namespace frondel {
namespace {

using testing::DdsKind;
using testing::MakeDds;
using testing::PatternBytes;
using testing::PutU32;

TEST(CheckDdsHeader, MasksOfUncompressedTexturesDecideTheSwap) {
  EXPECT_EQ(CheckDdsHeader(MakeDds(DdsKind::Bgra32, 8, 8)), DdsVerdict::AsIs);
  EXPECT_EQ(CheckDdsHeader(MakeDds(DdsKind::Bgrx32, 8, 8)), DdsVerdict::AsIs);
  EXPECT_EQ(CheckDdsHeader(MakeDds(DdsKind::Bgr24, 8, 8)), DdsVerdict::AsIs);
  EXPECT_EQ(CheckDdsHeader(MakeDds(DdsKind::Rgba32, 8, 8)), DdsVerdict::SwapRedBlue);
  EXPECT_EQ(CheckDdsHeader(MakeDds(DdsKind::Rgb24, 8, 8)), DdsVerdict::SwapRedBlue);
}

TEST(CheckDdsHeader, BlockCompressedKindsWithOrWithoutMipmaps) {
  for (DdsKind kind : {DdsKind::Dxt1, DdsKind::Dxt3, DdsKind::Dxt5}) {
    EXPECT_EQ(CheckDdsHeader(MakeDds(kind, 16, 8)), DdsVerdict::AsIs);
    EXPECT_EQ(CheckDdsHeader(MakeDds(kind, 16, 8, 5)), DdsVerdict::AsIs);
  }
}

// Only the top level is shown, so only its bytes must be there.
TEST(CheckDdsHeader, PixelBytesMustCoverTheTopLevelExactly) {
  struct Case {
    DdsKind kind;
    std::size_t top_level_bytes;
  };
  for (const Case& c : {Case{DdsKind::Bgra32, 12 * 8 * 4}, Case{DdsKind::Bgr24, 12 * 8 * 3},
                        Case{DdsKind::Dxt1, 3 * 2 * 8}, Case{DdsKind::Dxt5, 3 * 2 * 16}}) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    Bytes texture = MakeDds(c.kind, 12, 8, 3);
    texture.resize(128 + c.top_level_bytes);
    EXPECT_EQ(CheckDdsHeader(texture), CheckDdsHeader(MakeDds(c.kind, 12, 8)));
    EXPECT_NE(CheckDdsHeader(texture), DdsVerdict::NotPreviewable);
    texture.pop_back();
    EXPECT_EQ(CheckDdsHeader(texture), DdsVerdict::NotPreviewable);
    texture.resize(128);
    EXPECT_EQ(CheckDdsHeader(texture), DdsVerdict::NotPreviewable);
  }
}

TEST(CheckDdsHeader, PitchLongerThanARowNeedsItsPaddingToo) {
  Bytes texture = MakeDds(DdsKind::Bgr24, 5, 4);  // rows of 15 bytes, stored as 16
  texture.resize(128);
  PutU32(texture, 20, 16);
  texture.resize(128 + 16 * 4);
  EXPECT_EQ(CheckDdsHeader(texture), DdsVerdict::AsIs);
  texture.resize(128 + 16 * 4 - 1);
  EXPECT_EQ(CheckDdsHeader(texture), DdsVerdict::NotPreviewable);
}

TEST(CheckDdsHeader, HugeSidesDoNotOverflowTheLengthCheck) {
  for (DdsKind kind : {DdsKind::Bgra32, DdsKind::Dxt5}) {
    Bytes texture = MakeDds(kind, 8, 8);
    PutU32(texture, 12, 0xfffffffc);
    PutU32(texture, 16, 0xfffffffc);
    PutU32(texture, 20, 0xfffffffc);
    EXPECT_EQ(CheckDdsHeader(texture), DdsVerdict::NotPreviewable);
  }
}

// Each of these the library decodes into a picture that is wrong, or into none.
TEST(CheckDdsHeader, RefusesWhatTheLibraryWouldMisread) {
  struct Case {
    std::string name;
    DdsKind kind;
    std::function<void(Bytes&)> damage;
  };
  const auto code = dds::FourCC;
  const std::vector<Case> cases = {
      {"wrong magic", DdsKind::Bgra32, [](Bytes& t) { t[3] = 'X'; }},
      {"header size 123", DdsKind::Bgra32, [](Bytes& t) { PutU32(t, 4, 123); }},
      {"pixel format size 0", DdsKind::Dxt1, [](Bytes& t) { PutU32(t, 76, 0); }},
      {"zero width", DdsKind::Bgra32, [](Bytes& t) { PutU32(t, 16, 0); }},
      {"zero height", DdsKind::Dxt1, [](Bytes& t) { PutU32(t, 12, 0); }},
      {"DX10 header", DdsKind::Dxt1, [&](Bytes& t) { PutU32(t, 84, code('D', 'X', '1', '0')); }},
      {"BC4", DdsKind::Dxt1, [&](Bytes& t) { PutU32(t, 84, code('A', 'T', 'I', '1')); }},
      {"BC5", DdsKind::Dxt5, [&](Bytes& t) { PutU32(t, 84, code('A', 'T', 'I', '2')); }},
      {"premultiplied DXT2", DdsKind::Dxt3,
       [&](Bytes& t) { PutU32(t, 84, code('D', 'X', 'T', '2')); }},
      {"DXT width not whole blocks", DdsKind::Dxt1, [](Bytes& t) { PutU32(t, 16, 6); }},
      {"DXT height not whole blocks", DdsKind::Dxt1, [](Bytes& t) { PutU32(t, 12, 6); }},
      {"RGB and a code both", DdsKind::Bgra32, [](Bytes& t) { PutU32(t, 80, 0x41 | 0x4); }},
      {"luminance", DdsKind::Bgrx32, [](Bytes& t) { PutU32(t, 80, 0x20000); }},
      {"16-bit 5:6:5", DdsKind::Bgr24,
       [](Bytes& t) {
         PutU32(t, 88, 16);
         PutU32(t, 92, 0xf800);
         PutU32(t, 96, 0x07e0);
         PutU32(t, 100, 0x001f);
       }},
      {"10:10:10:2 masks", DdsKind::Bgra32,
       [](Bytes& t) {
         PutU32(t, 92, 0x3ff00000);
         PutU32(t, 96, 0x000ffc00);
         PutU32(t, 100, 0x000003ff);
         PutU32(t, 104, 0xc0000000);
       }},
      {"alpha mask in 24 bits", DdsKind::Bgr24, [](Bytes& t) { PutU32(t, 104, 0xff000000); }},
      {"pitch shorter than a row", DdsKind::Bgra32, [](Bytes& t) { PutU32(t, 20, 0); }},
      {"cube map", DdsKind::Dxt1, [](Bytes& t) { PutU32(t, 112, 0x200 | 0xfc00); }},
      {"volume", DdsKind::Bgra32, [](Bytes& t) { PutU32(t, 112, 0x200000); }},
  };
  for (const Case& c : cases) {
    Bytes texture = MakeDds(c.kind, 16, 16);
    ASSERT_NE(CheckDdsHeader(texture), DdsVerdict::NotPreviewable) << c.name;
    c.damage(texture);
    EXPECT_EQ(CheckDdsHeader(texture), DdsVerdict::NotPreviewable) << c.name;
  }
}

TEST(CheckDdsHeader, FilesThatAreNoDdsAtAll) {
  EXPECT_EQ(CheckDdsHeader({}), DdsVerdict::NotPreviewable);
  const Bytes texture = MakeDds(DdsKind::Bgra32, 4, 4);
  EXPECT_EQ(CheckDdsHeader(ByteView(texture).first(127)), DdsVerdict::NotPreviewable);
  // What extraction writes when there was no payload to cut from.
  EXPECT_EQ(CheckDdsHeader(Bytes(4194432, 0)), DdsVerdict::NotPreviewable);
  EXPECT_EQ(CheckDdsHeader(PatternBytes(4194432, 7)), DdsVerdict::NotPreviewable);
}

}  // namespace
}  // namespace frondel
