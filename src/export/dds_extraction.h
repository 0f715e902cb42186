#pragma once

#include <filesystem>

#include "platform/prompts.h"

namespace frondel {

// "Export DDS": cuts the texture window out of temp/dataexport/file.unzlib into
// temp/dataexport/texture.dds, zero-filled where the payload is short. With no payload it
// asks the user to open a file first and writes nothing. Returns whether a texture was
// written (the caller then previews it). Throws FileError.
bool ExtractDds(const std::filesystem::path& program_folder, Prompts& prompts);

}  // namespace frondel
