#include "export/open_menu_file.h"

#include "building/menu_format.h"
#include "building/working_folder.h"
#include "platform/file_system.h"

namespace frondel {

void OpenMenuFile(const Zlib& codec, const std::filesystem::path& program_folder,
                  const std::filesystem::path& chosen, Prompts& prompts) {
  CopyFile(chosen, WorkingPath(program_folder, WorkFile::ExportPacked));
  if (!IsMenuPayload(UnpackMenuFile(codec, program_folder))) {
    prompts.MessageBox("The Selected File Is Not A Valid BIN File", BoxStyle::Critical, "Error...");
  }
}

}  // namespace frondel
