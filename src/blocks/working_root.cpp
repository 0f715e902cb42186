#include "blocks/working_root.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "blocks/game_blocks.h"
#include "building/working_folder.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/folder_lock.h"
#include "platform/temporary_file.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;

bool IsFolder(const fs::path& path) {
  std::error_code ignored;
  return fs::is_directory(path, ignored);
}

// Tried rather than judged from permissions, which say nothing of a read-only mount, of an
// administrator's rights or of Windows' access lists.
bool CanWriteIn(const fs::path& folder) {
  const fs::path probe = folder / (".frondel-probe-" + std::to_string(std::random_device{}()));
  if (!std::ofstream(probe, std::ios::binary)) return false;
  std::error_code ignored;
  fs::remove(probe, ignored);
  return true;
}

fs::path UserFolder(const UserEnvironment& environment) {
#ifdef _WIN32
  if (environment.local_app_data.is_absolute()) return environment.local_app_data / "Frondel";
  throw FileError("find", "%LOCALAPPDATA%\\Frondel", "LOCALAPPDATA is not set");
#else
  // A relative XDG_DATA_HOME is invalid and is ignored, as a missing one is.
  if (environment.data_home.is_absolute()) return environment.data_home / "frondel";
  if (environment.home.is_absolute()) return environment.home / ".local/share/frondel";
  throw FileError("find", "~/.local/share/frondel", "neither XDG_DATA_HOME nor HOME is set");
#endif
}

// The shipped files, relative to the shipped tree; none when there is no shipped tree.
std::vector<fs::path> ShippedFiles(const fs::path& shipped) {
  std::vector<fs::path> files;
  if (!IsFolder(shipped)) return files;
  try {
    for (const auto& entry : fs::recursive_directory_iterator(shipped)) {
      if (entry.is_regular_file()) files.push_back(entry.path().lexically_relative(shipped));
    }
  } catch (const fs::filesystem_error& error) {
    throw FileError("read", error.path1(), error.code().message());
  }
  return files;
}

}  // namespace

UserEnvironment ProcessEnvironment() {
#ifdef _WIN32
  const wchar_t* local_app_data = _wgetenv(L"LOCALAPPDATA");
  return {{}, {}, local_app_data ? fs::path(local_app_data) : fs::path()};
#else
  const auto read = [](const char* name) {
    const char* value = std::getenv(name);
    return value ? fs::path(value) : fs::path();
  };
  return {read("XDG_DATA_HOME"), read("HOME"), {}};
#endif
}

WorkingRootChoice ChooseWorkingRoot(const fs::path& program_folder,
                                    const UserEnvironment& environment) {
  const fs::path beside = program_folder / "temp";
  const bool there = IsFolder(beside);
  if (there && CanWriteIn(beside)) return {program_folder, {}};
  return {UserFolder(environment),
          there ? beside : (program_folder / "../share/frondel/temp").lexically_normal()};
}

void SeedWorkingFolder(const fs::path& shipped, const fs::path& root) {
  const fs::path temp = root / "temp";
  MakeFolder(temp);
  // Every start seeds, and a take may be under way: one at a time, so a block that a take
  // installed is seen as the game's here and never replaced by a stand-in.
  const FolderLock lock(WorkingPath(root, WorkFile::ChangeLock));
  for (const char* folder : {"dataentery", "dataimport", "dataexport"}) MakeFolder(temp / folder);
  for (const fs::path& name : ShippedFiles(shipped)) {
    const fs::path to = temp / name;
    const Bytes from = ReadWholeFile(shipped / name);
    if (FileExists(to)) {
      const Bytes have = ReadWholeFile(to);
      if (have == from) continue;
      if (name.parent_path() == "dataentery" && !IsStandIn(have)) continue;
    }
    MakeFolder(to.parent_path());
    WriteWholeFile(to, {from});
  }
}

void RemoveStaleWorkingTemporaries(const fs::path& root) {
  for (const char* folder : {"", "dataentery", "dataimport", "dataexport", "help"}) {
    RemoveStaleTemporaries(root / "temp" / folder);
  }
}

fs::path WorkingRoot(const fs::path& program_folder, const UserEnvironment& environment) {
  const WorkingRootChoice choice = ChooseWorkingRoot(program_folder, environment);
  if (!choice.shipped.empty()) SeedWorkingFolder(choice.shipped, choice.root);
  RemoveStaleWorkingTemporaries(choice.root);
  return choice.root;
}

}  // namespace frondel
