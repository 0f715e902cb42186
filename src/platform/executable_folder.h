#pragma once

#include <filesystem>

namespace frondel {

// The folder of the running executable, found without Qt: the console program's program
// folder. Throws FileError when the system cannot tell.
std::filesystem::path ExecutableFolder();

}  // namespace frondel
