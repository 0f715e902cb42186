#pragma once

#include <filesystem>

#include "platform/file_system.h"

namespace frondel {

// Moves temp/dataimport/file.bin to `chosen` and removes the imported texture and its preview
// bitmap. An existing file at `chosen` is replaced only with Replace::Existing, only once the
// built file is there to take its place, and only once it is kept in backups/ (unless it
// already holds the built file). Throws FileError.
void SaveBuiltFile(const std::filesystem::path& working_root, const std::filesystem::path& chosen,
                   Replace replace);

}  // namespace frondel
