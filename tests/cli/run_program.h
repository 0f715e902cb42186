#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace frondel::testing {

// What a finished program left: its exit status and what it wrote to its two outputs.
struct ProgramRun {
  int status;
  std::string out, err;
};

// Runs `program` with `arguments` (UTF-8) and waits for it; its outputs go through files in
// `scratch`. Kept apart from the tests, since windows.h would rename their MessageBox.
ProgramRun RunProgram(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments,
                      const std::filesystem::path& scratch);

#ifndef _WIN32
// As RunProgram, but the program is only started, and its process id returned. Its standard
// output goes to `out_fd` instead when that is given (`out` is then empty).
int StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& scratch, int out_fd = -1);
// Waits for a program that StartProgram started.
ProgramRun WaitForProgram(int process, const std::filesystem::path& scratch);
// As RunProgram, but with standard error on a pseudo-terminal: `err` is what reached it.
ProgramRun RunProgramOnTerminal(const std::filesystem::path& program,
                                const std::vector<std::string>& arguments,
                                const std::filesystem::path& scratch);
#endif

}  // namespace frondel::testing
