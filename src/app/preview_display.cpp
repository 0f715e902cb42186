#include "app/preview_display.h"

#include <bit>

namespace frondel {

static_assert(std::endian::native == std::endian::little);

QImage PreviewImage(const PreviewPicture& picture) {
  // B,G,R,A in memory is what Qt's 32-bit RGB format holds on a little-endian machine.
  const QImage pixels(picture.pixels.data(), static_cast<int>(picture.width),
                      static_cast<int>(picture.height), static_cast<qsizetype>(picture.width) * 4,
                      QImage::Format_RGB32);
  return pixels.scaled(kPreviewBoxSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace frondel
