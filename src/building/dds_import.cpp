#include "building/dds_import.h"

#include <string>

#include "building/working_folder.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "texture/conversion.h"

namespace frondel {
namespace {

ImportResult Discard(const std::filesystem::path& program_folder) {
  DeleteFileIfPresent(WorkingPath(program_folder, WorkFile::ImportTexture));
  DeleteFileIfPresent(WorkingPath(program_folder, WorkFile::ImportBitmap));
  return ImportResult::NotKept;
}

}  // namespace

void ImportDds(const std::filesystem::path& program_folder, const std::filesystem::path& chosen) {
  CopyFile(chosen, WorkingPath(program_folder, WorkFile::ImportTexture));
}

bool AskToConvert(Prompts& prompts, const TextureLayout& layout) {
  const std::string question = layout.description +
                               "\r\nThe game's menu textures are 1024x1024 32-bit DDS files."
                               "\r\nConvert it to that layout?";
  return prompts.MessageBox(question, BoxStyle::YesNoInformation, "Convert...") == Answer::Yes;
}

ImportResult ImportTexture(const std::filesystem::path& program_folder,
                           const std::filesystem::path& chosen, Prompts& prompts) {
  // Read once: the bytes are both the working copy and what the layout check looks at.
  const Bytes copy = ReadWholeFile(chosen);
  const std::filesystem::path texture = WorkingPath(program_folder, WorkFile::ImportTexture);
  WriteWholeFile(texture, {copy});
  const TextureLayout layout = DescribeTexture(copy);
  if (layout.is_game_layout) return ImportResult::Kept;

  if (!AskToConvert(prompts, layout)) {
    if (layout.kind == PictureKind::Dds) return ImportResult::Kept;
    prompts.MessageBox("A picture must be converted to the game's layout before it can be used.",
                       BoxStyle::Information, "Convert...");
    return Discard(program_folder);
  }
  const Conversion converted = ConvertToGameTexture(copy);
  if (converted.status != ConversionStatus::Done) {
    prompts.MessageBox("Could not convert \"" + PathText(chosen) +
                           "\": " + std::string(RefusalReason(converted.status)) + ".",
                       BoxStyle::Critical, "Error...");
    return Discard(program_folder);
  }
  WriteWholeFile(texture, {converted.bytes});
  return ImportResult::Kept;
}

}  // namespace frondel
