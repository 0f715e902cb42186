#include "registrar/wine.h"

#include <algorithm>

#include "platform/file_error.h"

namespace kestrup {

using frondel::FileError;

namespace {

// The non-empty pieces of `text` between the separators.
std::vector<std::string_view> Pieces(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(separator), text.size());
    if (end > 0) pieces.push_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return pieces;
}

}  // namespace

std::filesystem::path WineDriveC(const char* wineprefix, const char* home) {
  if (wineprefix != nullptr && *wineprefix != '\0') {
    return std::filesystem::path(wineprefix) / "drive_c";
  }
  if (home == nullptr || *home == '\0') {
    throw FileError("find", "~/.wine", "neither WINEPREFIX nor HOME is set");
  }
  return std::filesystem::path(home) / ".wine" / "drive_c";
}

std::filesystem::path WinePath(std::string_view windows_path,
                               const std::filesystem::path& drive_c) {
  constexpr std::string_view kDrive = "C:\\";
  const bool on_drive_c = windows_path.size() >= kDrive.size() &&
                          (windows_path[0] == 'C' || windows_path[0] == 'c') &&
                          windows_path.substr(1, 2) == kDrive.substr(1);
  if (!on_drive_c) throw FileError("find", std::string(windows_path), "not a path on drive C:");
  std::filesystem::path result = drive_c;
  for (std::string_view piece : Pieces(windows_path.substr(kDrive.size()), '\\')) result /= piece;
  return result;
}

std::vector<std::string> WineArguments(std::string_view command_line) {
  std::vector<std::string> arguments{"wine"};
  for (std::string_view word : Pieces(command_line, ' ')) arguments.emplace_back(word);
  return arguments;
}

}  // namespace kestrup
