#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <thread>

#include "backups/backup_store.h"
#include "backups/sha256.h"
#include "building/save_built_file.h"
#include "building/working_folder.h"
#include "export/save_exported_texture.h"
#include "platform/file_error.h"
#include "support/bytes.h"
#include "support/program_folder.h"
#include "support/small_mount.h"
#include "support/temp_folder.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::PatternBytes;
using testing::SameBytes;
using testing::TempFolder;
using testing::WriteBytes;

ByteView Text(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(Sha256, KnownVectorsWholeAndInPieces) {
  EXPECT_EQ(Sha256Hex({}), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Hex(Text("abc")),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  // 56 bytes: the padding needs a second block.
  const std::string_view two_blocks = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  EXPECT_EQ(Sha256Hex(Text(two_blocks)),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  const std::string million(1'000'000, 'a');
  Sha256 pieces;
  for (std::size_t at = 0; at < million.size(); at += 999) {
    pieces.Add(Text(std::string_view(million).substr(at, 999)));
  }
  EXPECT_EQ(pieces.HexDigest(), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

struct BackupsTest : ::testing::Test {
  TempFolder root;
  TempFolder user;
  const std::chrono::sys_seconds now{std::chrono::sys_days{2026y / 12 / 7} + 21h + 50min + 10s};
};

TEST_F(BackupsTest, KeepsTheOldFileRecordsItAndRestoresIt) {
  const Bytes old = PatternBytes(5000, 1), replacement = PatternBytes(4000, 2);
  WriteBytes(user / "menu_ex.bin", old);
  const std::optional<Backup> kept =
      KeepReplacedFile(root.path(), user / "menu_ex.bin", ByteView(replacement), now);
  ASSERT_TRUE(kept);
#ifndef _WIN32
  // The same file system: a link, which keeps the old file once the new one is renamed over it.
  // (Wine does not count a file's links.)
  EXPECT_EQ(fs::hard_link_count(user / "menu_ex.bin"), 2u);
#endif
  WriteUserFile(user / "menu_ex.bin", {replacement}, Replace::Existing);
  EXPECT_TRUE(SameBytes(old, ReadWholeFile(kept->file)));
  EXPECT_EQ(kept->file.parent_path(), root / "backups");
  EXPECT_TRUE(PathText(kept->file.filename()).ends_with(" menu_ex.bin"));

  const std::vector<Backup> listed = ListBackups(root.path());
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].original, user / "menu_ex.bin");
  EXPECT_EQ(listed[0].size, 5000);
  EXPECT_EQ(listed[0].sha256, Sha256Hex(old));
  EXPECT_EQ(listed[0].time, now);
  EXPECT_EQ(listed[0].file, kept->file);

  // What is there now is kept too before the backup takes its place.
  RestoreBackup(root.path(), listed[0], listed[0].original, Replace::Existing);
  EXPECT_TRUE(SameBytes(old, ReadWholeFile(user / "menu_ex.bin")));
  const std::vector<Backup> after = ListBackups(root.path());
  ASSERT_EQ(after.size(), 2u);
  EXPECT_TRUE(SameBytes(replacement, ReadWholeFile(after[0].file)));
  EXPECT_NE(after[0].id, after[1].id);
  EXPECT_NE(after[0].file, after[1].file);  // two in one second get names of their own
  // Elsewhere, never over an existing file unless asked.
  RestoreBackup(root.path(), after[1], user / "copy.bin", Replace::Never);
  EXPECT_TRUE(SameBytes(old, ReadWholeFile(user / "copy.bin")));
  EXPECT_THROW(RestoreBackup(root.path(), after[1], user / "copy.bin", Replace::Never), FileError);
}

TEST_F(BackupsTest, NothingKeptForAMissingOrIdenticalTarget) {
  const Bytes same = PatternBytes(3000, 3);
  EXPECT_FALSE(KeepReplacedFile(root.path(), user / "none.bin", ByteView(same), now));
  WriteBytes(user / "a.bin", same);
  WriteBytes(user / "b.bin", same);
  EXPECT_FALSE(KeepReplacedFile(root.path(), user / "a.bin", ByteView(same), now));
  EXPECT_FALSE(KeepReplacedFile(root.path(), user / "a.bin", user / "b.bin", now));
  EXPECT_TRUE(ListBackups(root.path()).empty());
}

// Several at once, in one second, of files of one name: each gets a file, a number and a line.
TEST_F(BackupsTest, KeptAtOnceNoneIsLost) {
  constexpr int kThreads = 6;
  for (int i = 0; i < kThreads; ++i) {
    fs::create_directories(user / std::to_string(i));
    WriteBytes(user / std::to_string(i) / "m.bin", PatternBytes(2000, 20 + i));
  }
  {
    std::vector<std::jthread> threads;
    for (int i = 0; i < kThreads; ++i) {
      threads.emplace_back([&, i] {
        KeepReplacedFile(root.path(), user / std::to_string(i) / "m.bin", ByteView(Bytes{}), now);
      });
    }
  }
  const std::vector<Backup> listed = ListBackups(root.path());
  ASSERT_EQ(listed.size(), std::size_t{kThreads});
  std::set<int> ids;
  std::set<fs::path> files;
  for (const Backup& b : listed) {
    ids.insert(b.id);
    files.insert(b.file);
    EXPECT_TRUE(SameBytes(ReadWholeFile(b.original), ReadWholeFile(b.file)));
  }
  EXPECT_EQ(ids.size(), std::size_t{kThreads});
  EXPECT_EQ(files.size(), std::size_t{kThreads});
}

TEST_F(BackupsTest, CopiedAcrossFileSystems) {
  if (!fs::is_directory("/dev/shm")) GTEST_SKIP() << "no /dev/shm to put the user's file on";
  TempFolder other("/dev/shm");
  const Bytes old = PatternBytes(7000, 4);
  WriteBytes(other / "x.dds", old);
  const std::optional<Backup> kept =
      KeepReplacedFile(root.path(), other / "x.dds", ByteView(PatternBytes(10, 5)), now);
  ASSERT_TRUE(kept);
  EXPECT_EQ(fs::hard_link_count(other / "x.dds"), 1u);
  EXPECT_TRUE(SameBytes(old, ReadWholeFile(kept->file)));
  EXPECT_EQ(kept->sha256, Sha256Hex(old));
}

// A symbolic link that a save replaces is kept as what it showed, whatever becomes of that.
TEST_F(BackupsTest, ALinkIsKeptAsItsContent) {
  const Bytes shown = PatternBytes(300, 16);
  WriteBytes(user / "real.bin", shown);
  std::error_code ec;
  fs::create_symlink(user / "real.bin", user / "link.bin", ec);
  if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
  const std::optional<Backup> kept =
      KeepReplacedFile(root.path(), user / "link.bin", ByteView(Bytes{}), now);
  ASSERT_TRUE(kept);
  fs::remove(user / "real.bin");
  EXPECT_FALSE(fs::is_symlink(kept->file));
  EXPECT_TRUE(SameBytes(shown, ReadWholeFile(kept->file)));
}

TEST_F(BackupsTest, AChangedBackupIsNotRestored) {
  WriteBytes(user / "f", PatternBytes(100, 6));
  const std::optional<Backup> kept =
      KeepReplacedFile(root.path(), user / "f", ByteView(PatternBytes(10, 7)), now);
  ASSERT_TRUE(kept);
  // Written in place through the link, as a program that does not rename might.
  std::ofstream(user / "f", std::ios::binary | std::ios::trunc) << "changed";
  EXPECT_THROW(RestoreBackup(root.path(), *kept, user / "g", Replace::Never), FileError);
  EXPECT_FALSE(fs::exists(user / "g"));
}

TEST_F(BackupsTest, RoomGoesOldestFirstButNeverYoungerThanADay) {
  // Four backups of 1000 bytes: 100 days, 10 days, 2 days and 1 hour old.
  std::vector<Backup> kept;
  for (auto age : {std::chrono::hours(100 * 24), 240h, 48h, 1h}) {
    WriteBytes(user / "f", PatternBytes(1000, static_cast<std::uint32_t>(kept.size())));
    kept.push_back(*KeepReplacedFile(root.path(), user / "f", ByteView(Bytes(1, 0)), now - age));
  }
  // Keeping the last already dropped the one past 90 days.
  EXPECT_FALSE(fs::exists(kept[0].file));
  EXPECT_EQ(ListBackups(root.path()).size(), 3u);
  // Room for two: the oldest left goes.
  PruneBackups(root.path(), now, 2000);
  EXPECT_FALSE(fs::exists(kept[1].file));
  EXPECT_TRUE(fs::exists(kept[2].file));
  // No room at all: still the one younger than a day stays.
  PruneBackups(root.path(), now, 0);
  const std::vector<Backup> left = ListBackups(root.path());
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].id, kept[3].id);
  EXPECT_TRUE(fs::exists(kept[3].file));
}

TEST_F(BackupsTest, RecordLinesThatDoNotReadSurviveARewrite) {
  fs::create_directories(root / "backups");
  const std::string odd = "a line of someone else's\n";
  std::ofstream(root / "backups" / "backups.txt", std::ios::binary) << odd;
  // A name that reads like the record's own escapes comes back as it is.
  const fs::path odd_name = user / "f%0A%25 g";
  WriteBytes(odd_name, PatternBytes(10, 8));
  ASSERT_TRUE(KeepReplacedFile(root.path(), odd_name, ByteView(Bytes{}), now));
  const Bytes record = ReadWholeFile(root / "backups" / "backups.txt");
  EXPECT_EQ(std::string(record.begin(), record.begin() + odd.size()), odd);
  ASSERT_EQ(ListBackups(root.path()).size(), 1u);
  EXPECT_EQ(ListBackups(root.path())[0].original, odd_name);
}

TEST_F(BackupsTest, NoBackupNoReplacement) {
  // A file where the folder should be: no backup can be made, whoever runs the test.
  WriteBytes(root / "backups", {});
  WriteBytes(user / "f", PatternBytes(10, 9));
  EXPECT_THROW(KeepReplacedFile(root.path(), user / "f", ByteView(Bytes{}), now), FileError);
}

// The window's two saves keep what they replace, and nothing on a first write.
TEST(SaveWithBackup, SaveFileAndSaveDdsKeepTheReplacedFile) {
  testing::ProgramFolder program;
  TempFolder user;
  const Bytes built = PatternBytes(4000, 10), game = PatternBytes(5000, 11);
  WriteBytes(WorkingPath(program.path(), WorkFile::ImportPacked), built);
  SaveBuiltFile(program.path(), user / "first.bin", Replace::Never);
  EXPECT_FALSE(fs::exists(program / "backups" / "backups.txt"));

  WriteBytes(user / "menu.bin", game);
  WriteBytes(WorkingPath(program.path(), WorkFile::ImportPacked), built);
  SaveBuiltFile(program.path(), user / "menu.bin", Replace::Existing);
  WriteBytes(WorkingPath(program.path(), WorkFile::ExportTexture), PatternBytes(300, 12));
  SaveExportedTexture(program.path(), user / "menu.bin", Replace::Existing);

  const std::vector<Backup> listed = ListBackups(program.path());
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_TRUE(SameBytes(built, ReadWholeFile(listed[0].file)));
  EXPECT_TRUE(SameBytes(game, ReadWholeFile(listed[1].file)));
}

TEST(SaveWithBackup, ABackupThatCannotBeMadeStopsTheSave) {
  testing::ProgramFolder program;
  TempFolder user;
  testing::SmallMount disk(1 << 20);
  if (!disk.error().empty()) GTEST_SKIP() << disk.error();
  fs::create_directory_symlink(disk.path(), program / "backups");
  ASSERT_TRUE(disk.MakeReadOnly());
  const Bytes game = PatternBytes(5000, 13);
  WriteBytes(user / "menu.bin", game);
  WriteBytes(WorkingPath(program.path(), WorkFile::ImportPacked), PatternBytes(4000, 14));
  EXPECT_THROW(SaveBuiltFile(program.path(), user / "menu.bin", Replace::Existing), FileError);
  EXPECT_TRUE(SameBytes(game, ReadWholeFile(user / "menu.bin")));
  EXPECT_TRUE(FileExists(WorkingPath(program.path(), WorkFile::ImportPacked)));
}

}  // namespace
}  // namespace frondel
