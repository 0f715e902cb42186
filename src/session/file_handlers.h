#pragma once

#include <filesystem>
#include <optional>

#include "session/messages.h"
#include "session/view.h"

namespace frondel {

// The four operations that begin by letting the user choose a file.
enum class FileHandler { ImportPicture, SaveBuiltFile, OpenMenuFile, SaveExportedTexture };

struct FileHandlerSettings {
  FileDialog dialog;
  Message nothing_chosen;  // told when the user chooses nothing
  int text_box;            // 1 to 4: the box that shows the chosen path
};

const FileHandlerSettings& SettingsOf(FileHandler handler);

// Shows the handler's dialog. A cancelled one is told in its box and gives nothing;
// otherwise the chosen path, unchanged.
std::optional<std::filesystem::path> ChooseFile(Dialogs& dialogs, FileHandler handler);

}  // namespace frondel
