#pragma once

#include <filesystem>
#include <optional>

#include "platform/file_system.h"
#include "preview/preview.h"

namespace frondel {

// The pixels of a picture file's bytes (the help window's JPEGs, and whatever else the
// system's imaging component reads), or nothing when they cannot be decoded. The one place
// where the Win32 window turns a file's bytes into a picture.
std::optional<PreviewPicture> DecodePicture(ByteView bytes);

// A tutorial picture read from `file` and decoded. Throws FileError when it cannot be read or
// decoded.
PreviewPicture ReadTutorialPicture(const std::filesystem::path& file);

}  // namespace frondel
