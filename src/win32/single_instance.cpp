#include "win32/single_instance.h"

#include <cstdint>
#include <cwchar>

namespace frondel {

std::wstring FolderTag(const std::filesystem::path& program_folder) {
  std::wstring folder = std::filesystem::absolute(program_folder).lexically_normal().native();
  CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
  // FNV-1a over the UTF-16 units.
  std::uint64_t hash = 14695981039346656037ull;
  for (wchar_t unit : folder) {
    hash = (hash ^ static_cast<std::uint16_t>(unit)) * 1099511628211ull;
  }
  wchar_t tag[17];
  std::swprintf(tag, 17, L"%016llx", static_cast<unsigned long long>(hash));
  return tag;
}

std::wstring MainWindowClass(const std::filesystem::path& program_folder) {
  return L"Frondel.Main." + FolderTag(program_folder);
}

InstanceLock::InstanceLock(const std::filesystem::path& program_folder) {
  const std::wstring name = L"Local\\Frondel." + FolderTag(program_folder);
  mutex_ = CreateMutexW(nullptr, FALSE, name.c_str());
  leads_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
}

InstanceLock::~InstanceLock() {
  if (mutex_) CloseHandle(mutex_);
}

bool HandOver(const std::filesystem::path& program_folder, const std::filesystem::path& file,
              std::chrono::milliseconds patience) {
  const std::wstring window_class = MainWindowClass(program_folder);
  // The leader may have taken the lock but not yet made its window.
  for (auto waited = std::chrono::milliseconds(0); waited <= patience;
       waited += std::chrono::milliseconds(100)) {
    const HWND window = FindWindowW(window_class.c_str(), nullptr);
    if (!window) {
      Sleep(100);
      continue;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    const std::wstring& name = file.native();
    COPYDATASTRUCT data{kHandOverData, static_cast<DWORD>(name.size() * sizeof(wchar_t)),
                        const_cast<wchar_t*>(name.data())};
    DWORD_PTR taken = FALSE;
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, 10000, &taken) &&
           taken == TRUE;
  }
  return false;
}

}  // namespace frondel
