#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <iostream>
#include <string>
#include <system_error>

#include "platform/file_error.h"
#include "platform/wide_text.h"
#include "registrar/copy_replacing.h"
#include "registrar/host_platform.h"

namespace kestrup {
namespace {

std::string LastErrorReason() {
  return std::system_category().message(static_cast<int>(GetLastError()));
}

}  // namespace

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
    throw frondel::FileError("start", std::string(command_line), LastErrorReason());
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
    MessageBoxW(nullptr, frondel::Widen(line).c_str(), L"kestrup", MB_OK | MB_ICONERROR);
  }
}

}  // namespace kestrup
