#include "app/picture_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "texture/conversion.h"

namespace frondel {

QImage LoadPicture(const std::filesystem::path& file) {
  // Through the file layer, so that a missing or unreadable file carries the system's reason.
  const Bytes bytes = ReadWholeFile(file);
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  QImageReader reader(&buffer);
  // The size comes from the header; a few bytes may claim gigabytes of pixels.
  const QSize size = reader.size();
  if (size.isValid() &&
      std::uint64_t(size.width()) * std::uint64_t(size.height()) > kMaxPicturePixels) {
    throw FileError("read", file, std::string(RefusalReason(ConversionStatus::TooLarge)));
  }
  const QImage picture = reader.read();
  if (picture.isNull()) {
    throw FileError(
        "read", file,
        "not a picture the loader can read (" + reader.errorString().toStdString() + ")");
  }
  return picture;
}

}  // namespace frondel
