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
  const std::filesystem::path out = scratch / "stdout", err = scratch / "stderr";
  int status = -1;
#ifdef _WIN32
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
  status = static_cast<int>(code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
#else
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int wait_status = 0;
  if (child < 0 || waitpid(child, &wait_status, 0) != child) {
    throw std::runtime_error("could not run " + PathText(program));
  }
  if (WIFEXITED(wait_status)) status = WEXITSTATUS(wait_status);
#endif
  return {status, ReadText(out), ReadText(err)};
}

}  // namespace frondel::testing
