#include "building/save_built_file.h"

#include "backups/backup_store.h"
#include "building/working_folder.h"

namespace frondel {

void SaveBuiltFile(const std::filesystem::path& program_folder, const std::filesystem::path& chosen,
                   Replace replace) {
  const std::filesystem::path built = WorkingPath(program_folder, WorkFile::ImportPacked);
  if (replace == Replace::Existing) KeepReplacedFile(program_folder, chosen, built);
  MoveFile(built, chosen, replace);
  DeleteFileIfPresent(WorkingPath(program_folder, WorkFile::ImportTexture));
  DeleteFileIfPresent(WorkingPath(program_folder, WorkFile::ImportBitmap));
}

}  // namespace frondel
