#pragma once

#include <filesystem>

#include "platform/prompts.h"

namespace frondel {

// Moves temp/dataimport/file.bin to `chosen` (asking before it replaces a file), removes the
// imported texture and its preview bitmap, and confirms. An existing file at `chosen` is only
// replaced once the built file is there to take its place. Throws FileError.
void SaveBuiltFile(const std::filesystem::path& program_folder, const std::filesystem::path& chosen,
                   Prompts& prompts);

}  // namespace frondel
