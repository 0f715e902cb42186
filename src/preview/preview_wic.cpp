#include <utility>

#include "platform/file_error.h"
#include "preview/preview.h"
#include "texture/dds_header_check.h"
#include "texture/picture.h"
#include "texture/picture_codec.h"

namespace frondel {

Preview MakePreview(const std::filesystem::path& working_root, Job job, ByteView texture) {
  const std::filesystem::path bitmap = WorkingPath(working_root, BitmapOf(job));
  // Gone before anything else, so that no way out of here leaves an earlier picture behind.
  DeleteFileIfPresent(bitmap);
  // The imaging component decodes more kinds than the preview shows; the header decides.
  if (CheckDdsHeader(texture) == DdsVerdict::NotPreviewable) return {};
  const DecodedPicture decoded = DecodePicture(texture);
  if (decoded.status != ConversionStatus::Done) return {};
  const std::optional<Bytes> bmp = EncodeWithPlatform(decoded.picture, EncodedKind::Bmp);
  if (!bmp) throw FileError("write", bitmap, "the imaging component could not encode it");
  WriteWholeFile(bitmap, {*bmp});
  PreviewPicture picture{decoded.picture.width, decoded.picture.height, {}};
  picture.pixels.resize(std::size_t{picture.width} * picture.height * 4);
  CopyAsBgra(decoded.picture, picture.pixels);
  return ReadyPreview(std::move(picture));
}

}  // namespace frondel
