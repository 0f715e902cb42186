#include "export/dds_extraction.h"

#include "building/payload_parts.h"
#include "building/working_folder.h"

namespace frondel {

std::optional<Bytes> ExtractDds(const std::filesystem::path& working_root) {
  const auto payload_file = WorkingPath(working_root, WorkFile::ExportPayload);
  if (!FileExists(payload_file)) return std::nullopt;
  Bytes texture = ExtractTexture(ReadWholeFile(payload_file));
  WriteWholeFile(WorkingPath(working_root, WorkFile::ExportTexture), {texture});
  return texture;
}

}  // namespace frondel
