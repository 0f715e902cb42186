// The file handlers' work in the core: the import's copy, the moves, the clean-ups and the
// refusals that keep a user's file.
#include <gtest/gtest.h>

#include "building/menu_format.h"
#include "building/picture_import.h"
#include "building/save_built_file.h"
#include "building/working_folder.h"
#include "export/open_menu_file.h"
#include "export/save_exported_texture.h"
#include "platform/file_error.h"
#include "support/bytes.h"
#include "support/dds_samples.h"
#include "support/program_folder.h"

namespace frondel {
namespace {

using testing::PatternBytes;
using testing::ProgramFolder;
using testing::SameBytes;
using testing::TempFolder;
using testing::WriteBytes;

class Handlers : public ::testing::Test {
 protected:
  std::filesystem::path At(WorkFile file) { return WorkingPath(folder.path(), file); }

  ProgramFolder folder;
  TempFolder user{std::filesystem::temp_directory_path(), u8"frondel user ñ"};
  StreamCodec codec;
  const Bytes built = PatternBytes(3000, 1);
  const Bytes theirs = PatternBytes(100, 2);
};

TEST_F(Handlers, ImportCopiesTheChosenFileUnexaminedAndKeepsOnlyWhatCanBeBuilt) {
  const Bytes not_a_dds = PatternBytes(123, 3);
  WriteBytes(user / "picture.txt", not_a_dds);
  WriteBytes(At(WorkFile::ImportTexture), PatternBytes(5000, 4));
  WriteBytes(At(WorkFile::ImportBitmap), PatternBytes(50, 4));
  ImportedFile imported = CopyIntoImport(folder.path(), user / "picture.txt");
  EXPECT_TRUE(SameBytes(not_a_dds, ReadWholeFile(At(WorkFile::ImportTexture))));
  EXPECT_EQ(imported.layout.kind, PictureKind::Unknown);
  EXPECT_THROW(CopyIntoImport(folder.path(), user / "gone.dds"), FileError);

  // Not a DDS and not converted: nothing is left to build with or to preview.
  EXPECT_EQ(FinishImport(folder.path(), std::move(imported), false).status, ImportStatus::Dropped);
  EXPECT_FALSE(FileExists(At(WorkFile::ImportTexture)));
  EXPECT_FALSE(FileExists(At(WorkFile::ImportBitmap)));
  EXPECT_TRUE(FileExists(user / "picture.txt"));

  // A DDS is kept as it is without conversion; the game's layout whatever the answer.
  const Bytes small = testing::MakeDds(testing::DdsKind::Bgra32, 8, 8);
  WriteBytes(user / "small.dds", small);
  const ImportOutcome kept =
      FinishImport(folder.path(), CopyIntoImport(folder.path(), user / "small.dds"), false);
  EXPECT_EQ(kept.status, ImportStatus::Kept);
  EXPECT_TRUE(SameBytes(small, kept.texture));
  WriteBytes(user / "game.dds", testing::GameTexture(4));
  EXPECT_EQ(
      FinishImport(folder.path(), CopyIntoImport(folder.path(), user / "game.dds"), true).status,
      ImportStatus::Kept);
}

TEST_F(Handlers, SavingTheBuiltFileToANewPath) {
  WriteBytes(At(WorkFile::ImportPacked), built);
  WriteBytes(At(WorkFile::ImportPayload), built);
  WriteBytes(At(WorkFile::ImportTexture), built);
  // No bitmap: a preview that never got written must not turn a save into an error.
  SaveBuiltFile(folder.path(), user / "menu", Replace::Never);
  EXPECT_TRUE(SameBytes(built, ReadWholeFile(user / "menu")));
  EXPECT_FALSE(FileExists(At(WorkFile::ImportPacked)));
  EXPECT_FALSE(FileExists(At(WorkFile::ImportTexture)));
  EXPECT_TRUE(FileExists(At(WorkFile::ImportPayload)));
}

TEST_F(Handlers, AFileAppearingBeforeTheSaveIsNotReplacedUnlessAllowed) {
  WriteBytes(At(WorkFile::ImportPacked), built);
  WriteBytes(user / "menu.bin", theirs);
  EXPECT_THROW(SaveBuiltFile(folder.path(), user / "menu.bin", Replace::Never), FileError);
  EXPECT_TRUE(SameBytes(theirs, ReadWholeFile(user / "menu.bin")));
  EXPECT_TRUE(FileExists(At(WorkFile::ImportPacked)));
  SaveBuiltFile(folder.path(), user / "menu.bin", Replace::Existing);
  EXPECT_TRUE(SameBytes(built, ReadWholeFile(user / "menu.bin")));
}

TEST_F(Handlers, YesWithNothingBuiltKeepsTheUsersFile) {
  WriteBytes(user / "menu.bin", theirs);
  EXPECT_THROW(SaveBuiltFile(folder.path(), user / "menu.bin", Replace::Existing), FileError);
  EXPECT_TRUE(SameBytes(theirs, ReadWholeFile(user / "menu.bin")));
  // A second save after a successful one finds nothing to move, too.
  WriteBytes(At(WorkFile::ImportPacked), built);
  SaveBuiltFile(folder.path(), user / "new.bin", Replace::Never);
  EXPECT_THROW(SaveBuiltFile(folder.path(), user / "other.bin", Replace::Never), FileError);
  EXPECT_FALSE(FileExists(user / "other.bin"));
}

TEST_F(Handlers, SavingTheExportedTextureAndItsCleanUp) {
  const Bytes texture = PatternBytes(4000, 5);
  const auto fill_export = [&] {
    for (WorkFile f : {WorkFile::ExportPacked, WorkFile::ExportPayload, WorkFile::ExportBitmap}) {
      WriteBytes(At(f), built);
    }
    WriteBytes(At(WorkFile::ExportTexture), texture);
  };
  fill_export();
  SaveExportedTexture(folder.path(), user / "out.dds", Replace::Never);
  EXPECT_TRUE(SameBytes(texture, ReadWholeFile(user / "out.dds")));
  for (WorkFile f : {WorkFile::ExportPayload, WorkFile::ExportBitmap, WorkFile::ExportTexture}) {
    EXPECT_FALSE(FileExists(At(f)));
  }
  EXPECT_TRUE(FileExists(At(WorkFile::ExportPacked)));

  // Replacing: the same clean-up.
  fill_export();
  SaveExportedTexture(folder.path(), user / "out.dds", Replace::Existing);
  EXPECT_TRUE(SameBytes(texture, ReadWholeFile(user / "out.dds")));
  EXPECT_FALSE(FileExists(At(WorkFile::ExportPayload)));

  // Nothing extracted since: the user's file stays.
  EXPECT_THROW(SaveExportedTexture(folder.path(), user / "out.dds", Replace::Existing), FileError);
  EXPECT_TRUE(SameBytes(texture, ReadWholeFile(user / "out.dds")));
}

TEST_F(Handlers, OpeningGivesThePayloadItWrote) {
  WriteBytes(user / "good.bin", PackMenuBytes(codec, built));
  const OpenedMenuFile good = OpenMenuFile(codec, folder.path(), user / "good.bin");
  EXPECT_EQ(good.payload.status, UncompressStatus::Complete);
  EXPECT_TRUE(SameBytes(built, good.payload.bytes));
  EXPECT_TRUE(SameBytes(built, ReadWholeFile(At(WorkFile::ExportPayload))));
  EXPECT_THROW(OpenMenuFile(codec, folder.path(), user / "gone.bin"), FileError);
}

}  // namespace
}  // namespace frondel
