#include "preview/free_image.h"

namespace frondel::MFreeImage {

// POSIX file names are bytes (UTF-8 here) and go to the narrow entry points as they are;
// Windows names are UTF-16 and go to the wide ones, never through the ANSI code page.

Bitmap LoadImageFile(FREE_IMAGE_FORMAT format, const std::filesystem::path& file_name, int flags) {
#ifdef _WIN32
  return Bitmap(FreeImage_LoadU(format, file_name.c_str(), flags));
#else
  return Bitmap(FreeImage_Load(format, file_name.c_str(), flags));
#endif
}

bool SaveImageFile(FREE_IMAGE_FORMAT format, FIBITMAP* bitmap,
                   const std::filesystem::path& file_name, int flags) {
#ifdef _WIN32
  return FreeImage_SaveU(format, bitmap, file_name.c_str(), flags) == 1;
#else
  return FreeImage_Save(format, bitmap, file_name.c_str(), flags) == 1;
#endif
}

}  // namespace frondel::MFreeImage
