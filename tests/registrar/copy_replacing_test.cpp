#include "registrar/copy_replacing.h"

#include <gtest/gtest.h>

#include "platform/file_error.h"
#include "support/small_mount.h"
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
  // The system folder on a read-only file system, which refuses even root.
  frondel::testing::TempFolder dir{fs::temp_directory_path(), "kestrup-test"};
  frondel::testing::SmallMount system32(1 << 20);
  FRONDEL_SKIP_UNLESS_MOUNTED(system32);
  WriteText(dir / "new.ocx", "new");
  WriteText(system32 / "old.ocx", "old");
  ASSERT_TRUE(system32.MakeReadOnly());

  try {
    CopyReplacing(dir / "new.ocx", system32 / "old.ocx");
    FAIL() << "expected a FileError";
  } catch (const frondel::FileError& e) {
    EXPECT_EQ(e.path(), system32 / "old.ocx");
    EXPECT_EQ(e.reason(), "Read-only file system");
  }
  EXPECT_EQ(ReadText(system32 / "old.ocx"), "old");
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
