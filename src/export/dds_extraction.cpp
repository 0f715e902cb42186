#include "export/dds_extraction.h"

#include "building/payload_parts.h"
#include "building/working_folder.h"

namespace frondel {

std::optional<Bytes> ExtractDds(const std::filesystem::path& program_folder) {
  const auto payload_file = WorkingPath(program_folder, WorkFile::ExportPayload);
  if (!FileExists(payload_file)) return std::nullopt;
  Bytes texture = ExtractTexture(ReadWholeFile(payload_file));
  WriteWholeFile(WorkingPath(program_folder, WorkFile::ExportTexture), {texture});
  return texture;
}

}  // namespace frondel
