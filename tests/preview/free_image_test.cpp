#include "texture/free_image.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace frondel {
namespace {

using testing::TempFolder;

MFreeImage::Bitmap SmallPicture() { return MFreeImage::Bitmap(FreeImage_Allocate(4, 4, 24)); }

TEST(SaveImageFile, TrueOnlyWhenTheLibraryWroteTheFile) {
  TempFolder dir;
  const MFreeImage::Bitmap picture = SmallPicture();
  ASSERT_TRUE(picture);
  EXPECT_TRUE(MFreeImage::SaveImageFile(FIF_BMP, picture.get(), dir / "ñ 文件.bmp", 0));
  EXPECT_TRUE(std::filesystem::exists(dir / "ñ 文件.bmp"));
  EXPECT_FALSE(MFreeImage::SaveImageFile(FIF_BMP, picture.get(), dir / "none" / "a.bmp", 0));
}

}  // namespace
}  // namespace frondel
