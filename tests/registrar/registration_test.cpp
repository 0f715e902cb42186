#include "registrar/registration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/file_error.h"
#include "registrar/copy_replacing.h"
#include "registrar/wine.h"
#include "support/temp_folder.h"
#include "text_files.h"

namespace kestrup {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::WriteText;

// The program folder and drive C: are temporary folders; copies are real, starts are recorded.
class RecordingPlatform : public Platform {
 public:
  RecordingPlatform(fs::path program_folder, fs::path drive_c)
      : program_folder_(std::move(program_folder)), drive_c_(std::move(drive_c)) {}

  fs::path ProgramFolder() override {
    calls.push_back("program folder");
    return program_folder_;
  }
  void CopyOverwriting(const fs::path& from, std::string_view windows_to) override {
    calls.push_back("copy " + from.string() + " to " + std::string(windows_to));
    CopyReplacing(from, WinePath(windows_to, drive_c_));
  }
  void Start(std::string_view command_line, int window_style) override {
    calls.push_back("start " + std::string(command_line) + " style " +
                    std::to_string(window_style));
    if (refuse_starts) throw frondel::FileError("start", "cmd.exe", "Permission denied");
  }

  std::vector<std::string> calls;
  bool refuse_starts = false;

 private:
  fs::path program_folder_;
  fs::path drive_c_;
};

// The step failure that RegisterControls throws; the test fails when it throws none.
StepFailure FailureOf(Platform& platform) {
  try {
    RegisterControls(platform);
  } catch (const StepFailure& failure) {
    return failure;
  }
  throw std::logic_error("RegisterControls failed no step");
}

class RegisterControlsTest : public ::testing::Test {
 protected:
  RegisterControlsTest() : platform(dir / "program", dir / "drive_c") {
    fs::create_directories(dir / "program");
    fs::create_directories(system32);
  }

  void PutBesideProgram(const std::string& name, const std::string& bytes) {
    WriteText(dir / "program" / name, bytes);
  }

  std::vector<std::string> Starts() const {
    std::vector<std::string> starts;
    for (const std::string& call : platform.calls) {
      if (call.starts_with("start ")) starts.push_back(call);
    }
    return starts;
  }

  std::vector<std::string> SystemFolderFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(system32)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  frondel::testing::TempFolder dir{std::filesystem::temp_directory_path(), "kestrup-test"};
  fs::path system32 = dir / "drive_c" / "windows" / "system32";
  RecordingPlatform platform;
};

TEST_F(RegisterControlsTest, CopiesBothBeforeStartingEitherCommand) {
  PutBesideProgram("Controls.ocx", "suite");
  PutBesideProgram("Mscomctl.ocx", "common");

  EXPECT_NO_THROW(RegisterControls(platform));

  const fs::path program = dir / "program";
  const std::vector<std::string> expected = {
      "program folder",
      "copy " + (program / "Controls.ocx").string() + " to C:\\windows\\system32\\Controls.ocx",
      "program folder",
      "copy " + (program / "Mscomctl.ocx").string() + " to C:\\windows\\system32\\Mscomctl.ocx",
      "start cmd.exe /RegSvr32 Controls.ocx style 2",
      "start cmd.exe /RegSvr32 Mscomctl.ocx style 2",
  };
  EXPECT_EQ(platform.calls, expected);
  EXPECT_EQ(ReadText(system32 / "Controls.ocx"), "suite");
  EXPECT_EQ(ReadText(system32 / "Mscomctl.ocx"), "common");
}

TEST_F(RegisterControlsTest, ReplacesExistingCopiesWholeAndLeavesNothingElse) {
  WriteText(system32 / "Controls.ocx", "an older and much longer control suite");
  WriteText(system32 / "Mscomctl.ocx", "an older and much longer common controls file");
  PutBesideProgram("Controls.ocx", "suite");
  PutBesideProgram("Mscomctl.ocx", "common");

  EXPECT_NO_THROW(RegisterControls(platform));

  EXPECT_EQ(ReadText(system32 / "Controls.ocx"), "suite");
  EXPECT_EQ(ReadText(system32 / "Mscomctl.ocx"), "common");
  EXPECT_EQ(SystemFolderFiles(), (std::vector<std::string>{"Controls.ocx", "Mscomctl.ocx"}));
}

TEST_F(RegisterControlsTest, MissingSuiteCopiesNothingStartsNothingAndSaysWhy) {
  PutBesideProgram("Mscomctl.ocx", "common");

  const StepFailure failure = FailureOf(platform);

  EXPECT_EQ(failure.step(), 2);
  EXPECT_EQ(failure.path(), dir / "program" / "Controls.ocx");
  EXPECT_EQ(Describe(failure),
            "kestrup: step 2 of 7 (copy Controls.ocx to C:\\windows\\system32\\Controls.ocx) "
            "failed: " +
                (dir / "program" / "Controls.ocx").string() + ": No such file or directory");
  EXPECT_TRUE(SystemFolderFiles().empty());
  EXPECT_TRUE(Starts().empty());
}

TEST_F(RegisterControlsTest, MissingCommonControlsKeepsTheFirstCopyAndStartsNothing) {
  PutBesideProgram("Controls.ocx", "suite");

  const StepFailure failure = FailureOf(platform);

  EXPECT_EQ(failure.step(), 4);
  EXPECT_EQ(failure.path(), dir / "program" / "Mscomctl.ocx");
  EXPECT_EQ(SystemFolderFiles(), std::vector<std::string>{"Controls.ocx"});
  EXPECT_TRUE(Starts().empty());
}

TEST_F(RegisterControlsTest, MissingSystemFolderNamesTheDestination) {
  fs::remove(system32);
  PutBesideProgram("Controls.ocx", "suite");
  PutBesideProgram("Mscomctl.ocx", "common");

  const StepFailure failure = FailureOf(platform);

  EXPECT_EQ(failure.step(), 2);
  EXPECT_EQ(failure.path(), system32 / "Controls.ocx");
  EXPECT_EQ(failure.reason(), "No such file or directory");
  EXPECT_FALSE(fs::exists(system32));
}

TEST_F(RegisterControlsTest, RefusedFirstCommandStopsBeforeTheSecond) {
  PutBesideProgram("Controls.ocx", "suite");
  PutBesideProgram("Mscomctl.ocx", "common");
  platform.refuse_starts = true;

  const StepFailure failure = FailureOf(platform);

  EXPECT_EQ(failure.step(), 5);
  EXPECT_EQ(failure.action(), "start cmd.exe /RegSvr32 Controls.ocx");
  EXPECT_EQ(failure.reason(), "Permission denied");
  EXPECT_EQ(Starts(), std::vector<std::string>{"start cmd.exe /RegSvr32 Controls.ocx style 2"});
  EXPECT_EQ(SystemFolderFiles(), (std::vector<std::string>{"Controls.ocx", "Mscomctl.ocx"}));
}

}  // namespace
}  // namespace kestrup
