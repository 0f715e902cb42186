#include <cerrno>
#include <new>
#include <system_error>
#include <utility>

#include "platform/file_error.h"
#include "preview/preview.h"
#include "texture/conversion.h"
#include "texture/dds_header_check.h"
#include "texture/free_image.h"
#include "texture/picture.h"
#include "texture/picture_codec.h"

static_assert(FREEIMAGE_COLORORDER == FREEIMAGE_COLORORDER_BGR);

namespace frondel {
namespace {

// The decoded texture as the library's bitmap, at the 24 or 32 bits it was decoded to: 24 for
// a texture that stores no alpha.
MFreeImage::Bitmap LibraryBitmap(const Picture& picture) {
  const unsigned bits = picture.channels * 8;
  // The library reads the rows top first when told so; it takes no const pointer.
  return MFreeImage::Bitmap(FreeImage_ConvertFromRawBits(
      const_cast<BYTE*>(picture.Pixels().data()), static_cast<int>(picture.width),
      static_cast<int>(picture.height), static_cast<int>(picture.width * picture.channels), bits,
      FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK, TRUE));
}

}  // namespace

Preview MakePreview(const std::filesystem::path& working_root, Job job, ByteView texture) {
  const std::filesystem::path bitmap = WorkingPath(working_root, BitmapOf(job));
  // Gone before anything else, so that no way out of here leaves an earlier picture behind.
  DeleteFileIfPresent(bitmap);

  if (CheckDdsHeader(texture) == DdsVerdict::NotPreviewable || LargerThanTaken(texture)) return {};
  // The conversion's own decoder, red and blue in place. The bitmap is written from the
  // picture as decoded, before a fourth byte that is no alpha is made opaque for the box.
  const DecodedPicture decoded = DecodeWithPlatform(texture, PictureKind::Dds);
  if (decoded.status != ConversionStatus::Done) return {};
  const Picture& stored = decoded.picture;
  const MFreeImage::Bitmap picture = LibraryBitmap(stored);
  if (!picture) throw std::bad_alloc();

  // The library gives no reason of its own; the system's is in errno when opening failed.
  errno = 0;
  if (!MFreeImage::SaveImageFile(FIF_BMP, picture.get(), bitmap, 0)) {
    const int error = errno;
    std::error_code ignored;
    std::filesystem::remove(bitmap, ignored);  // a half-written bitmap is no preview either
    throw FileError("write", bitmap,
                    error != 0 ? SystemReason(error) : "the image library could not write it");
  }
  PreviewPicture shown{stored.width, stored.height, {}};
  shown.pixels.resize(std::size_t{stored.width} * stored.height * 4);
  CopyAsBgra(stored, shown.pixels);
  if (DdsStoresNoAlpha(texture)) {
    for (std::size_t alpha = 3; alpha < shown.pixels.size(); alpha += 4) shown.pixels[alpha] = 255;
  }
  return ReadyPreview(std::move(shown));
}

}  // namespace frondel
