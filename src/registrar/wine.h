#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kestrup {

// Away from Windows the game's system folder lives in a Wine prefix. These turn the Windows
// paths and command lines into what Wine expects.

// The folder that Wine shows as "C:\": the prefix that WINEPREFIX names, else ~/.wine, with
// "drive_c" below it. Either argument may be null (the variable is not set); an empty
// WINEPREFIX counts as not set. Throws FileError when neither variable gives a folder.
std::filesystem::path WineDriveC(const char* wineprefix, const char* home);

// The file below `drive_c` that a "C:\..." path names. Throws FileError for other drives.
std::filesystem::path WinePath(std::string_view windows_path, const std::filesystem::path& drive_c);

// The argument vector that starts `command_line` under Wine: "wine", then the command line's
// words split at its blanks. Wine joins them with single blanks again, so the program started
// sees the command line as it stands when, like ours, it has single blanks and no quotes.
std::vector<std::string> WineArguments(std::string_view command_line);

}  // namespace kestrup
