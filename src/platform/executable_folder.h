#pragma once

#include <filesystem>

namespace frondel {

// The folder of the running executable, below which the working folder lies: the program
// folder of the window and of the console program. Found without Qt. Throws FileError when
// the system cannot tell.
std::filesystem::path ExecutableFolder();

}  // namespace frondel
