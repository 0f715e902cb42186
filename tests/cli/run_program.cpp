#include "cli/run_program.h"

#include <stdexcept>

#include "platform/file_error.h"
#include "platform/file_system.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace frondel::testing {

namespace {

// Windows ends a line with CR LF; the text is compared without the CR.
std::string ReadText(const std::filesystem::path& file) {
  const Bytes bytes = ReadWholeFile(file);
  std::string text(bytes.begin(), bytes.end());
#ifdef _WIN32
  std::erase(text, '\r');
#endif
  return text;
}

#ifdef _WIN32
std::wstring Wide(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

// One argument as the C runtime splits a command line: quoted, with the backslashes before
// a quote doubled.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

HANDLE Inheritable(const std::filesystem::path& file) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}
#endif

}  // namespace

ProgramRun RunProgram(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments,
                      const std::filesystem::path& scratch) {
#ifdef _WIN32
  const std::filesystem::path out = scratch / "stdout", err = scratch / "stderr";
  std::wstring line = Quoted(program.wstring());
  for (const std::string& argument : arguments) {
    line += L" " + Quoted(Wide(argument));
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = Inheritable(out);
  startup.hStdError = Inheritable(err);
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &process);
  CloseHandle(startup.hStdOutput);
  CloseHandle(startup.hStdError);
  if (!started) throw std::runtime_error("could not start " + PathText(program));
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return {static_cast<int>(code), ReadText(out), ReadText(err)};
#else
  return WaitForProgram(StartProgram(program, arguments, scratch), scratch);
#endif
}

#ifndef _WIN32
namespace {

// Starts `program` with its standard output to `out_fd` and its standard error to `err_fd`,
// or to `scratch`/stdout and `scratch`/stderr where they are -1.
pid_t Start(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            const std::filesystem::path& scratch, int out_fd, int err_fd) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const std::filesystem::path out = scratch / "stdout", err = scratch / "stderr";
  const pid_t child = fork();
  if (child == 0) {
    dup2(out_fd >= 0 ? out_fd : open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(err_fd >= 0 ? err_fd : open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (child < 0) throw std::runtime_error("could not start " + PathText(program));
  return child;
}

int Wait(pid_t child) {
  int wait_status = 0;
  if (waitpid(child, &wait_status, 0) != child) throw std::runtime_error("could not wait");
  return WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
}

}  // namespace

int StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& scratch, int out_fd) {
  std::filesystem::remove(scratch / "stdout");
  return Start(program, arguments, scratch, out_fd, -1);
}

ProgramRun WaitForProgram(int process, const std::filesystem::path& scratch) {
  const int status = Wait(process);
  const bool has_out = std::filesystem::exists(scratch / "stdout");
  return {status, has_out ? ReadText(scratch / "stdout") : "", ReadText(scratch / "stderr")};
}

ProgramRun RunProgramOnTerminal(const std::filesystem::path& program,
                                const std::vector<std::string>& arguments,
                                const std::filesystem::path& scratch) {
  // Raw, so that the terminal passes the bytes as written (no CR added before LF).
  termios raw{};
  cfmakeraw(&raw);
  int terminal = -1, program_side = -1;
  if (openpty(&terminal, &program_side, nullptr, &raw, nullptr) != 0) {
    throw std::runtime_error("no pseudo-terminal");
  }
  const pid_t child = Start(program, arguments, scratch, -1, program_side);
  close(program_side);
  std::string err;
  char buffer[4096];
  // Read until the program's side is closed, which Linux reports as EIO.
  for (ssize_t got; (got = read(terminal, buffer, sizeof buffer)) > 0;) err.append(buffer, got);
  close(terminal);
  const int status = Wait(child);
  return {status, ReadText(scratch / "stdout"), err};
}
#endif

}  // namespace frondel::testing
