#include "building/save_built_file.h"

#include "backups/backup_store.h"
#include "building/working_folder.h"

namespace frondel {

void SaveBuiltFile(const std::filesystem::path& working_root, const std::filesystem::path& chosen,
                   Replace replace) {
  const std::filesystem::path built = WorkingPath(working_root, WorkFile::ImportPacked);
  if (replace == Replace::Existing) KeepReplacedFile(working_root, chosen, built);
  MoveFile(built, chosen, replace);
  DeleteFileIfPresent(WorkingPath(working_root, WorkFile::ImportTexture));
  DeleteFileIfPresent(WorkingPath(working_root, WorkFile::ImportBitmap));
}

}  // namespace frondel
