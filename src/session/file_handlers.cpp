#include "session/file_handlers.h"

#include <array>
#include <string_view>

namespace frondel {
namespace {

// A texture or any picture to convert; the DDS first, as the dialog opens on it.
constexpr std::string_view kImportFilter =
    "*.dds|*.dds|Pictures|*.png;*.jpg;*.jpeg;*.bmp;*.tga;*.tif;*.tiff|All files|*";
constexpr std::string_view kExportFilter = "*.dds|*.dds|*.png|*.png";
constexpr std::string_view kBinFilter = "*.bin|*.bin";

// In FileHandler order.
constexpr std::array<FileHandlerSettings, 4> kHandlers{{
    {{DialogKind::Open, kImportFilter, "CommonDialog1"}, Message::NothingToOpen, 1},
    {{DialogKind::Save, kBinFilter, "CommonDialog2"}, Message::NothingToSave, 2},
    {{DialogKind::Open, kBinFilter, "CommonDialog3"}, Message::NothingToOpen, 3},
    {{DialogKind::Save, kExportFilter, "CommonDialog4"}, Message::NothingToSave, 4},
}};

}  // namespace

const FileHandlerSettings& SettingsOf(FileHandler handler) {
  return kHandlers[static_cast<std::size_t>(handler)];
}

std::optional<std::filesystem::path> ChooseFile(Dialogs& dialogs, FileHandler handler) {
  const FileHandlerSettings& settings = SettingsOf(handler);
  std::optional<std::filesystem::path> chosen = dialogs.ChooseFile(settings.dialog);
  if (!chosen) Tell(dialogs, settings.nothing_chosen);
  return chosen;
}

}  // namespace frondel
