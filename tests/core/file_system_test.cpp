#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/file_error.h"
#include "support/at_once.h"
#include "support/bytes.h"
#include "support/temp_folder.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;

using testing::Apart;
using testing::Join;
using testing::PatternBytes;
using testing::SameBytes;
using testing::TempFolder;
using testing::WriteBytes;

// What a folder holds, names only: a write leaves nothing beside its file.
std::vector<std::string> Names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(PathText(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(WriteWholeFile, ReplacesLongerFileWholeAndLeavesNoTemporary) {
  TempFolder dir;
  WriteBytes(dir / "f", PatternBytes(1000, 1));
  const Bytes shorter = PatternBytes(10, 2);
  WriteWholeFile(dir / "f", {ByteView(shorter).first(4), ByteView(shorter).subspan(4)});
  EXPECT_TRUE(SameBytes(shorter, ReadWholeFile(dir / "f")));
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"f"});
}

TEST(WriteWholeFile, FailureKeepsWhatWasThereNamesTheFileAndLeavesNoTemporary) {
  TempFolder dir;
  // A folder at the file's name: the bytes are written, and the rename fails, even for root.
  std::filesystem::create_directories(dir / "f" / "inside");
  try {
    WriteWholeFile(dir / "f", {PatternBytes(5, 4)});
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), dir / "f");
    EXPECT_EQ(e.action(), "write");
    EXPECT_FALSE(e.reason().empty());
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir / "f" / "inside"));
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"f"});
  try {
    WriteWholeFile(dir / "missing" / "g", {PatternBytes(5, 4)});
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), dir / "missing" / "g");
    EXPECT_EQ(e.reason(), "No such file or directory");
  }
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
  // Without leave to replace, the copy is not renamed over the file that is there.
  EXPECT_THROW(MoveFile(here / "src", there / "dst"), FileError);
  EXPECT_TRUE(SameBytes(PatternBytes(7, 10), ReadWholeFile(there / "dst")));
  EXPECT_TRUE(SameBytes(mine, ReadWholeFile(here / "src")));
  MoveFile(here / "src", there / "dst", Replace::Existing);
  EXPECT_TRUE(SameBytes(mine, ReadWholeFile(there / "dst")));
  EXPECT_FALSE(FileExists(here / "src"));
  EXPECT_EQ(Names(there.path()), std::vector<std::string>{"dst"});
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
  // A write stopped before its rename leaves the old file and no temporary one.
  std::stop_source stop;
  stop.request_stop();
  EXPECT_FALSE(WriteUserFile(dir / "f", {theirs}, Replace::Existing, stop.get_token()));
  EXPECT_TRUE(SameBytes(mine, ReadWholeFile(dir / "f")));
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"f", "g"}));
}

// Two writers of one file at once, each many times and reading it between writes: every read
// finds one writer's whole bytes and no write fails.
void WriteAtOnce(Apart apart) {
  TempFolder dir;
  const fs::path file = dir / "out.dds";
  const Bytes a = PatternBytes(150 << 10, 20), b = PatternBytes(100 << 10, 21);
  WriteWholeFile(file, {a});
  const auto writer = [&](const Bytes& mine) {
    return [&] {
      for (int i = 0; i < 150; ++i) {
        i % 2 ? WriteWholeFile(file, {mine}) : (void)WriteUserFile(file, {mine}, Replace::Existing);
#ifndef _WIN32  // Windows refuses to open a file while a rename replaces it
        const Bytes read = ReadWholeFile(file);
        if (read != a && read != b) throw std::runtime_error("neither writer's bytes");
#endif
      }
    };
  };
  EXPECT_EQ(RunAtOnce({writer(a), writer(b)}, apart), 0);
  const Bytes last = ReadWholeFile(file);
  EXPECT_TRUE(last == a || last == b);
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"out.dds"});
}

TEST(WriteWholeFile, TwoThreadsWritingOneFileNeverMixOrFail) { WriteAtOnce(Apart::Threads); }

#ifndef _WIN32
TEST(WriteWholeFile, TwoProcessesWritingOneFileNeverMixOrFail) { WriteAtOnce(Apart::Processes); }
#endif

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
