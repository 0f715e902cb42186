// Where the working folder is: beside the program when it can be, else a folder per user seeded
// from the shipped tree of an install under any prefix.
#include "blocks/working_root.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>

#include "blocks/game_blocks.h"
#include "building/working_folder.h"
#include "platform/file_error.h"
#include "support/at_once.h"
#include "support/bytes.h"
#include "support/program_folder.h"
#include "support/small_mount.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;
using testing::Apart;
using testing::Join;
using testing::PatternBytes;
using testing::ProgramFolder;
using testing::Snapshot;
using testing::TempFolder;
using testing::WriteBytes;

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// An install below a prefix: the programs in bin/, the shipped tree in share/frondel/temp,
// and an environment whose folders all lie in the same temporary folder.
struct SystemInstall {
  TempFolder base;
  fs::path bin = base / "prefix/bin";
  fs::path shipped = base / "prefix/share/frondel/temp";
  UserEnvironment environment{base / "data", base / "home", base / "local"};
#ifdef _WIN32
  fs::path user_root = base / "local/Frondel";
#else
  fs::path user_root = base / "data/frondel";
#endif

  // What a seeded working folder holds: the shipped tree, the job folders and the lock file.
  std::map<std::string, Bytes> Seeded() const {
    auto files = Snapshot(shipped);
    files["dataimport"] = files["dataexport"] = files[".lock"] = {};
    return files;
  }

  SystemInstall() {
    fs::create_directories(bin);
    fs::create_directories(shipped);
    fs::copy(fs::path(FRONDEL_DATA_DIR) / "temp", shipped, fs::copy_options::recursive);
    if (!fs::exists(shipped / "dataentery/TOPDATA1")) throw std::runtime_error("no shipped tree");
  }
};

TEST(WorkingRoot, ATreeBesideTheProgramIsUsedInPlace) {
  ProgramFolder program;
  SystemInstall install;
  const auto before = Snapshot(program.path());
  EXPECT_EQ(WorkingRoot(program.path(), install.environment), program.path());
  EXPECT_EQ(Snapshot(program.path()), before);
  EXPECT_FALSE(fs::exists(install.user_root));
}

TEST(WorkingRoot, AReadOnlyTreeBesideTheProgramSeedsTheFolderPerUser) {
  testing::SmallMount program(1 << 20);
  FRONDEL_SKIP_UNLESS_MOUNTED(program);
  SystemInstall install;
  fs::copy(install.shipped, program / "temp", fs::copy_options::recursive);
  ASSERT_TRUE(program.MakeReadOnly());
  EXPECT_EQ(WorkingRoot(program.path(), install.environment), install.user_root);
  EXPECT_EQ(Snapshot(install.user_root / "temp/help"), Snapshot(program / "temp/help"));
}

TEST(WorkingRoot, AStartRemovesDayOldTemporaryFilesOfOursFromTheJobFolders) {
  ProgramFolder program;
  SystemInstall install;
  const fs::path left = WorkingPath(program.path(),
                                    "temp/dataimport/.file.bin.frondel-"
                                    "0123456789abcdef.partial");
  WriteBytes(left, Text("left by a run that died"));
  fs::last_write_time(left, fs::file_time_type::clock::now() - std::chrono::hours(25));
  WorkingRoot(program.path(), install.environment);
  EXPECT_FALSE(fs::exists(left));
}

TEST(WorkingRoot, ASystemInstallSeedsTheFolderPerUserFromTheSharedTree) {
  SystemInstall install;
  EXPECT_EQ(WorkingRoot(install.bin, install.environment), install.user_root);
  auto expected = install.Seeded();
  EXPECT_EQ(Snapshot(install.user_root / "temp"), expected);
#ifndef _WIN32
  install.environment.data_home = "relative";
  EXPECT_EQ(ChooseWorkingRoot(install.bin, install.environment).root,
            install.base / "home/.local/share/frondel");
#endif
}

TEST(WorkingRoot, ALaterStartRenewsStandInsAndPicturesButKeepsTheGamesBlocks) {
  SystemInstall install;
  const fs::path temp = install.user_root / "temp";
  WorkingRoot(install.bin, install.environment);
  const Bytes game_template = Text("the game's own template");
  WriteBytes(WorkingPath(install.user_root, "temp/dataentery/EXDATA"), game_template);
  WriteBytes(WorkingPath(install.user_root, WorkFile::HeadBlock), Text("FRONDEL STAND-IN, older"));
  WriteBytes(WorkingPath(install.user_root, WorkFile::BlocksRecord), Text("EXDATA\tML.bin\t1"));
  fs::remove(WorkingPath(install.user_root, WorkFile::Tutorial2));

  WorkingRoot(install.bin, install.environment);
  auto expected = install.Seeded();
  expected["dataentery/EXDATA"] = game_template;
  expected["dataentery/blocks.txt"] = Text("EXDATA\tML.bin\t1");
  EXPECT_EQ(Snapshot(temp), expected);
}

// Rounds of a stress test: as many as fit in about two seconds.
bool MoreRounds(int round, std::chrono::steady_clock::time_point start) {
  return round < 1000 && std::chrono::steady_clock::now() - start < std::chrono::seconds(2);
}

TEST(WorkingRoot, FirstStartsAtOnceAllSucceedAndLeaveEveryFileWhole) {
  const auto start = std::chrono::steady_clock::now();
  int round = 0;
  for (; MoreRounds(round, start); ++round) {
    SystemInstall install;
    const auto first_start = [&] { WorkingRoot(install.bin, install.environment); };
    ASSERT_EQ(RunAtOnce({first_start, first_start, first_start, first_start}, Apart::Processes), 0)
        << "in round " << round;
    ASSERT_EQ(Snapshot(install.user_root / "temp"), install.Seeded()) << "in round " << round;
  }
  RecordProperty("clean_rounds", round);
}

// A take while newer packages' first starts renew the stand-ins: the blocks that the take
// installed stay, and the record names them.
TEST(WorkingRoot, ATakeDuringANewerPackagesStartKeepsTheTakenBlocks) {
  const MenuPlace& place = MenuPlaces()[0];
  const MenuBlocks game{BlocksProblem::None, Text("the game's head"), Text("the game's template")};
  const auto start = std::chrono::steady_clock::now();
  int round = 0;
  for (; MoreRounds(round, start); ++round) {
    SystemInstall install;
    WorkingRoot(install.bin, install.environment);
    // One package after another, each with stand-ins of its own; large ones keep a start's
    // look at a block and its write apart long enough to race.
    const auto newer_starts = [&] {
      for (int package = 0; package < 8; ++package) {
        const std::string newer = ", package " + std::to_string(package);
        WriteBytes(install.shipped / "dataentery/TOPDATA1", Text("FRONDEL STAND-IN" + newer));
        WriteBytes(install.shipped / place.template_file.substr(5),
                   Join({Text("STAND-IN TEMPLATE" + newer), PatternBytes(256 << 10, package)}));
        WorkingRoot(install.bin, install.environment);
      }
    };
    const auto take = [&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(round % 10 * 2));
      if (!TakeBlocks(install.user_root, place, game, {"menu.bin", "today"}, false).taken) {
        throw std::runtime_error("not taken");
      }
    };
    ASSERT_EQ(RunAtOnce({newer_starts, take}, Apart::Processes), 0) << "in round " << round;
    ASSERT_EQ(ReadWholeFile(WorkingPath(install.user_root, WorkFile::HeadBlock)), game.head)
        << "in round " << round;
    ASSERT_EQ(ReadWholeFile(WorkingPath(install.user_root, place.template_file)),
              game.place_template)
        << "in round " << round;
    EXPECT_EQ(ReadBlocksRecord(install.user_root).origins.size(), 2u);
  }
  RecordProperty("clean_rounds", round);
}

TEST(WorkingRoot, AFolderThatCannotBeMadeIsOneErrorNamingIt) {
  SystemInstall install;
  WriteBytes(install.base / "data", Text("a file where a folder should be"));
  WriteBytes(install.base / "local", Text("a file where a folder should be"));
  try {
    WorkingRoot(install.bin, install.environment);
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(error.path(), install.user_root / "temp");
    EXPECT_FALSE(error.reason().empty());
  }
}

}  // namespace
}  // namespace frondel
