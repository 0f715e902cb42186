#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/prompts.h"

namespace frondel {

// The four operations that begin by letting the user choose a file.
enum class FileHandler { ImportDds, SaveBuiltFile, OpenMenuFile, SaveExportedDds };

struct FileHandlerSettings {
  FileHandler handler;
  DialogKind dialog;
  std::string_view filter;
  std::string_view cancel_message;  // shown when the user chooses nothing
  int text_box;                     // 1 to 4: the box that shows the chosen path
  std::string_view dialog_name;     // the handler's own dialog, which remembers its folder
};

const FileHandlerSettings& SettingsOf(FileHandler handler);

// Shows the handler's dialog. An empty choice is told in a critical box titled "Error..."
// and gives nothing; otherwise the chosen path, unchanged.
std::optional<std::filesystem::path> ChooseFile(Prompts& prompts, FileHandler handler);

}  // namespace frondel
