#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace frondel::cli {

// The program's arguments as UTF-8, whatever the platform's own encoding (UTF-16 on Windows).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// UTF-8 text to standard output or standard error: to a Windows console as UTF-16, so any
// character shows; to a file or pipe as the UTF-8 bytes. A write that fails is kept as the
// output fault, and the program goes on (SIGPIPE is ignored: a closed pipe is such a fault).
void WriteOut(std::string_view text);
void WriteErr(std::string_view text);

// The first write to standard output or error that failed.
struct OutputFault {
  const char* stream;  // "standard output" or "standard error"
  bool closed_pipe;    // nothing reads the pipe any more
};
std::optional<OutputFault> FirstOutputFault();
// The exit status a fault calls for: 141 (128 + SIGPIPE) for a closed pipe, as for a program
// that the signal ended, else 1 as for a failed input.
int OutputFaultStatus(const OutputFault& fault);

// Whether standard error is a terminal (a console on Windows), where a line may be rewritten.
bool ErrIsTerminal();

}  // namespace frondel::cli
