#pragma once

#include "platform/program.h"

namespace frondel {

// Starts `command` through the shell, as the presenter's command starter. Throws FileError
// when the shell cannot start it.
void StartCommand(const Command& command);

}  // namespace frondel
