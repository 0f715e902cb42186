#pragma once

#include <filesystem>
#include <string>

namespace frondel::cli {

// The folder holding the working folder temp/ that this run's blocks are in: the program
// folder, or the folder per user made and seeded on first use. Throws FileError.
const std::filesystem::path& WorkingRootInUse();

// "working folder: <folder> (portable|per user)", without making anything.
std::string DescribeWorkingFolder();

}  // namespace frondel::cli
