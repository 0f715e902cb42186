#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <iostream>
#include <string>
#include <system_error>

#include "registrar/copy_replacing.h"
#include "registrar/host_platform.h"
#include "registrar/platform_error.h"

namespace kestrup {
namespace {

std::string LastErrorReason() {
  return std::system_category().message(static_cast<int>(GetLastError()));
}

std::wstring Wide(const std::string& utf8) {
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

}  // namespace

std::filesystem::path HostPlatform::ProgramFolder() {
  std::wstring program(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    if (length == 0) throw PlatformError("kestrup", LastErrorReason());
    if (length < program.size()) {
      program.resize(length);
      return std::filesystem::path(program).parent_path();
    }
    program.resize(program.size() * 2);
  }
}

void HostPlatform::CopyOverwriting(const std::filesystem::path& from, std::string_view windows_to) {
  CopyReplacing(from, std::filesystem::path(windows_to));
}

void HostPlatform::Start(std::string_view command_line, int window_style) {
  // The command lines are plain ASCII, so widening each character keeps them as they stand.
  std::wstring line(command_line.begin(), command_line.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(window_style);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    throw PlatformError(std::string(command_line), LastErrorReason());
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

// kestrup is a GUI program, so it has a standard error only when a console or a script
// handed it one; started from Explorer it tells the user in a box instead.
void ReportFailure(const std::string& line) {
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error != nullptr && error != INVALID_HANDLE_VALUE) {
    std::cerr << line << '\n';
  } else {
    MessageBoxW(nullptr, Wide(line).c_str(), L"kestrup", MB_OK | MB_ICONERROR);
  }
}

}  // namespace kestrup
