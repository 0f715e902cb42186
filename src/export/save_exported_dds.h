#pragma once

#include <filesystem>

#include "platform/prompts.h"

namespace frondel {

// Moves temp/dataexport/texture.dds to `chosen` (asking before it replaces a file) and
// removes the export's remaining working files except file.bin. A name ending in ".png" gets
// the texture as a PNG instead, moved out the same way. Confirms only when no file was
// replaced. Throws FileError, also when the texture cannot be written as a PNG.
void SaveExportedDds(const std::filesystem::path& program_folder,
                     const std::filesystem::path& chosen, Prompts& prompts);

}  // namespace frondel
