#include "export/save_exported_dds.h"

#include "building/save_target.h"
#include "building/working_folder.h"

namespace frondel {

void SaveExportedDds(const std::filesystem::path& program_folder,
                     const std::filesystem::path& chosen, Prompts& prompts) {
  const std::optional<Replace> replace = AskToReplace(prompts, chosen);
  if (!replace) return;
  MoveFile(WorkingPath(program_folder, WorkFile::ExportTexture), chosen, *replace);
  for (WorkFile leftover :
       {WorkFile::ExportPayload, WorkFile::ExportBitmap, WorkFile::ExportTexture}) {
    DeleteFileIfPresent(WorkingPath(program_folder, leftover));
  }
  if (*replace == Replace::Never) {
    prompts.MessageBox("File Saved Succesful", BoxStyle::Information, "Save...");
  }
}

}  // namespace frondel
