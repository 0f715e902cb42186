#pragma once

#include <string>

#include "platform/file_error.h"
#include "registrar/platform.h"

namespace kestrup {

// The step that stopped the sequence: its number, and as the error's action what the step was
// doing, with the file and the system's reason of the refusal.
class StepFailure : public frondel::FileError {
 public:
  StepFailure(int step, std::string action, const frondel::FileError& refused);

  int step() const { return step_; }

 private:
  int step_;
};

// Copies both control files into the system folder, then starts the registration of each.
// Throws StepFailure at the first step the system refuses; copies made before it stay in place.
void RegisterControls(Platform& platform);

// The one line that tells the user which step failed, on which file, and why.
std::string Describe(const StepFailure& failure);

}  // namespace kestrup
