#include "registrar/registration.h"

#include <utility>

namespace kestrup {

using frondel::FileError;
using frondel::PathText;

namespace {

struct Control {
  const char* file;
  const char* destination;
  const char* command_line;
};

constexpr Control kControls{"Controls.ocx", "C:\\windows\\system32\\Controls.ocx",
                            "cmd.exe /RegSvr32 Controls.ocx"};
constexpr Control kCommonControls{"Mscomctl.ocx", "C:\\windows\\system32\\Mscomctl.ocx",
                                  "cmd.exe /RegSvr32 Mscomctl.ocx"};

constexpr int kMinimizedWithFocus = 2;
constexpr int kStepCount = 7;

std::string CopyAction(const Control& control) {
  return std::string("copy ") + control.file + " to " + control.destination;
}

std::string StartAction(const Control& control) {
  return std::string("start ") + control.command_line;
}

}  // namespace

StepFailure::StepFailure(int step, std::string action, const FileError& refused)
    : FileError(std::move(action), refused.path(), refused.reason()), step_(step) {}

void RegisterControls(Platform& platform) {
  struct Step {
    int number;
    std::string action;
  } at{};
  try {
    at = {1, "read the program folder"};
    std::filesystem::path folder = platform.ProgramFolder();
    at = {2, CopyAction(kControls)};
    platform.CopyOverwriting(folder / kControls.file, kControls.destination);
    at = {3, "read the program folder"};
    folder = platform.ProgramFolder();
    at = {4, CopyAction(kCommonControls)};
    platform.CopyOverwriting(folder / kCommonControls.file, kCommonControls.destination);
    at = {5, StartAction(kControls)};
    platform.Start(kControls.command_line, kMinimizedWithFocus);
    at = {6, StartAction(kCommonControls)};
    platform.Start(kCommonControls.command_line, kMinimizedWithFocus);
  } catch (const FileError& e) {
    throw StepFailure(at.number, std::move(at.action), e);
  }
}

std::string Describe(const StepFailure& failure) {
  return "kestrup: step " + std::to_string(failure.step()) + " of " + std::to_string(kStepCount) +
         " (" + failure.action() + ") failed: " + PathText(failure.path()) + ": " +
         failure.reason();
}

}  // namespace kestrup
