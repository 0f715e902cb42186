#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

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

}  // namespace kestrup
