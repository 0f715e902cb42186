#include "export/save_exported_texture.h"

#include <string>

#include "backups/backup_store.h"
#include "building/working_folder.h"
#include "platform/file_error.h"
#include "texture/conversion.h"

namespace frondel {
namespace {

// The texture as a PNG in the export folder, ready to be moved out like the texture itself.
std::filesystem::path WritePng(const std::filesystem::path& working_root) {
  const std::filesystem::path texture = WorkingPath(working_root, WorkFile::ExportTexture);
  const Conversion png = EncodePng(ReadWholeFile(texture));
  if (png.status != ConversionStatus::Done) {
    throw FileError("convert", texture, std::string(RefusalReason(png.status)));
  }
  const std::filesystem::path picture = WorkingPath(working_root, WorkFile::ExportPicture);
  WriteWholeFile(picture, {png.bytes});
  return picture;
}

}  // namespace

void SaveExportedTexture(const std::filesystem::path& working_root,
                         const std::filesystem::path& chosen, Replace replace) {
  const std::filesystem::path from = HasExtension(chosen, ".png")
                                         ? WritePng(working_root)
                                         : WorkingPath(working_root, WorkFile::ExportTexture);
  if (replace == Replace::Existing) KeepReplacedFile(working_root, chosen, from);
  MoveFile(from, chosen, replace);
  for (WorkFile leftover : {WorkFile::ExportPayload, WorkFile::ExportBitmap,
                            WorkFile::ExportTexture, WorkFile::ExportPicture}) {
    DeleteFileIfPresent(WorkingPath(working_root, leftover));
  }
}

}  // namespace frondel
