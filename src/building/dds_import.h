#pragma once

#include <filesystem>

#include "platform/prompts.h"
#include "texture/texture_layout.h"

namespace frondel {

// Copies the chosen DDS, unexamined, to temp/dataimport/texture.dds, replacing an earlier
// import. Throws FileError.
void ImportDds(const std::filesystem::path& program_folder, const std::filesystem::path& chosen);

enum class ImportResult {
  Kept,     // temp/dataimport/texture.dds holds the texture to build with
  NotKept,  // the import left no texture.dds and no preview bitmap
};

// Asks whether a file that is not in the game's layout should be converted to it.
bool AskToConvert(Prompts& prompts, const TextureLayout& layout);

// ImportDds, then a texture in the game's layout is kept as it is. Any other file is
// converted when the user agrees (the working copy replaced whole; the chosen file never
// changes), kept as it is when it is a DDS, and otherwise removed. A picture that cannot be
// converted is told in one "Error..." box and removed. Throws FileError.
ImportResult ImportTexture(const std::filesystem::path& program_folder,
                           const std::filesystem::path& chosen, Prompts& prompts);

}  // namespace frondel
