#include "cli/console.h"

#include <cerrno>
#include <cstdio>
#include <mutex>

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

#include "cli/command_line.h"
#ifdef _WIN32
#include "platform/wide_text.h"
#endif

namespace frondel::cli {
namespace {

constexpr const char* kOut = "standard output";
constexpr const char* kErr = "standard error";

std::mutex fault_mutex;
std::optional<OutputFault> first_fault;  // under fault_mutex

void KeepFault(const char* stream, bool closed_pipe) {
  const std::lock_guard lock(fault_mutex);
  if (!first_fault) first_fault = OutputFault{stream, closed_pipe};
}

void WriteStream(std::FILE* file, const char* stream, std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0) {
    KeepFault(stream, errno == EPIPE);
    // Lets a later write try again rather than fail on the stream's kept error alone.
    std::clearerr(file);
  }
}

#ifdef _WIN32
void Write(DWORD which, std::FILE* file, const char* stream, std::string_view text) {
  const HANDLE handle = GetStdHandle(which);
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || handle == nullptr || !GetConsoleMode(handle, &mode)) {
    WriteStream(file, stream, text);
    return;
  }
  const std::wstring wide = Widen(text);
  DWORD written = 0;
  if (!WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr)) {
    KeepFault(stream, false);
  }
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
  for (int i = 0; i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

void WriteOut(std::string_view text) { Write(STD_OUTPUT_HANDLE, stdout, kOut, text); }
void WriteErr(std::string_view text) { Write(STD_ERROR_HANDLE, stderr, kErr, text); }
bool ErrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }
#else
std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void WriteOut(std::string_view text) { WriteStream(stdout, kOut, text); }
void WriteErr(std::string_view text) { WriteStream(stderr, kErr, text); }
bool ErrIsTerminal() { return isatty(fileno(stderr)) != 0; }
#endif

std::optional<OutputFault> FirstOutputFault() {
  const std::lock_guard lock(fault_mutex);
  return first_fault;
}

int OutputFaultStatus(const OutputFault& fault) {
  constexpr int kClosedPipe = 128 + 13;
  return fault.closed_pipe ? kClosedPipe : kFailed;
}

}  // namespace frondel::cli
