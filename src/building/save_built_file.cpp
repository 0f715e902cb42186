#include "building/save_built_file.h"

#include "building/save_target.h"
#include "building/working_folder.h"

namespace frondel {

void SaveBuiltFile(const std::filesystem::path& program_folder, const std::filesystem::path& chosen,
                   Prompts& prompts) {
  const std::optional<Replace> replace = AskToReplace(prompts, chosen);
  if (!replace) return;
  MoveFile(WorkingPath(program_folder, WorkFile::ImportPacked), chosen, *replace);
  DeleteFileIfPresent(WorkingPath(program_folder, WorkFile::ImportTexture));
  DeleteFileIfPresent(WorkingPath(program_folder, WorkFile::ImportBitmap));
  prompts.MessageBox("File Saved Succesful", BoxStyle::Information, "Save...");
}

}  // namespace frondel
