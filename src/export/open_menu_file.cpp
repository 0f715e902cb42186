#include "export/open_menu_file.h"

#include "building/menu_format.h"
#include "building/working_folder.h"
#include "platform/file_system.h"

namespace frondel {

OpenedMenuFile OpenMenuFile(const StreamCodec& codec, const std::filesystem::path& working_root,
                            const std::filesystem::path& chosen) {
  const Bytes file = ReadWholeFile(chosen);
  WriteWholeFile(WorkingPath(working_root, WorkFile::ExportPacked), {file});
  OpenedMenuFile opened{chosen, UnpackMenuBytes(codec, file)};
  const auto payload_file = WorkingPath(working_root, WorkFile::ExportPayload);
  if (IsMenuPayload(opened.payload.status)) {
    WriteWholeFile(payload_file, {opened.payload.bytes});
  } else {
    DeleteFileIfPresent(payload_file);
  }
  return opened;
}

}  // namespace frondel
