#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>

#include "platform/file_error.h"
#include "preview/preview_conversion.h"
#include "preview/preview_display.h"
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

// A program folder of its own with the two job folders, as the program ships them.
class ProgramFolder {
 public:
  explicit ProgramFolder(const std::string& name = "frondel-test")
      : dir_(fs::temp_directory_path(), name) {
    fs::create_directories(dir_ / "temp" / "dataimport");
    fs::create_directories(dir_ / "temp" / "dataexport");
  }
  const fs::path& path() const { return dir_.path(); }
  fs::path Texture(Job job) const { return WorkingPath(path(), TextureOf(job)); }
  fs::path Bitmap(Job job) const { return WorkingPath(path(), BitmapOf(job)); }

 private:
  TempFolder dir_;
};

struct GoodTexture {
  const char* name;
  DdsKind kind;
  std::uint32_t width, height, mip_levels;
};

void PrintTo(const GoodTexture& t, std::ostream* os) { *os << t.name; }

class ConvertPreviewOf : public ::testing::TestWithParam<GoodTexture> {};

TEST_P(ConvertPreviewOf, WritesTheTopLevelRightWayUpInItsColours) {
  const GoodTexture& t = GetParam();
  ProgramFolder program;
  const Bytes texture = MakeDds(t.kind, t.width, t.height, t.mip_levels);
  WriteBytes(program.Texture(Job::Import), texture);

  ASSERT_EQ(ConvertPreview(program.path(), Job::Import), PreviewResult::Ready);

  const QImage bitmap = DecodeBitmap(program.Bitmap(Job::Import));
  ASSERT_EQ(bitmap.size(), QSize(int(t.width), int(t.height)));
  EXPECT_TRUE(ShowsQuadrants(bitmap));
  EXPECT_TRUE(SameBytes(texture, ReadWholeFile(program.Texture(Job::Import))));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ConvertPreviewOf,
    ::testing::Values(GoodTexture{"Bgra32", DdsKind::Bgra32, 1024, 1024, 1},
                      GoodTexture{"Rgba32", DdsKind::Rgba32, 1024, 1024, 1},
                      GoodTexture{"Bgrx32", DdsKind::Bgrx32, 256, 128, 1},
                      GoodTexture{"Bgr24", DdsKind::Bgr24, 256, 128, 1},
                      GoodTexture{"Rgb24", DdsKind::Rgb24, 128, 256, 1},
                      GoodTexture{"Rgb24OddSides", DdsKind::Rgb24, 7, 5, 1},
                      GoodTexture{"Dxt1", DdsKind::Dxt1, 256, 128, 1},
                      GoodTexture{"Dxt3", DdsKind::Dxt3, 128, 256, 1},
                      GoodTexture{"Dxt5", DdsKind::Dxt5, 256, 128, 1},
                      GoodTexture{"Rgba32Mipmapped", DdsKind::Rgba32, 256, 128, 9},
                      GoodTexture{"Dxt1Mipmapped", DdsKind::Dxt1, 256, 128, 9},
                      GoodTexture{"Dxt5Mipmapped", DdsKind::Dxt5, 128, 256, 9}),
    [](const ::testing::TestParamInfo<GoodTexture>& info) { return info.param.name; });

TEST(PreviewPicture, SquareTextureFillsTheBoxExactlyAndOpaque) {
  ProgramFolder program;
  WriteBytes(program.Texture(Job::Export), MakeDds(DdsKind::Bgra32, 1024, 1024));
  ASSERT_EQ(ConvertPreview(program.path(), Job::Export), PreviewResult::Ready);

  const QImage picture = PreviewPicture(program.path(), Job::Export);
  EXPECT_EQ(picture.size(), QSize(249, 385));
  EXPECT_FALSE(picture.hasAlphaChannel());
  EXPECT_TRUE(ShowsQuadrants(picture));
}

TEST(ConvertPreview, PreviewingAgainReplacesTheBitmap) {
  ProgramFolder program;
  WriteBytes(program.Texture(Job::Import), MakeDds(DdsKind::Rgba32, 1024, 1024));
  ASSERT_EQ(ConvertPreview(program.path(), Job::Import), PreviewResult::Ready);
  WriteBytes(program.Texture(Job::Import), MakeDds(DdsKind::Dxt1, 64, 32));
  ASSERT_EQ(ConvertPreview(program.path(), Job::Import), PreviewResult::Ready);

  const QImage bitmap = DecodeBitmap(program.Bitmap(Job::Import));
  EXPECT_EQ(bitmap.size(), QSize(64, 32));
  EXPECT_TRUE(ShowsQuadrants(bitmap));
}

TEST(ConvertPreview, EachJobKeepsItsOwnBitmap) {
  ProgramFolder program;
  WriteBytes(program.Texture(Job::Import), MakeDds(DdsKind::Bgr24, 32, 16));
  WriteBytes(program.Texture(Job::Export), MakeDds(DdsKind::Dxt5, 16, 32));
  ASSERT_EQ(ConvertPreview(program.path(), Job::Import), PreviewResult::Ready);
  ASSERT_EQ(ConvertPreview(program.path(), Job::Export), PreviewResult::Ready);

  EXPECT_EQ(DecodeBitmap(program.Bitmap(Job::Import)).size(), QSize(32, 16));
  EXPECT_EQ(DecodeBitmap(program.Bitmap(Job::Export)).size(), QSize(16, 32));
}

TEST(ConvertPreview, ProgramFolderOutsideAscii) {
  ProgramFolder program("prog ñ 文件");
  WriteBytes(program.Texture(Job::Import), MakeDds(DdsKind::Dxt1, 64, 64));
  ASSERT_EQ(ConvertPreview(program.path(), Job::Import), PreviewResult::Ready);
  EXPECT_TRUE(ShowsQuadrants(PreviewPicture(program.path(), Job::Import)));
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

class ConvertPreviewRefuses : public ::testing::TestWithParam<BadTexture> {};

// An earlier picture of the job must not survive as the preview of a texture that has none.
TEST_P(ConvertPreviewRefuses, AndRemovesTheEarlierBitmap) {
  ProgramFolder program;
  WriteBytes(program.Texture(Job::Export), MakeDds(DdsKind::Bgra32, 64, 64));
  ASSERT_EQ(ConvertPreview(program.path(), Job::Export), PreviewResult::Ready);
  ASSERT_TRUE(fs::exists(program.Bitmap(Job::Export)));

  WriteBytes(program.Texture(Job::Export), GetParam().bytes);
  EXPECT_EQ(ConvertPreview(program.path(), Job::Export), PreviewResult::NotPreviewable);
  EXPECT_FALSE(fs::exists(program.Bitmap(Job::Export)));
  EXPECT_TRUE(SameBytes(GetParam().bytes, ReadWholeFile(program.Texture(Job::Export))));
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, ConvertPreviewRefuses,
    ::testing::Values(BadTexture{"WrongMagic", Damaged(DdsKind::Bgra32, 0, 0x58534444)},  // "DDSX"
                      BadTexture{"HeaderWithoutPixels", Cut(MakeDds(DdsKind::Dxt1, 64, 64), 128)},
                      BadTexture{"PixelsCutShort",
                                 Cut(MakeDds(DdsKind::Bgra32, 64, 64), 128 + 64 * 64 * 4 - 1)},
                      BadTexture{"Dx10Header", Damaged(DdsKind::Dxt1, 84, 0x30315844)},
                      BadTexture{"AllZero", Bytes(4194432, 0)},
                      BadTexture{"NoDdsAtAll", PatternBytes(5000, 3)}),
    [](const ::testing::TestParamInfo<BadTexture>& info) { return info.param.name; });

TEST(ConvertPreview, MissingTextureIsAFailedRead) {
  ProgramFolder program;
  try {
    ConvertPreview(program.path(), Job::Import);
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.action(), "read");
    EXPECT_EQ(e.path(), program.Texture(Job::Import));
    EXPECT_EQ(e.reason(), "No such file or directory");
  }
}

TEST(ConvertPreview, UnwritableJobFolderIsAFailedWriteOfTheBitmap) {
  // A read-only file system refuses the bitmap even to root.
  testing::SmallMount disk(1 << 20);
  if (!disk.error().empty()) GTEST_SKIP() << disk.error();
  const fs::path texture = WorkingPath(disk.path(), TextureOf(Job::Import));
  fs::create_directories(texture.parent_path());
  WriteBytes(texture, MakeDds(DdsKind::Dxt1, 16, 16));
  ASSERT_TRUE(disk.MakeReadOnly());
  try {
    ConvertPreview(disk.path(), Job::Import);
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.action(), "write");
    EXPECT_EQ(e.path(), WorkingPath(disk.path(), BitmapOf(Job::Import)));
    EXPECT_EQ(e.reason(), "Read-only file system");
  }
}

TEST(PreviewPicture, MissingBitmapIsReportedWithTheSystemsReason) {
  ProgramFolder program;
  try {
    PreviewPicture(program.path(), Job::Export);
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), program.Bitmap(Job::Export));
    EXPECT_EQ(e.reason(), "No such file or directory");
  }
}

TEST(PreviewPicture, BitmapThatIsNoPictureIsReported) {
  ProgramFolder program;
  WriteBytes(program.Bitmap(Job::Import), PatternBytes(3000, 9));
  try {
    PreviewPicture(program.path(), Job::Import);
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.action(), "show");
    EXPECT_EQ(e.path(), program.Bitmap(Job::Import));
    EXPECT_NE(std::string(e.what()).find("texture.bmp"), std::string::npos);
  }
}

}  // namespace
}  // namespace frondel
