#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/file_error.h"
#include "support/bytes.h"
#include "support/temp_folder.h"

namespace frondel {
namespace {

using testing::Join;
using testing::PatternBytes;
using testing::SameBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(WriteWholeFile, ReplacesLongerFileWholeAndLeavesNoTemporary) {
  TempFolder dir;
  WriteBytes(dir / "f", PatternBytes(1000, 1));
  const Bytes shorter = PatternBytes(10, 2);
  WriteWholeFile(dir / "f", {ByteView(shorter).first(4), ByteView(shorter).subspan(4)});
  EXPECT_TRUE(SameBytes(shorter, ReadWholeFile(dir / "f")));
  EXPECT_FALSE(std::filesystem::exists(dir / "f.partial"));
}

TEST(WriteWholeFile, FailureLeavesTheOldFileAndNamesTheFile) {
  TempFolder dir;
  const Bytes old = PatternBytes(100, 3);
  WriteBytes(dir / "f", old);
  // A folder where the temporary file would go makes the write fail, even for root.
  std::filesystem::create_directory(dir / "f.partial");
  try {
    WriteWholeFile(dir / "f", {PatternBytes(5, 4)});
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), dir / "f");
    EXPECT_EQ(e.action(), "write");
#ifdef _WIN32
    EXPECT_EQ(e.reason(), "Permission denied");  // Windows opens no folder as a file
#else
    EXPECT_EQ(e.reason(), "Is a directory");
#endif
  }
  EXPECT_TRUE(SameBytes(old, ReadWholeFile(dir / "f")));
}

TEST(ReadFile, MissingFileNamesReadAndReason) {
  TempFolder dir;
  try {
    ReadWholeFile(dir / "none");
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), dir / "none");
    EXPECT_EQ(e.reason(), "No such file or directory");
    EXPECT_NE(std::string(e.what()).find("none"), std::string::npos);
  }
}

TEST(ReadFile, TwoGibibytesOrMoreIsRefusedBeforeAnyAllocation) {
  TempFolder dir;
  {
    std::ofstream sparse(dir / "big", std::ios::binary);
    sparse.seekp(std::streamoff{0x80000000LL});
    sparse.put('x');
  }
  EXPECT_THROW(ReadWholeFile(dir / "big"), FileError);
}

TEST(ReadFileAt, SuppliesWhatTheFileHolds) {
  TempFolder dir;
  const Bytes all = PatternBytes(100, 5);
  WriteBytes(dir / "f", all);
  Bytes out(30, 0xee);
  EXPECT_EQ(ReadFileAt(dir / "f", 90, out), 10u);
  EXPECT_TRUE(std::equal(all.begin() + 90, all.end(), out.begin()));
  EXPECT_EQ(ReadFileAt(dir / "f", 200, out), 0u);
}

TEST(MoveFile, NeverReplacesUnlessAsked) {
  TempFolder dir;
  const Bytes mine = PatternBytes(10, 6), theirs = PatternBytes(20, 7);
  WriteBytes(dir / "src", mine);
  WriteBytes(dir / "dst", theirs);
  EXPECT_THROW(MoveFile(dir / "src", dir / "dst"), FileError);
  EXPECT_TRUE(SameBytes(theirs, ReadWholeFile(dir / "dst")));
  MoveFile(dir / "src", dir / "dst", Replace::Existing);
  EXPECT_TRUE(SameBytes(mine, ReadWholeFile(dir / "dst")));
  EXPECT_FALSE(FileExists(dir / "src"));
}

TEST(MoveFile, MissingSourceKeepsTheExistingDestination) {
  TempFolder dir;
  const Bytes theirs = PatternBytes(20, 8);
  WriteBytes(dir / "dst", theirs);
  EXPECT_THROW(MoveFile(dir / "gone", dir / "dst", Replace::Existing), FileError);
  EXPECT_TRUE(SameBytes(theirs, ReadWholeFile(dir / "dst")));
}

TEST(MoveFile, AcrossFileSystems) {
  if (!std::filesystem::is_directory("/dev/shm")) GTEST_SKIP() << "no /dev/shm on this machine";
  TempFolder here, there("/dev/shm");
  const Bytes mine = PatternBytes(5000, 9);
  WriteBytes(here / "src", mine);
  WriteBytes(there / "dst", PatternBytes(7, 10));
  MoveFile(here / "src", there / "dst", Replace::Existing);
  EXPECT_TRUE(SameBytes(mine, ReadWholeFile(there / "dst")));
  EXPECT_FALSE(FileExists(here / "src"));
  EXPECT_FALSE(std::filesystem::exists(there / "dst.partial"));
}

// The copy is made beside the destination and renamed into place, so a copy that cannot be
// made leaves both files as they were. Windows' own move across volumes would instead copy
// straight over the destination.
TEST(MoveFile, AcrossFileSystemsAFailedCopyKeepsBothFiles) {
  if (!std::filesystem::is_directory("/dev/shm")) GTEST_SKIP() << "no /dev/shm on this machine";
  TempFolder here, there("/dev/shm");
  const Bytes mine = PatternBytes(5000, 11), theirs = PatternBytes(70, 12);
  WriteBytes(here / "src", mine);
  WriteBytes(there / "dst", theirs);
  std::filesystem::create_directory(there / "dst.partial");
  EXPECT_THROW(MoveFile(here / "src", there / "dst", Replace::Existing), FileError);
  EXPECT_TRUE(SameBytes(theirs, ReadWholeFile(there / "dst")));
  EXPECT_TRUE(SameBytes(mine, ReadWholeFile(here / "src")));
}

TEST(WriteUserFile, NeverReplacesUnlessAsked) {
  TempFolder dir;
  const Bytes theirs = PatternBytes(20, 13), mine = PatternBytes(30, 14);
  WriteBytes(dir / "f", theirs);
  EXPECT_THROW(WriteUserFile(dir / "f", {mine}, Replace::Never), FileError);
  EXPECT_TRUE(SameBytes(theirs, ReadWholeFile(dir / "f")));
  WriteUserFile(dir / "f", {mine}, Replace::Existing);
  WriteUserFile(dir / "g", {mine, theirs}, Replace::Never);
  EXPECT_TRUE(SameBytes(mine, ReadWholeFile(dir / "f")));
  EXPECT_TRUE(SameBytes(Join({mine, theirs}), ReadWholeFile(dir / "g")));
  EXPECT_FALSE(std::filesystem::exists(dir / "f.partial"));
  // A write stopped before its rename leaves the old file and no temporary one.
  std::stop_source stop;
  stop.request_stop();
  EXPECT_FALSE(WriteUserFile(dir / "f", {theirs}, Replace::Existing, stop.get_token()));
  EXPECT_TRUE(SameBytes(mine, ReadWholeFile(dir / "f")));
  EXPECT_FALSE(std::filesystem::exists(dir / "f.partial"));
}

TEST(DeleteFile, MissingIsAnErrorUnlessOptional) {
  TempFolder dir;
  EXPECT_THROW(DeleteFile(dir / "none"), FileError);
  EXPECT_NO_THROW(DeleteFileIfPresent(dir / "none"));
  WriteBytes(dir / "f", PatternBytes(1, 1));
  DeleteFileIfPresent(dir / "f");
  EXPECT_FALSE(FileExists(dir / "f"));
}

}  // namespace
}  // namespace frondel
