#include "cli/console.h"

#include <cstdio>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// shellapi.h needs the types that windows.h defines.
#include <shellapi.h>
// _isatty, _fileno
#include <io.h>
#else
#include <unistd.h>
#endif

namespace frondel::cli {
namespace {

#ifdef _WIN32
std::string Utf8(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(length > 0 ? length - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
  return text;
}

void Write(DWORD which, std::FILE* stream, std::string_view text) {
  const HANDLE handle = GetStdHandle(which);
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || handle == nullptr || !GetConsoleMode(handle, &mode)) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
    return;
  }
  const int size = static_cast<int>(text.size());
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  DWORD written = 0;
  WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}
#endif

}  // namespace

#ifdef _WIN32
// The narrow argv of a Windows program is in the ANSI code page, which cannot hold every
// file name: the wide command line can.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

void WriteOut(std::string_view text) { Write(STD_OUTPUT_HANDLE, stdout, text); }
void WriteErr(std::string_view text) { Write(STD_ERROR_HANDLE, stderr, text); }
bool ErrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }
#else
std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void WriteOut(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}
void WriteErr(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}
bool ErrIsTerminal() { return isatty(fileno(stderr)) != 0; }
#endif

}  // namespace frondel::cli
