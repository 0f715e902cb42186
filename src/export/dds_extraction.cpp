#include "export/dds_extraction.h"

#include "building/payload_parts.h"
#include "building/working_folder.h"
#include "platform/file_system.h"

namespace frondel {

bool ExtractDds(const std::filesystem::path& program_folder, Prompts& prompts) {
  const auto payload_file = WorkingPath(program_folder, WorkFile::ExportPayload);
  if (!FileExists(payload_file)) {
    prompts.MessageBox("Please Open A BIN File First", BoxStyle::Information, "Data...");
    return false;
  }
  WriteWholeFile(WorkingPath(program_folder, WorkFile::ExportTexture),
                 {ExtractTexture(ReadWholeFile(payload_file))});
  return true;
}

}  // namespace frondel
