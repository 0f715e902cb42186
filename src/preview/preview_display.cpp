#include "preview/preview_display.h"

#include "platform/file_error.h"
#include "platform/file_system.h"

namespace frondel {

QImage PreviewPicture(const std::filesystem::path& program_folder, Job job) {
  const std::filesystem::path bitmap = WorkingPath(program_folder, BitmapOf(job));
  // Read through the file layer, so that a missing or unreadable bitmap carries the system's
  // reason like every other failed file access.
  const Bytes bytes = ReadWholeFile(bitmap);
  const QImage picture = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
  if (picture.isNull()) throw FileError("show", bitmap, "it is not a bitmap picture");
  return picture.scaled(kPreviewBoxSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace frondel
