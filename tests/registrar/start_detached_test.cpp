#include "registrar/start_detached.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cerrno>

#include "platform/file_error.h"
#include "support/temp_folder.h"
#include "text_files.h"
#include "wait_until.h"

namespace kestrup {
namespace {

namespace fs = std::filesystem;

TEST(StartDetached, ReturnsWhileTheCommandStillRunsAndLeavesNoChildToReap) {
  frondel::testing::TempFolder dir{fs::temp_directory_path(), "kestrup-test"};
  const fs::path pid_file = dir / "pid";
  // The shell writes its process id, then becomes a long sleep under the same id.
  StartDetached({"sh", "-c",
                 "echo $$ > \"$0.partial\" && mv \"$0.partial\" \"$0\" && exec sleep 30",
                 pid_file.string()});

  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
  ASSERT_TRUE(testing::WaitUntil([&] { return fs::exists(pid_file); }));
  const pid_t command = std::stoi(testing::ReadText(pid_file));
  EXPECT_EQ(kill(command, 0), 0) << "the command had already ended";
  kill(command, SIGTERM);
}

TEST(StartDetached, UnknownProgramIsReportedWithTheSystemsReason) {
  try {
    StartDetached({"kestrup-test-no-such-program", "x"});
    FAIL() << "expected a FileError";
  } catch (const frondel::FileError& e) {
    EXPECT_EQ(e.path(), "kestrup-test-no-such-program");
    EXPECT_EQ(e.reason(), "No such file or directory");
  }
}

}  // namespace
}  // namespace kestrup
