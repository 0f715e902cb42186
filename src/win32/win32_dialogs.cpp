#include "win32/win32_dialogs.h"

#include <windows.h>
// After windows.h, which they need.
#include <commdlg.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

#include "platform/wide_text.h"
#include "win32/item_list_dialog.h"
#include "win32/remembered_folders.h"

namespace frondel {
namespace {

// The user's pictures folder; none when the system does not know it.
std::optional<std::filesystem::path> PicturesFolder() {
  PWSTR folder = nullptr;
  std::optional<std::filesystem::path> pictures;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, 0, nullptr, &folder))) pictures = folder;
  CoTaskMemFree(folder);
  return pictures;
}

// The folder last chosen from for `folder_key` while it still exists, else the pictures
// folder; none leaves the start to the dialog.
std::optional<std::filesystem::path> StartFolder(std::string_view folder_key) {
  std::error_code ec;
  const auto last = RememberedFolder(folder_key);
  if (last && std::filesystem::is_directory(*last, ec)) return last;
  return PicturesFolder();
}

}  // namespace

std::wstring DialogFilter(std::string_view filter) {
  std::wstring converted = Widen(filter);
  for (wchar_t& c : converted) {
    if (c == L'|') c = L'\0';
  }
  converted.append(2, L'\0');
  return converted;
}

std::optional<std::filesystem::path> Win32Dialogs::ChooseFile(const FileDialog& dialog) {
  const std::wstring filter = DialogFilter(dialog.filter);
  const std::optional<std::filesystem::path> start = StartFolder(dialog.folder_key);
  std::vector<wchar_t> chosen(32768, L'\0');
  OPENFILENAMEW asked{};
  asked.lStructSize = sizeof asked;
  asked.hwndOwner = GetActiveWindow();
  asked.lpstrFilter = filter.c_str();
  asked.lpstrFile = chosen.data();
  asked.nMaxFile = static_cast<DWORD>(chosen.size());
  asked.lpstrInitialDir = start ? start->c_str() : nullptr;
  // The tool asks its own overwrite question, once.
  asked.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (dialog.kind == DialogKind::Open) asked.Flags |= OFN_FILEMUSTEXIST;
  const BOOL accepted =
      dialog.kind == DialogKind::Open ? GetOpenFileNameW(&asked) : GetSaveFileNameW(&asked);
  if (!accepted || chosen[0] == L'\0') return std::nullopt;
  const std::filesystem::path file(chosen.data());
  RememberFolder(dialog.folder_key, file.parent_path());
  return file;
}

Answer Win32Dialogs::ShowBox(std::string_view text, BoxStyle style, std::string_view title) {
  const std::wstring shown_title = Widen(title);
  switch (MessageBoxW(GetActiveWindow(), Widen(text).c_str(), shown_title.c_str(),
                      static_cast<UINT>(style))) {
    case IDYES:
      return Answer::Yes;
    case IDNO:
      return Answer::No;
    default:
      return Answer::Ok;
  }
}

std::optional<std::size_t> Win32Dialogs::ChooseItem(std::string_view title, std::string_view label,
                                                    std::span<const std::string> items) {
  return ShowItemList(GetActiveWindow(), title, label, items);
}

}  // namespace frondel
