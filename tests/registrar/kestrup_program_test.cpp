// Runs the built kestrup from a program folder of its own, with a Wine prefix and a `wine`
// on PATH that only records how it was started.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "text_files.h"
#include "wait_until.h"

namespace kestrup {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::WriteText;

constexpr const char* kFakeWine = R"(#!/bin/sh
# Records one call per file: the prefix it was given, then its arguments one a line.
call="$KESTRUP_TEST_CALLS/$$"
printf '%s\n' "WINEPREFIX=$WINEPREFIX" "$@" > "$call.partial" && mv "$call.partial" "$call.call"
)";

class KestrupProgramTest : public ::testing::Test {
 protected:
  KestrupProgramTest() {
    for (const fs::path& folder : {program, wine_bin, calls, home, prefix_system32}) {
      fs::create_directories(folder);
    }
    fs::copy_file(KESTRUP_PROGRAM, program / "kestrup");
    WriteText(wine_bin / "wine", kFakeWine);
    for (const fs::path& file : {program / "kestrup", wine_bin / "wine"}) {
      fs::permissions(file, fs::perms::owner_all);
    }
  }

  // Runs kestrup in a clean environment from another folder; returns its exit status.
  int Run(const std::string& path, bool with_wineprefix) {
    std::string line = "cd '" + dir.path().string() + "' && env -i PATH='" + path + "' HOME='" +
                       home.string() + "' KESTRUP_TEST_CALLS='" + calls.string() + "' ";
    if (with_wineprefix) line += "WINEPREFIX='" + prefix.string() + "' ";
    line += "'" + (program / "kestrup").string() + "' 2> stderr";
    const int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string WinePath() const { return wine_bin.string() + ":/usr/bin:/bin"; }

  std::vector<std::string> RecordedCalls() const {
    std::vector<std::string> recorded;
    for (const auto& entry : fs::directory_iterator(calls)) {
      if (entry.path().extension() == ".call") recorded.push_back(ReadText(entry.path()));
    }
    std::sort(recorded.begin(), recorded.end());
    return recorded;
  }

  frondel::testing::TempFolder dir{fs::temp_directory_path(), "kestrup-test"};
  fs::path program = dir / "program";
  fs::path wine_bin = dir / "bin";
  fs::path calls = dir / "calls";
  fs::path home = dir / "home";
  fs::path prefix = dir / "prefix";
  fs::path prefix_system32 = prefix / "drive_c" / "windows" / "system32";
};

TEST_F(KestrupProgramTest, CopiesIntoTheWineprefixAndStartsBothCommandsUnderWine) {
  WriteText(program / "Controls.ocx", "stand-in suite");
  WriteText(program / "Mscomctl.ocx", "stand-in common controls");

  EXPECT_EQ(Run(WinePath(), true), 0);

  EXPECT_EQ(ReadText(dir / "stderr"), "");
  EXPECT_EQ(ReadText(prefix_system32 / "Controls.ocx"), "stand-in suite");
  EXPECT_EQ(ReadText(prefix_system32 / "Mscomctl.ocx"), "stand-in common controls");
  ASSERT_TRUE(testing::WaitUntil([&] { return RecordedCalls().size() == 2; }));
  const std::string given = "WINEPREFIX=" + prefix.string() + "\n";
  EXPECT_EQ(RecordedCalls(), (std::vector<std::string>{
                                 given + "cmd.exe\n/RegSvr32\nControls.ocx\n",
                                 given + "cmd.exe\n/RegSvr32\nMscomctl.ocx\n",
                             }));
}

TEST_F(KestrupProgramTest, WithoutWineprefixCopiesIntoDotWineInHome) {
  const fs::path home_system32 = home / ".wine" / "drive_c" / "windows" / "system32";
  fs::create_directories(home_system32);
  WriteText(program / "Controls.ocx", "stand-in suite");
  WriteText(program / "Mscomctl.ocx", "stand-in common controls");

  EXPECT_EQ(Run(WinePath(), false), 0);

  EXPECT_EQ(ReadText(home_system32 / "Controls.ocx"), "stand-in suite");
  EXPECT_EQ(ReadText(home_system32 / "Mscomctl.ocx"), "stand-in common controls");
  EXPECT_TRUE(fs::is_empty(prefix_system32));
  ASSERT_TRUE(testing::WaitUntil([&] { return RecordedCalls().size() == 2; }));
}

TEST_F(KestrupProgramTest, MissingSecondFileIsOneLineOnStandardErrorAndAFailingStatus) {
  WriteText(program / "Controls.ocx", "stand-in suite");

  EXPECT_NE(Run(WinePath(), true), 0);

  EXPECT_EQ(ReadText(dir / "stderr"),
            "kestrup: step 4 of 7 (copy Mscomctl.ocx to C:\\windows\\system32\\Mscomctl.ocx) "
            "failed: " +
                (program / "Mscomctl.ocx").string() + ": No such file or directory\n");
  EXPECT_EQ(ReadText(prefix_system32 / "Controls.ocx"), "stand-in suite");
  EXPECT_TRUE(RecordedCalls().empty());
}

TEST_F(KestrupProgramTest, WineMissingFromPathFailsAtTheFirstCommand) {
  WriteText(program / "Controls.ocx", "stand-in suite");
  WriteText(program / "Mscomctl.ocx", "stand-in common controls");

  EXPECT_NE(Run((dir / "calls").string(), true), 0);

  EXPECT_EQ(ReadText(dir / "stderr"),
            "kestrup: step 5 of 7 (start cmd.exe /RegSvr32 Controls.ocx) failed: wine: "
            "No such file or directory\n");
  EXPECT_TRUE(fs::exists(prefix_system32 / "Mscomctl.ocx"));
}

}  // namespace
}  // namespace kestrup
