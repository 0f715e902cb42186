#include "texture/free_image.h"

#include <utility>

namespace frondel::MFreeImage {

void SwapRedAndBlue(FIBITMAP* picture) {
  const unsigned width = FreeImage_GetWidth(picture);
  const unsigned height = FreeImage_GetHeight(picture);
  const unsigned bytes_per_pixel = FreeImage_GetBPP(picture) / 8;
  for (unsigned y = 0; y < height; ++y) {
    BYTE* pixel = FreeImage_GetScanLine(picture, static_cast<int>(y));
    for (unsigned x = 0; x < width; ++x, pixel += bytes_per_pixel) {
      std::swap(pixel[FI_RGBA_RED], pixel[FI_RGBA_BLUE]);
    }
  }
}

// POSIX file names are bytes (UTF-8 here) and go to the narrow entry points as they are;
// Windows names are UTF-16 and go to the wide ones, never through the ANSI code page.

bool SaveImageFile(FREE_IMAGE_FORMAT format, FIBITMAP* bitmap,
                   const std::filesystem::path& file_name, int flags) {
#ifdef _WIN32
  return FreeImage_SaveU(format, bitmap, file_name.c_str(), flags) == 1;
#else
  return FreeImage_Save(format, bitmap, file_name.c_str(), flags) == 1;
#endif
}

}  // namespace frondel::MFreeImage
