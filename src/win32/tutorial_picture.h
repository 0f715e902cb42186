#pragma once

#include <filesystem>

#include "preview/preview.h"

namespace frondel {

// A tutorial picture read from `file` and decoded as the conversion decodes pictures. Throws
// FileError when it cannot be read or decoded.
PreviewPicture ReadTutorialPicture(const std::filesystem::path& file);

}  // namespace frondel
