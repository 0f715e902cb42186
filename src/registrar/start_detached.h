#pragma once

#include <string>
#include <vector>

namespace kestrup {

// Starts the program `arguments[0]` (looked up on PATH) with `arguments` and returns as soon
// as it runs, without waiting for it to end. The started process is not our child, so it is
// never left behind as a zombie and goes on after we end. Throws FileError naming the
// program when it cannot be started.
void StartDetached(const std::vector<std::string>& arguments);

}  // namespace kestrup
