#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace frondel {

// The folders the file dialogs last chose from, one per dialog key ("CommonDialog1"), kept
// where the Qt build's settings keep "LastFolder/<key>" on Windows:
// HKEY_CURRENT_USER\Software\Frondel\frondel\LastFolder, a string value per key.
inline constexpr wchar_t kRememberedFoldersKey[] = L"Software\\Frondel\\frondel\\LastFolder";

// The folder remembered for `key`, if there is one.
std::optional<std::filesystem::path> RememberedFolder(std::string_view key);

// Remembers `folder` for `key`. A registry that cannot be written loses only the memory.
void RememberFolder(std::string_view key, const std::filesystem::path& folder);

}  // namespace frondel
