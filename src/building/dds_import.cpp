#include "building/dds_import.h"

#include "building/working_folder.h"
#include "platform/file_system.h"

namespace frondel {

void ImportDds(const std::filesystem::path& program_folder, const std::filesystem::path& chosen) {
  CopyFile(chosen, WorkingPath(program_folder, WorkFile::ImportTexture));
}

}  // namespace frondel
