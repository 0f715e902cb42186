#pragma once

#include <filesystem>
#include <optional>

#include "platform/file_system.h"

namespace frondel {

// "Export DDS": cuts the texture window out of temp/dataexport/file.unzlib into
// temp/dataexport/texture.dds, zero-filled where the payload is short, and gives its bytes.
// Nothing, and nothing written, when there is no payload file. Throws FileError.
std::optional<Bytes> ExtractDds(const std::filesystem::path& working_root);

}  // namespace frondel
