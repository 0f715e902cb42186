#include "preview/preview_conversion.h"

#include <cerrno>
#include <system_error>
#include <utility>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "preview/dds_header_check.h"
#include "preview/free_image.h"

namespace frondel {
namespace {

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

}  // namespace

PreviewResult ConvertPreview(const std::filesystem::path& program_folder, Job job) {
  const std::filesystem::path texture = WorkingPath(program_folder, TextureOf(job));
  const std::filesystem::path bitmap = WorkingPath(program_folder, BitmapOf(job));
  // Gone before anything else, so that no way out of here leaves an earlier picture behind.
  DeleteFileIfPresent(bitmap);

  const DdsVerdict verdict = CheckDdsHeader(ReadWholeFile(texture));
  if (verdict == DdsVerdict::NotPreviewable) return PreviewResult::NotPreviewable;

  const MFreeImage::Bitmap picture = MFreeImage::LoadImageFile(FIF_DDS, texture, 0);
  if (!picture) return PreviewResult::NotPreviewable;
  if (verdict == DdsVerdict::SwapRedBlue) SwapRedAndBlue(picture.get());

  // The library gives no reason of its own; the system's is in errno when opening failed.
  errno = 0;
  if (!MFreeImage::SaveImageFile(FIF_BMP, picture.get(), bitmap, 0)) {
    const int error = errno;
    std::error_code ignored;
    std::filesystem::remove(bitmap, ignored);  // a half-written bitmap is no preview either
    throw FileError("write", bitmap,
                    error != 0 ? SystemReason(error) : "the image library could not write it");
  }
  return PreviewResult::Ready;
}

}  // namespace frondel
