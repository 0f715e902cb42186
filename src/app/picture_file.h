#pragma once

#include <QImage>
#include <filesystem>

namespace frondel {

// The platform's picture loader: reads `file` whole and decodes it as whatever picture format
// its bytes are (JPEG, BMP, PNG, ...), at its own size. Throws FileError naming the file and
// the reason when the file cannot be read or holds no picture that the loader can decode.
QImage LoadPicture(const std::filesystem::path& file);

}  // namespace frondel
