#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_error.h"
#include "registrar/start_detached.h"

namespace kestrup {

using frondel::FileError;
using frondel::SystemReason;

namespace {

void WriteError(int fd, int error) {
  [[maybe_unused]] const ssize_t written = write(fd, &error, sizeof error);
}

// Runs in the forked middle process: only calls that are safe after fork.
[[noreturn]] void StartGrandchild(char* const argv[], int report) {
  setsid();  // its own session, so closing our terminal does not end the command
  const pid_t command = fork();
  if (command == 0) {
    execvp(argv[0], argv);
    WriteError(report, errno);
    _exit(127);
  }
  if (command < 0) WriteError(report, errno);
  _exit(0);
}

}  // namespace

// Forks twice: the middle process starts the command and ends at once, so we wait only for
// that, never for the command, and the command is handed to the system to reap. A pipe
// closed on exec carries the errno of a failed start back; its end of file means it started.
void StartDetached(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) throw FileError("start", arguments[0], SystemReason(errno));
  const pid_t middle = fork();
  if (middle == 0) {
    close(report[0]);
    StartGrandchild(argv.data(), report[1]);
  }
  const int fork_error = errno;
  close(report[1]);
  if (middle < 0) {
    close(report[0]);
    throw FileError("start", arguments[0], SystemReason(fork_error));
  }

  int start_error = 0;
  ssize_t got;
  do {
    got = read(report[0], &start_error, sizeof start_error);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
  }
  if (got == sizeof start_error) throw FileError("start", arguments[0], SystemReason(start_error));
}

}  // namespace kestrup
