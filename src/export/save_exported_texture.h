#pragma once

#include <filesystem>

#include "platform/file_system.h"

namespace frondel {

// Moves temp/dataexport/texture.dds to `chosen` and removes the export's remaining working
// files except file.bin. A name ending in ".png" gets the texture as a PNG instead, moved out
// the same way. An existing file at `chosen` is replaced only with Replace::Existing, and is
// kept in backups/ first. Throws FileError, also when the texture cannot be written as a PNG.
void SaveExportedTexture(const std::filesystem::path& working_root,
                         const std::filesystem::path& chosen, Replace replace);

}  // namespace frondel
