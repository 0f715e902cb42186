#include "win32/start_command.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "platform/file_error.h"
#include "platform/wide_text.h"

namespace frondel {

void StartCommand(const Command& command) {
  std::wstring arguments;
  for (const std::string& argument : command.arguments) {
    if (!arguments.empty()) arguments += L' ';
    arguments += L'"' + Widen(argument) + L'"';
  }
  const auto started = reinterpret_cast<INT_PTR>(ShellExecuteW(
      nullptr, L"open", Widen(command.program).c_str(), arguments.c_str(), nullptr, SW_SHOWNORMAL));
  // Values up to 32 are the shell's error codes.
  if (started <= 32) {
    throw FileError("start", command.program, "the program was not found or could not be run");
  }
}

}  // namespace frondel
