#pragma once

#include "platform/program.h"

namespace frondel {

// Starts `command` and goes on at once, without waiting for it. Throws FileError when it
// cannot be started.
void StartCommand(const Command& command);

}  // namespace frondel
