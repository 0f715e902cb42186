#include "win32/remembered_folders.h"

#include <windows.h>

#include <string>

#include "platform/wide_text.h"

namespace frondel {

std::optional<std::filesystem::path> RememberedFolder(std::string_view key) {
  const std::wstring name = Widen(key);
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kRememberedFoldersKey, name.c_str(), RRF_RT_REG_SZ, nullptr,
                   nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring folder(size / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, kRememberedFoldersKey, name.c_str(), RRF_RT_REG_SZ, nullptr,
                   folder.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  folder.resize(wcsnlen(folder.c_str(), folder.size()));
  if (folder.empty()) return std::nullopt;
  return std::filesystem::path(folder);
}

void RememberFolder(std::string_view key, const std::filesystem::path& folder) {
  const std::wstring& text = folder.native();
  RegSetKeyValueW(HKEY_CURRENT_USER, kRememberedFoldersKey, Widen(key).c_str(), REG_SZ,
                  text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace frondel
