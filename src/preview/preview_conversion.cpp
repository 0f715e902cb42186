#include "preview/preview_conversion.h"

#include <cerrno>
#include <system_error>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "texture/dds_header_check.h"
#include "texture/free_image.h"

namespace frondel {

PreviewResult ConvertPreview(const std::filesystem::path& program_folder, Job job) {
  const std::filesystem::path texture = WorkingPath(program_folder, TextureOf(job));
  const std::filesystem::path bitmap = WorkingPath(program_folder, BitmapOf(job));
  // Gone before anything else, so that no way out of here leaves an earlier picture behind.
  DeleteFileIfPresent(bitmap);

  const DdsVerdict verdict = CheckDdsHeader(ReadWholeFile(texture));
  if (verdict == DdsVerdict::NotPreviewable) return PreviewResult::NotPreviewable;

  const MFreeImage::Bitmap picture = MFreeImage::LoadImageFile(FIF_DDS, texture, 0);
  if (!picture) return PreviewResult::NotPreviewable;
  if (verdict == DdsVerdict::SwapRedBlue) MFreeImage::SwapRedAndBlue(picture.get());

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
