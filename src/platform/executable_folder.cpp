#include "platform/executable_folder.h"

#include <string>
#include <system_error>

#include "platform/file_error.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace frondel {

#ifdef _WIN32
std::filesystem::path ExecutableFolder() {
  std::wstring program(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    if (length == 0) {
      throw FileError("find", "the program's own file",
                      std::system_category().message(static_cast<int>(GetLastError())));
    }
    // A full buffer may hold a cut name: try again with more room.
    if (length < program.size()) {
      program.resize(length);
      return std::filesystem::path(program).parent_path();
    }
    program.resize(program.size() * 2);
  }
}
#else
std::filesystem::path ExecutableFolder() {
  const std::filesystem::path link = "/proc/self/exe";
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink(link, ec);
  if (ec) throw FileError("read", link, ec.message());
  return program.parent_path();
}
#endif

}  // namespace frondel
