#include "preview/preview.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>

#include "app/preview_display.h"
#include "platform/file_error.h"
#include "support/bytes.h"
#include "support/dds_samples.h"
#include "support/small_mount.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace frondel {
namespace {

using testing::Colour;
using testing::DdsKind;
using testing::MakeDds;
using testing::PatternBytes;
using testing::QuadrantColour;
using testing::SameBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Decodes a bitmap with Qt, independently of the library that wrote it.
QImage DecodeBitmap(const fs::path& file) {
  const Bytes bytes = ReadWholeFile(file);
  return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
}

// Looks at the middle of each quadrant: the colour must be the texture's and fully opaque.
::testing::AssertionResult ShowsQuadrants(const QImage& picture) {
  const int w = picture.width();
  const int h = picture.height();
  for (const auto& [x, y] : {std::pair{w / 4, h / 4}, std::pair{3 * w / 4, h / 4},
                             std::pair{w / 4, 3 * h / 4}, std::pair{3 * w / 4, 3 * h / 4}}) {
    const Colour expected = QuadrantColour(x, y, w, h);
    const QRgb got = picture.pixel(x, y);
    const Colour seen{std::uint8_t(qRed(got)), std::uint8_t(qGreen(got)), std::uint8_t(qBlue(got))};
    if (seen != expected || qAlpha(got) != 255) {
      return ::testing::AssertionFailure()
             << "at (" << x << ", " << y << ") of " << w << "x" << h << ": expected rgb("
             << int(expected.r) << ", " << int(expected.g) << ", " << int(expected.b)
             << ") opaque, got rgba(" << qRed(got) << ", " << qGreen(got) << ", " << qBlue(got)
             << ", " << qAlpha(got) << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

// The picture in memory as Qt holds it, to look at it as at the bitmap.
QImage ImageOf(const PreviewPicture& picture) {
  return QImage(picture.pixels.data(), int(picture.width), int(picture.height),
                int(picture.width) * 4, QImage::Format_ARGB32)
      .copy();
}

// A program folder of its own with the two job folders, as the program ships them.
class ProgramFolder {
 public:
  explicit ProgramFolder(const std::string& name = "frondel-test")
      : dir_(fs::temp_directory_path(), name) {
    fs::create_directories(dir_ / "temp" / "dataimport");
    fs::create_directories(dir_ / "temp" / "dataexport");
  }
  const fs::path& path() const { return dir_.path(); }
  fs::path Bitmap(Job job) const { return WorkingPath(path(), BitmapOf(job)); }

 private:
  TempFolder dir_;
};

struct GoodTexture {
  const char* name;
  DdsKind kind;
  std::uint32_t width, height, mip_levels;
  int alpha;  // every pixel's, or -1 for a texture that stores none
};

void PrintTo(const GoodTexture& t, std::ostream* os) { *os << t.name; }

class MakePreviewOf : public ::testing::TestWithParam<GoodTexture> {};

// The picture shown and the bitmap written are the same: the top level, right way up.
TEST_P(MakePreviewOf, WritesTheTopLevelRightWayUpInItsColours) {
  const GoodTexture& t = GetParam();
  ProgramFolder program;
  const Bytes texture = MakeDds(t.kind, t.width, t.height, t.mip_levels);

  const Preview preview = MakePreview(program.path(), Job::Import, texture);
  ASSERT_EQ(preview.status, PreviewStatus::Ready);

  const QImage shown = ImageOf(preview.picture);
  ASSERT_EQ(shown.size(), QSize(int(t.width), int(t.height)));
  EXPECT_TRUE(ShowsQuadrants(shown));
  const QImage bitmap = DecodeBitmap(program.Bitmap(Job::Import));
  EXPECT_EQ(bitmap.convertToFormat(QImage::Format_ARGB32), shown);
  // The alpha comes apart, as stored; a fourth byte without an alpha mask is none.
  const Bytes alpha =
      t.alpha < 0 ? Bytes{} : Bytes(std::size_t{t.width} * t.height, std::uint8_t(t.alpha));
  EXPECT_TRUE(alpha == preview.alpha) << "alpha of " << preview.alpha.size() << " pixels";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MakePreviewOf,
    ::testing::Values(GoodTexture{"Bgra32", DdsKind::Bgra32, 1024, 1024, 1, 128},
                      GoodTexture{"Rgba32", DdsKind::Rgba32, 1024, 1024, 1, 128},
                      GoodTexture{"Bgrx32", DdsKind::Bgrx32, 256, 128, 1, -1},
                      GoodTexture{"Bgr24", DdsKind::Bgr24, 256, 128, 1, -1},
                      GoodTexture{"Rgb24", DdsKind::Rgb24, 128, 256, 1, -1},
                      GoodTexture{"Rgb24OddSides", DdsKind::Rgb24, 7, 5, 1, -1},
                      GoodTexture{"Dxt1", DdsKind::Dxt1, 256, 128, 1, -1},
                      GoodTexture{"Dxt3", DdsKind::Dxt3, 128, 256, 1, 136},
                      GoodTexture{"Dxt5", DdsKind::Dxt5, 256, 128, 1, 128},
                      GoodTexture{"Rgba32Mipmapped", DdsKind::Rgba32, 256, 128, 9, 128},
                      GoodTexture{"Dxt1Mipmapped", DdsKind::Dxt1, 256, 128, 9, -1},
                      GoodTexture{"Dxt5Mipmapped", DdsKind::Dxt5, 128, 256, 9, 128}),
    [](const ::testing::TestParamInfo<GoodTexture>& info) { return info.param.name; });

TEST(PreviewImage, SquareTextureFillsTheBoxExactlyAndOpaque) {
  ProgramFolder program;
  const Preview preview =
      MakePreview(program.path(), Job::Export, MakeDds(DdsKind::Bgra32, 1024, 1024));
  ASSERT_EQ(preview.status, PreviewStatus::Ready);

  const QImage picture = PreviewImage(preview.picture);
  EXPECT_EQ(picture.size(), QSize(249, 385));
  EXPECT_FALSE(picture.hasAlphaChannel());
  EXPECT_TRUE(ShowsQuadrants(picture));
}

TEST(MakePreview, PreviewingAgainReplacesTheBitmap) {
  ProgramFolder program;
  ASSERT_EQ(MakePreview(program.path(), Job::Import, MakeDds(DdsKind::Rgba32, 1024, 1024)).status,
            PreviewStatus::Ready);
  ASSERT_EQ(MakePreview(program.path(), Job::Import, MakeDds(DdsKind::Dxt1, 64, 32)).status,
            PreviewStatus::Ready);

  const QImage bitmap = DecodeBitmap(program.Bitmap(Job::Import));
  EXPECT_EQ(bitmap.size(), QSize(64, 32));
  EXPECT_TRUE(ShowsQuadrants(bitmap));
}

// The job's bitmap is 24-bit for a texture that stores no alpha and 32-bit for one that does.
TEST(MakePreview, TheBitmapHasTheDepthOfTheDecodedTexture) {
  for (const auto& [kind, bits] : {std::pair{DdsKind::Bgr24, 24}, std::pair{DdsKind::Bgrx32, 24},
                                   std::pair{DdsKind::Bgra32, 32}}) {
    ProgramFolder program;
    ASSERT_EQ(MakePreview(program.path(), Job::Import, MakeDds(kind, 8, 4)).status,
              PreviewStatus::Ready);
    const Bytes bmp = ReadWholeFile(program.Bitmap(Job::Import));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[28], bits);
  }
}

TEST(MakePreview, EachJobKeepsItsOwnBitmap) {
  ProgramFolder program;
  ASSERT_EQ(MakePreview(program.path(), Job::Import, MakeDds(DdsKind::Bgr24, 32, 16)).status,
            PreviewStatus::Ready);
  ASSERT_EQ(MakePreview(program.path(), Job::Export, MakeDds(DdsKind::Dxt5, 16, 32)).status,
            PreviewStatus::Ready);

  EXPECT_EQ(DecodeBitmap(program.Bitmap(Job::Import)).size(), QSize(32, 16));
  EXPECT_EQ(DecodeBitmap(program.Bitmap(Job::Export)).size(), QSize(16, 32));
}

TEST(MakePreview, ProgramFolderOutsideAscii) {
  ProgramFolder program("prog ñ 文件");
  ASSERT_EQ(MakePreview(program.path(), Job::Import, MakeDds(DdsKind::Dxt1, 64, 64)).status,
            PreviewStatus::Ready);
  EXPECT_TRUE(ShowsQuadrants(DecodeBitmap(program.Bitmap(Job::Import))));
}

struct BadTexture {
  const char* name;
  Bytes bytes;
};

Bytes Damaged(DdsKind kind, std::size_t at, std::uint32_t value) {
  Bytes texture = MakeDds(kind, 64, 64);
  testing::PutU32(texture, at, value);
  return texture;
}

Bytes Cut(Bytes texture, std::size_t length) {
  texture.resize(length);
  return texture;
}

void PrintTo(const BadTexture& t, std::ostream* os) { *os << t.name; }

class MakePreviewRefuses : public ::testing::TestWithParam<BadTexture> {};

// An earlier picture of the job must not survive as the preview of a texture that has none.
TEST_P(MakePreviewRefuses, AndRemovesTheEarlierBitmap) {
  ProgramFolder program;
  ASSERT_EQ(MakePreview(program.path(), Job::Export, MakeDds(DdsKind::Bgra32, 64, 64)).status,
            PreviewStatus::Ready);
  ASSERT_TRUE(fs::exists(program.Bitmap(Job::Export)));

  EXPECT_EQ(MakePreview(program.path(), Job::Export, GetParam().bytes).status,
            PreviewStatus::NotPreviewable);
  EXPECT_FALSE(fs::exists(program.Bitmap(Job::Export)));
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, MakePreviewRefuses,
    ::testing::Values(BadTexture{"WrongMagic", Damaged(DdsKind::Bgra32, 0, 0x58534444)},  // "DDSX"
                      BadTexture{"HeaderWithoutPixels", Cut(MakeDds(DdsKind::Dxt1, 64, 64), 128)},
                      BadTexture{"PixelsCutShort",
                                 Cut(MakeDds(DdsKind::Bgra32, 64, 64), 128 + 64 * 64 * 4 - 1)},
                      BadTexture{"Dx10Header", Damaged(DdsKind::Dxt1, 84, 0x30315844)},
                      BadTexture{"AllZero", Bytes(4194432, 0)},
                      BadTexture{"NoDdsAtAll", PatternBytes(5000, 3)}),
    [](const ::testing::TestParamInfo<BadTexture>& info) { return info.param.name; });

// A whole texture the library would decode, but to a picture of gigabytes.
TEST(MakePreview, TextureLargerThanAnyPictureTakenIsNotDecoded) {
  ProgramFolder program;
  EXPECT_EQ(MakePreview(program.path(), Job::Export, MakeDds(DdsKind::Dxt1, 12288, 12288)).status,
            PreviewStatus::NotPreviewable);
  EXPECT_FALSE(fs::exists(program.Bitmap(Job::Export)));
}

TEST(MakePreview, UnwritableJobFolderIsAFailedWriteOfTheBitmap) {
  // A read-only file system refuses the bitmap even to root.
  testing::SmallMount disk(1 << 20);
  FRONDEL_SKIP_UNLESS_MOUNTED(disk);
  fs::create_directories(WorkingPath(disk.path(), BitmapOf(Job::Import)).parent_path());
  ASSERT_TRUE(disk.MakeReadOnly());
  try {
    MakePreview(disk.path(), Job::Import, MakeDds(DdsKind::Dxt1, 16, 16));
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.action(), "write");
    EXPECT_EQ(e.path(), WorkingPath(disk.path(), BitmapOf(Job::Import)));
    EXPECT_EQ(e.reason(), "Read-only file system");
  }
}

}  // namespace
}  // namespace frondel
