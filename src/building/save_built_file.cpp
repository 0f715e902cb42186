#include "building/save_built_file.h"

#include "building/working_folder.h"

namespace frondel {

void SaveBuiltFile(const std::filesystem::path& program_folder, const std::filesystem::path& chosen,
                   Replace replace) {
  MoveFile(WorkingPath(program_folder, WorkFile::ImportPacked), chosen, replace);
  DeleteFileIfPresent(WorkingPath(program_folder, WorkFile::ImportTexture));
  DeleteFileIfPresent(WorkingPath(program_folder, WorkFile::ImportBitmap));
}

}  // namespace frondel
