#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "registrar/platform.h"

namespace kestrup {

// The step that stopped the sequence, what it was doing, and what the system said.
struct StepFailure {
  int step = 0;
  std::string action;
  std::filesystem::path file;
  std::string reason;
};

// Copies both control files into the system folder, then starts the registration of each.
// Stops at the first step the system refuses; copies made before it stay in place.
std::optional<StepFailure> RegisterControls(Platform& platform);

// The one line that tells the user which step failed, on which file, and why.
std::string Describe(const StepFailure& failure);

}  // namespace kestrup
