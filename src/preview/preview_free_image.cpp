#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/file_error.h"
#include "preview/preview.h"
#include "texture/conversion.h"
#include "texture/dds_header_check.h"
#include "texture/free_image.h"

static_assert(FREEIMAGE_COLORORDER == FREEIMAGE_COLORORDER_BGR);

namespace frondel {
namespace {

// The library's picture top row first, where the library keeps the bottom row first, with its
// alpha, 255 where the texture stores none.
PreviewPicture PixelsOf(FIBITMAP* decoded, bool stores_alpha) {
  const MFreeImage::Bitmap converted(FreeImage_ConvertTo32Bits(decoded));
  if (!converted) throw std::bad_alloc();
  PreviewPicture picture{
      FreeImage_GetWidth(converted.get()), FreeImage_GetHeight(converted.get()), {}};
  const std::size_t row_bytes = std::size_t{picture.width} * 4;
  picture.pixels.resize(row_bytes * picture.height);
  for (std::uint32_t y = 0; y < picture.height; ++y) {
    const BYTE* row =
        FreeImage_GetScanLine(converted.get(), static_cast<int>(picture.height - 1 - y));
    std::uint8_t* out = picture.pixels.data() + row_bytes * y;
    std::memcpy(out, row, row_bytes);
    if (stores_alpha) continue;
    for (std::size_t x = 3; x < row_bytes; x += 4) out[x] = 255;
  }
  return picture;
}

}  // namespace

Preview MakePreview(const std::filesystem::path& program_folder, Job job, ByteView texture) {
  const std::filesystem::path bitmap = WorkingPath(program_folder, BitmapOf(job));
  // Gone before anything else, so that no way out of here leaves an earlier picture behind.
  DeleteFileIfPresent(bitmap);

  const DdsVerdict verdict = CheckDdsHeader(texture);
  if (verdict == DdsVerdict::NotPreviewable || LargerThanTaken(texture)) return {};

  // The library reads the stream only; it takes no const pointer.
  const MFreeImage::Memory memory(
      FreeImage_OpenMemory(const_cast<BYTE*>(texture.data()), static_cast<DWORD>(texture.size())));
  if (!memory) return {};
  const MFreeImage::Bitmap picture(FreeImage_LoadFromMemory(FIF_DDS, memory.get(), 0));
  if (!picture) return {};
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
  return ReadyPreview(PixelsOf(picture.get(), !DdsStoresNoAlpha(texture)));
}

}  // namespace frondel
