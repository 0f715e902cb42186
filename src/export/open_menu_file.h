#pragma once

#include <filesystem>

#include "codec/zlib_codec.h"
#include "platform/prompts.h"

namespace frondel {

// Copies the chosen file to temp/dataexport/file.bin and unpacks it at once. A file that is
// no menu texture file is told to the user. Throws FileError.
void OpenMenuFile(const Zlib& codec, const std::filesystem::path& program_folder,
                  const std::filesystem::path& chosen, Prompts& prompts);

}  // namespace frondel
