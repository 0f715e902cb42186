#include "building/file_choice.h"

#include <array>

namespace frondel {
namespace {

// A texture or any picture to convert; the DDS first, as the dialog opens on it.
constexpr std::string_view kImportFilter =
    "*.dds|*.dds|Pictures|*.png;*.jpg;*.jpeg;*.bmp;*.tga;*.tif;*.tiff|All files|*";
constexpr std::string_view kExportFilter = "*.dds|*.dds|*.png|*.png";
constexpr std::string_view kBinFilter = "*.bin|*.bin";
constexpr std::string_view kNothingToOpen = "Please Select File For Open";
constexpr std::string_view kNothingToSave = "Please Select Directory  For Save";

constexpr std::array<FileHandlerSettings, 4> kHandlers{{
    {FileHandler::ImportDds, DialogKind::Open, kImportFilter, kNothingToOpen, 1, "CommonDialog1"},
    {FileHandler::SaveBuiltFile, DialogKind::Save, kBinFilter, kNothingToSave, 2, "CommonDialog2"},
    {FileHandler::OpenMenuFile, DialogKind::Open, kBinFilter, kNothingToOpen, 3, "CommonDialog3"},
    {FileHandler::SaveExportedDds, DialogKind::Save, kExportFilter, kNothingToSave, 4,
     "CommonDialog4"},
}};

}  // namespace

const FileHandlerSettings& SettingsOf(FileHandler handler) {
  return kHandlers[static_cast<std::size_t>(handler)];
}

std::optional<std::filesystem::path> ChooseFile(Prompts& prompts, FileHandler handler) {
  const FileHandlerSettings& settings = SettingsOf(handler);
  std::filesystem::path chosen =
      prompts.ChooseFile(settings.dialog, settings.filter, settings.dialog_name);
  if (chosen.empty()) {
    prompts.MessageBox(settings.cancel_message, BoxStyle::Critical, "Error...");
    return std::nullopt;
  }
  return chosen;
}

}  // namespace frondel
