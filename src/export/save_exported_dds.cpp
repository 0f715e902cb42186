#include "export/save_exported_dds.h"

#include <algorithm>
#include <string>

#include "building/save_target.h"
#include "building/working_folder.h"
#include "platform/file_error.h"
#include "texture/conversion.h"

namespace frondel {
namespace {

// Compared in UTF-8, which every path can be written in (a Windows path need not fit the
// ANSI code page); only ASCII letters fold.
bool WantsPng(const std::filesystem::path& chosen) {
  std::u8string extension = chosen.extension().u8string();
  std::transform(extension.begin(), extension.end(), extension.begin(), [](char8_t c) {
    return c >= u8'A' && c <= u8'Z' ? static_cast<char8_t>(c - u8'A' + u8'a') : c;
  });
  return extension == u8".png";
}

// The texture as a PNG in the export folder, ready to be moved out like the texture itself.
std::filesystem::path WritePng(const std::filesystem::path& program_folder) {
  const std::filesystem::path texture = WorkingPath(program_folder, WorkFile::ExportTexture);
  const Conversion png = EncodePng(ReadWholeFile(texture));
  if (png.status != ConversionStatus::Done) {
    throw FileError("convert", texture, std::string(RefusalReason(png.status)));
  }
  const std::filesystem::path picture = WorkingPath(program_folder, WorkFile::ExportPicture);
  WriteWholeFile(picture, {png.bytes});
  return picture;
}

}  // namespace

void SaveExportedDds(const std::filesystem::path& program_folder,
                     const std::filesystem::path& chosen, Prompts& prompts) {
  const std::optional<Replace> replace = AskToReplace(prompts, chosen);
  if (!replace) return;
  const std::filesystem::path from = WantsPng(chosen)
                                         ? WritePng(program_folder)
                                         : WorkingPath(program_folder, WorkFile::ExportTexture);
  MoveFile(from, chosen, *replace);
  for (WorkFile leftover : {WorkFile::ExportPayload, WorkFile::ExportBitmap,
                            WorkFile::ExportTexture, WorkFile::ExportPicture}) {
    DeleteFileIfPresent(WorkingPath(program_folder, leftover));
  }
  if (*replace == Replace::Never) {
    prompts.MessageBox("File Saved Succesful", BoxStyle::Information, "Save...");
  }
}

}  // namespace frondel
