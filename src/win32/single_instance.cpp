#include "win32/single_instance.h"

// After windows.h, which they need.
#include <sddl.h>

#include <cstdint>
#include <cwchar>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace frondel {
namespace {

// The TOKEN_USER of a process's token; none when it cannot be read.
std::optional<std::vector<std::byte>> TokenUserOf(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::optional<std::vector<std::byte>> user(std::in_place, size);
  if (size == 0 || !GetTokenInformation(token, TokenUser, user->data(), size, &size)) {
    user.reset();
  }
  CloseHandle(token);
  return user;
}

// The SID of a TOKEN_USER, null (as the system's functions take it) when there is none.
PSID SidOf(std::optional<std::vector<std::byte>>& token_user) {
  return token_user ? reinterpret_cast<TOKEN_USER*>(token_user->data())->User.Sid : nullptr;
}

// This program's user.
std::optional<std::vector<std::byte>>& OwnUser() {
  static std::optional<std::vector<std::byte>> user = TokenUserOf(GetCurrentProcess());
  return user;
}

// The user's SID as text ("S-1-5-21-..."), which names what is the user's alone.
std::wstring UserTag() {
  wchar_t* text = nullptr;
  const PSID sid = SidOf(OwnUser());
  if (!sid || !ConvertSidToStringSidW(sid, &text)) return L"unknown-user";
  std::wstring tag = text;
  LocalFree(text);
  return tag;
}

// Whether `process` runs as this program's user: a window of another user's program, though
// it has the class name, is never handed a file.
bool SameUser(DWORD process_id) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
  if (!process) return false;
  std::optional<std::vector<std::byte>> user = TokenUserOf(process);
  CloseHandle(process);
  const PSID own = SidOf(OwnUser()), other = SidOf(user);
  return own && other && EqualSid(own, other);
}

}  // namespace

std::wstring FolderTag(const std::filesystem::path& working_root) {
  std::wstring folder = std::filesystem::absolute(working_root).lexically_normal().native();
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

std::wstring MainWindowClass(const std::filesystem::path& working_root) {
  return L"Frondel.Main." + UserTag() + L"." + FolderTag(working_root);
}

HandOverRequest ReadHandOver(const COPYDATASTRUCT& data) {
  if (data.cbData == 0) return {HandOverRequest::Status::Taken, std::nullopt};
  // A UTF-16 unit is at least one byte of UTF-8, so a longer one is refused unread.
  if (!data.lpData || data.cbData % sizeof(wchar_t) != 0 ||
      data.cbData > kLongestHandOver * sizeof(wchar_t)) {
    return {HandOverRequest::Status::Refused, std::nullopt};
  }
  const std::wstring_view name(static_cast<const wchar_t*>(data.lpData),
                               data.cbData / sizeof(wchar_t));
  return RequestToOpen(std::filesystem::path(name));
}

InstanceLock::InstanceLock(const std::filesystem::path& working_root) {
  const std::wstring user = UserTag();
  const std::wstring name = L"Local\\Frondel." + user + L"." + FolderTag(working_root);
  // Full access for the user alone, and nobody else may open it.
  const std::wstring only_user = L"D:P(A;;GA;;;" + user + L")";
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorW(only_user.c_str(), SDDL_REVISION_1,
                                                       &descriptor, nullptr);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  mutex_ = CreateMutexW(descriptor ? &attributes : nullptr, FALSE, name.c_str());
  leads_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
  if (descriptor) LocalFree(descriptor);
}

InstanceLock::~InstanceLock() {
  if (mutex_) CloseHandle(mutex_);
}

bool HandOver(const std::filesystem::path& working_root,
              const std::optional<std::filesystem::path>& file,
              std::chrono::milliseconds patience) {
  const std::wstring window_class = MainWindowClass(working_root);
  const std::wstring name = file && CanHandOver(*file) ? file->native() : std::wstring();
  // The leader may have taken the lock but not yet made its window.
  for (auto waited = std::chrono::milliseconds(0); waited <= patience;
       waited += std::chrono::milliseconds(100)) {
    HWND window = nullptr;
    DWORD process = 0;
    while ((window = FindWindowExW(nullptr, window, window_class.c_str(), nullptr))) {
      GetWindowThreadProcessId(window, &process);
      if (SameUser(process)) break;
    }
    if (!window) {
      Sleep(100);
      continue;
    }
    AllowSetForegroundWindow(process);
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
