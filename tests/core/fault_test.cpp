// Whole flows against broken surroundings: each fault shows the user one clear message, the
// program can go on, and no file the user had before is lost or left half written.
#include <gtest/gtest.h>

#include "building/menu_format.h"
#include "building/payload_assembly.h"
#include "building/picture_import.h"
#include "building/save_built_file.h"
#include "building/working_folder.h"
#include "export/dds_extraction.h"
#include "export/open_menu_file.h"
#include "export/save_exported_texture.h"
#include "platform/file_error.h"
#include "support/bytes.h"
#include "support/program_folder.h"
#include "support/small_mount.h"
#include "support/whole_flow.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;
using testing::BuildAndExportAgain;
using testing::PatternBytes;
using testing::ProgramFolder;
using testing::SameBytes;
using testing::SmallMount;
using testing::TempFolder;
using testing::WriteBytes;

class Faults : public ::testing::Test {
 protected:
  fs::path At(WorkFile file) { return WorkingPath(folder.path(), file); }

  // Expects `operation` to stop at a failed file access that names `file` and `reason`.
  template <typename Operation>
  void ExpectOneError(Operation operation, const fs::path& file, const std::string& reason) {
    try {
      operation();
      ADD_FAILURE() << "no failure, expected one naming " << PathText(file);
    } catch (const FileError& e) {
      EXPECT_NE(PathText(e.path()).find(PathText(file)), std::string::npos) << e.what();
      EXPECT_NE(e.reason().find(reason), std::string::npos) << e.what();
    }
  }

  // A built file waiting in the working folder.
  void Build() {
    WriteBytes(At(WorkFile::ImportTexture), PatternBytes(payload::kTextureLength, 1));
    CreateMenuFile(codec, folder.path(), &MenuPlaces()[0]);
    ASSERT_TRUE(FileExists(At(WorkFile::ImportPacked)));
  }

  ProgramFolder folder;
  TempFolder user{fs::temp_directory_path(), "frondel user"};
  StreamCodec codec;
  const Bytes users_file = PatternBytes(5000, 9);
};

TEST_F(Faults, MissingJobFolders) {
  WriteBytes(user / "mine.dds", users_file);
  fs::remove_all(folder / "temp" / "dataimport");
  fs::remove_all(folder / "temp" / "dataexport");
  ExpectOneError([&] { CopyIntoImport(folder.path(), user / "mine.dds"); },
                 At(WorkFile::ImportTexture), "No such file or directory");
  ExpectOneError([&] { OpenMenuFile(codec, folder.path(), user / "mine.dds"); },
                 At(WorkFile::ExportPacked), "No such file or directory");
  EXPECT_TRUE(SameBytes(users_file, ReadWholeFile(user / "mine.dds")));
}

TEST_F(Faults, MissingShippedTemplateKeepsTheEarlierBuild) {
  Build();
  const Bytes packed = ReadWholeFile(At(WorkFile::ImportPacked));
  const fs::path place_template = WorkingPath(folder.path(), "temp/dataentery/CLDATA");
  fs::remove(place_template);
  ExpectOneError([&] { CreateMenuFile(codec, folder.path(), FindMenuPlace("Champion League")); },
                 place_template, "No such file or directory");
  EXPECT_TRUE(SameBytes(packed, ReadWholeFile(At(WorkFile::ImportPacked))));
}

TEST_F(Faults, UserFileDeletedBetweenChoosingAndCopying) {
  WriteBytes(user / "gone.bin", users_file);
  const fs::path chosen = user / "gone.bin";
  fs::remove(chosen);
  ExpectOneError([&] { OpenMenuFile(codec, folder.path(), chosen); }, chosen,
                 "No such file or directory");
}

TEST_F(Faults, SaveAcrossFileSystemsAndWithBlanksAndAccents) {
  if (!fs::is_directory("/dev/shm")) GTEST_SKIP() << "no /dev/shm on this machine";
  ProgramFolder odd(fs::temp_directory_path(), u8"program folder é ü 文件");
  TempFolder elsewhere("/dev/shm", u8"user folder ñ");
  const Bytes texture = PatternBytes(payload::kTextureLength, 3);
  WriteBytes(elsewhere / u8"my texture é.dds", texture);
  EXPECT_TRUE(SameBytes(
      texture, BuildAndExportAgain(odd.path(), "League & Cup", elsewhere / u8"my texture é.dds",
                                   elsewhere / u8"menu ü.bin", elsewhere / u8"back ñ.dds")));
}

TEST_F(Faults, ReadOnlyWorkingFolder) {
  SmallMount disk(64 << 20);
  FRONDEL_SKIP_UNLESS_MOUNTED(disk);
  fs::copy(folder / "temp", disk / "temp", fs::copy_options::recursive);
  const fs::path program = disk.path();
  WriteBytes(WorkingPath(program, WorkFile::ImportTexture), PatternBytes(1000, 4));
  ASSERT_TRUE(disk.MakeReadOnly());
  WriteBytes(user / "mine.dds", users_file);
  ExpectOneError([&] { CopyIntoImport(program, user / "mine.dds"); },
                 WorkingPath(program, WorkFile::ImportTexture), "Read-only file system");
  ExpectOneError([&] { CreateMenuFile(codec, program, FindMenuPlace("Edit")); },
                 WorkingPath(program, WorkFile::ImportPayload), "Read-only file system");
  EXPECT_TRUE(SameBytes(users_file, ReadWholeFile(user / "mine.dds")));
}

TEST_F(Faults, ReadOnlyDestinationKeepsTheBuiltFileForAnotherTry) {
  SmallMount disk(1 << 20);
  FRONDEL_SKIP_UNLESS_MOUNTED(disk);
  WriteBytes(disk / "old.bin", users_file);
  ASSERT_TRUE(disk.MakeReadOnly());
  Build();
  ExpectOneError([&] { SaveBuiltFile(folder.path(), disk / "old.bin", Replace::Existing); },
                 disk / "old.bin", "Read-only file system");
  EXPECT_TRUE(SameBytes(users_file, ReadWholeFile(disk / "old.bin")));
  EXPECT_TRUE(FileExists(At(WorkFile::ImportPacked)));
  SaveBuiltFile(folder.path(), user / "new.bin", Replace::Never);
  EXPECT_TRUE(FileExists(user / "new.bin"));
}

TEST_F(Faults, FullDestinationDiskLeavesNoHalfFileAndKeepsTheOldOne) {
  SmallMount disk(256 << 10);
  FRONDEL_SKIP_UNLESS_MOUNTED(disk);
  Build();
  ASSERT_GT(FileLength(At(WorkFile::ImportPacked)), 256 << 10);
  WriteBytes(disk / "old.bin", users_file);
  ExpectOneError([&] { SaveBuiltFile(folder.path(), disk / "old.bin", Replace::Existing); },
                 disk / "old.bin", "No space left on device");
  EXPECT_TRUE(SameBytes(users_file, ReadWholeFile(disk / "old.bin")));
  EXPECT_EQ(std::distance(fs::directory_iterator(disk.path()), fs::directory_iterator()), 1);
  EXPECT_TRUE(FileExists(At(WorkFile::ImportPacked)));
}

TEST_F(Faults, FullWorkingDiskKeepsTheEarlierWorkingFiles) {
  SmallMount disk(1 << 20);
  FRONDEL_SKIP_UNLESS_MOUNTED(disk);
  fs::copy(folder / "temp", disk / "temp", fs::copy_options::recursive);
  const fs::path program = disk.path();
  const Bytes small = PatternBytes(2000, 5);
  WriteBytes(WorkingPath(program, WorkFile::ImportTexture), small);
  CreateMenuFile(codec, program, FindMenuPlace("Gallery"));
  const Bytes packed = ReadWholeFile(WorkingPath(program, WorkFile::ImportPacked));

  WriteBytes(user / "big.dds", PatternBytes(2 << 20, 6));
  ExpectOneError([&] { CopyIntoImport(program, user / "big.dds"); },
                 WorkingPath(program, WorkFile::ImportTexture), "No space left on device");
  EXPECT_TRUE(SameBytes(small, ReadWholeFile(WorkingPath(program, WorkFile::ImportTexture))));
  EXPECT_TRUE(SameBytes(packed, ReadWholeFile(WorkingPath(program, WorkFile::ImportPacked))));
}

}  // namespace
}  // namespace frondel
