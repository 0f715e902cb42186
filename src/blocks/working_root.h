#pragma once

#include <filesystem>

namespace frondel {

// What the choice of the working folder reads from the environment; passed in, so that tests
// need no real home folder. An unset variable is an empty path.
struct UserEnvironment {
  std::filesystem::path data_home;       // XDG_DATA_HOME
  std::filesystem::path home;            // HOME
  std::filesystem::path local_app_data;  // LOCALAPPDATA, on Windows
};

UserEnvironment ProcessEnvironment();

struct WorkingRootChoice {
  std::filesystem::path root;     // the folder that holds temp/: what the jobs take as
                                  // their program folder
  std::filesystem::path shipped;  // the shipped temp/ tree that seeds it; empty when portable
};

// Portable: the program folder, when the temp/ tree beside the program is there and can be
// written. Otherwise the folder per user ($XDG_DATA_HOME/frondel, ~/.local/share/frondel, or
// %LOCALAPPDATA%\Frondel on Windows), seeded from the read-only temp/ beside the program or,
// for a system-wide install under any prefix, from <prefix>/share/frondel/temp. Makes
// nothing; throws FileError when the environment names no folder per user.
WorkingRootChoice ChooseWorkingRoot(const std::filesystem::path& program_folder,
                                    const UserEnvironment& environment);

// Makes `root`/temp with its job folders and copies in from `shipped` what is missing or
// differs, except that a block the user took from the game (anything in dataentery that is not
// a stand-in) is never replaced. Holds the working folder's lock while it looks and writes, so
// any number of starts may seed at once, and a take never races it. Throws FileError naming
// the folder or file and the reason.
void SeedWorkingFolder(const std::filesystem::path& shipped, const std::filesystem::path& root);

// Removes what writes of a run that died left in `root`/temp and its job folders: temporary
// files of ours, and only old ones.
void RemoveStaleWorkingTemporaries(const std::filesystem::path& root);

// The folder every working file lies below, chosen and, when it is the folder per user, made
// and seeded; stale temporary files are removed from it.
std::filesystem::path WorkingRoot(const std::filesystem::path& program_folder,
                                  const UserEnvironment& environment);

}  // namespace frondel
