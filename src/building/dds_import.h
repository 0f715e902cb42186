#pragma once

#include <filesystem>

namespace frondel {

// Copies the chosen DDS, unexamined, to temp/dataimport/texture.dds, replacing an earlier
// import. Throws FileError.
void ImportDds(const std::filesystem::path& program_folder, const std::filesystem::path& chosen);

}  // namespace frondel
