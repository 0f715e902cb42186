// The temporary files that writes go through: names of their own, never through a link, and
// the leftovers of a run that died cleaned up without touching anything else.
#include "platform/temporary_file.h"

#include <gtest/gtest.h>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "support/bytes.h"
#include "support/temp_folder.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;
using testing::PatternBytes;
using testing::SameBytes;
using testing::TempFolder;
using testing::WriteBytes;

const char kOursLooking[] = ".f.frondel-0123456789abcdef.partial";

TEST(TemporaryFile, EachWriteHasANameOfItsOwnThatOnlyOursMatch) {
  TempFolder dir;
  const TemporaryFile first(dir / "out.dds"), second(dir / "out.dds");
  EXPECT_NE(first.path(), second.path());
  EXPECT_EQ(first.path().parent_path(), dir.path());
  EXPECT_EQ(PathText(first.path().filename()).rfind(".out.dds.frondel-", 0), 0u);
  EXPECT_TRUE(IsTemporaryName(first.path()));
  EXPECT_TRUE(IsTemporaryName(dir / kOursLooking));
  for (const char* users :
       {"out.dds.partial", ".out.dds.partial", ".frondel-0123456789abcdef.partial",
        ".f.frondel-0123456789abcdeg.partial", ".f.frondel-0123.partial"}) {
    EXPECT_FALSE(IsTemporaryName(dir / users)) << users;
  }
}

TEST(TemporaryFile, OnlyOurOwnOldFilesAreCleanedUp) {
  TempFolder dir;
  const auto day_old = fs::file_time_type::clock::now() - std::chrono::hours(25);
  const fs::path stale = dir / kOursLooking, fresh = dir / ".f.frondel-fedcba9876543210.partial";
  for (const fs::path& file : {stale, fresh, dir / "mine.dds.partial", dir / "f"}) {
    WriteBytes(file, PatternBytes(10, 1));
  }
  for (const fs::path& file : {stale, dir / "mine.dds.partial", dir / "f"}) {
    fs::last_write_time(file, day_old);
  }
  EXPECT_EQ(RemoveStaleTemporaries(dir.path()), 1);
  EXPECT_FALSE(fs::exists(stale));
  for (const fs::path& kept : {fresh, dir / "mine.dds.partial", dir / "f"}) {
    EXPECT_TRUE(fs::exists(kept)) << kept;
  }
  // Writing and cleaning a file of that name leaves the user's own .partial file alone.
  WriteUserFile(dir / "mine.dds", {PatternBytes(20, 2)}, Replace::Never);
  EXPECT_TRUE(SameBytes(PatternBytes(10, 1), ReadWholeFile(dir / "mine.dds.partial")));
}

#ifndef _WIN32
TEST(TemporaryFile, ALinkPlantedAtATemporaryLookingNameIsNeverFollowed) {
  TempFolder dir;
  const Bytes victim = PatternBytes(30, 3);
  WriteBytes(dir / "victim", victim);
  for (const char* name : {"f.partial", kOursLooking})
    fs::create_symlink(dir / "victim", dir / name);
  fs::last_write_time(dir / "victim", fs::file_time_type::clock::now() - std::chrono::hours(25));
  WriteUserFile(dir / "f", {PatternBytes(40, 4)}, Replace::Existing);
  WriteWholeFile(dir / "f", {PatternBytes(50, 5)});
  EXPECT_EQ(RemoveStaleTemporaries(dir.path(), std::chrono::seconds(0)), 0);
  EXPECT_TRUE(SameBytes(victim, ReadWholeFile(dir / "victim")));
  EXPECT_TRUE(SameBytes(PatternBytes(50, 5), ReadWholeFile(dir / "f")));
  for (const char* name : {"f.partial", kOursLooking}) EXPECT_TRUE(fs::is_symlink(dir / name));
}
#endif

}  // namespace
}  // namespace frondel
