#include "registrar/copy_replacing.h"

#include <gtest/gtest.h>

#include "registrar/platform_error.h"
#include "support/temp_folder.h"
#include "text_files.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace kestrup {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::WriteText;

// A read-only folder refuses new files on POSIX only; on Windows the flag is ignored on folders.
#ifndef _WIN32
TEST(CopyReplacing, RefusedFolderKeepsTheOldCopyAndNamesIt) {
  frondel::testing::TempFolder dir{fs::temp_directory_path(), "kestrup-test"};
  fs::create_directories(dir / "system32");
  WriteText(dir / "new.ocx", "new");
  WriteText(dir / "system32" / "old.ocx", "old");
  fs::permissions(dir / "system32", fs::perms::owner_read | fs::perms::owner_exec);
  if (access((dir / "system32").c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights to write";

  try {
    CopyReplacing(dir / "new.ocx", dir / "system32" / "old.ocx");
    FAIL() << "expected a PlatformError";
  } catch (const PlatformError& e) {
    EXPECT_EQ(e.file(), dir / "system32" / "old.ocx");
    EXPECT_EQ(e.reason(), "Permission denied");
  }
  EXPECT_EQ(ReadText(dir / "system32" / "old.ocx"), "old");
}
#endif

TEST(CopyReplacing, CopiesMoreThanOneBufferFull) {
  frondel::testing::TempFolder dir{fs::temp_directory_path(), "kestrup-test"};
  std::string bytes(200 * 1024 + 7, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31 / 7);
  WriteText(dir / "from", bytes);

  CopyReplacing(dir / "from", dir / "to");

  EXPECT_TRUE(ReadText(dir / "to") == bytes);
}

}  // namespace
}  // namespace kestrup
