// The four file handlers: the file choice, the overwrite question, the moves and clean-ups.
#include <gtest/gtest.h>

#include "building/dds_import.h"
#include "building/file_choice.h"
#include "building/menu_format.h"
#include "building/save_built_file.h"
#include "building/working_folder.h"
#include "export/open_menu_file.h"
#include "export/save_exported_dds.h"
#include "platform/failure_report.h"
#include "support/bytes.h"
#include "support/program_folder.h"
#include "support/scripted_prompts.h"

namespace frondel {
namespace {

using testing::PatternBytes;
using testing::ProgramFolder;
using testing::SameBytes;
using testing::ScriptedPrompts;
using testing::TempFolder;
using testing::WriteBytes;

TEST(FileChoice, EachHandlersDialogAndCancelBox) {
  const struct {
    FileHandler handler;
    DialogKind dialog;
    const char* filter;
    const char* message;
    const char* dialog_name;  // each handler's own, so each remembers its own folder
  } expected[] = {
      {FileHandler::ImportDds, DialogKind::Open,
       "*.dds|*.dds|Pictures|*.png;*.jpg;*.jpeg;*.bmp;*.tga;*.tif;*.tiff|All files|*",
       "Please Select File For Open", "CommonDialog1"},
      {FileHandler::SaveBuiltFile, DialogKind::Save, "*.bin|*.bin",
       "Please Select Directory  For Save", "CommonDialog2"},
      {FileHandler::OpenMenuFile, DialogKind::Open, "*.bin|*.bin", "Please Select File For Open",
       "CommonDialog3"},
      {FileHandler::SaveExportedDds, DialogKind::Save, "*.dds|*.dds|*.png|*.png",
       "Please Select Directory  For Save", "CommonDialog4"},
  };
  for (const auto& e : expected) {
    ScriptedPrompts prompts;
    prompts.WillChoose({});
    EXPECT_FALSE(ChooseFile(prompts, e.handler).has_value());
    ASSERT_EQ(prompts.dialogs.size(), 1u);
    EXPECT_EQ(prompts.dialogs[0].kind, e.dialog);
    EXPECT_EQ(prompts.dialogs[0].filter, e.filter);
    EXPECT_EQ(prompts.dialogs[0].name, e.dialog_name);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text, e.message);
    EXPECT_EQ(prompts.boxes[0].style, BoxStyle::Critical);
    EXPECT_EQ(prompts.boxes[0].title, "Error...");

    prompts.WillChoose("/some where/name without extension");
    EXPECT_EQ(ChooseFile(prompts, e.handler), "/some where/name without extension");
    EXPECT_EQ(prompts.boxes.size(), 1u);
  }
}

class Handlers : public ::testing::Test {
 protected:
  std::filesystem::path At(WorkFile file) { return WorkingPath(folder.path(), file); }

  ProgramFolder folder;
  TempFolder user{std::filesystem::temp_directory_path(), u8"frondel user ñ"};
  Zlib codec;
  ScriptedPrompts prompts;
  const Bytes built = PatternBytes(3000, 1);
  const Bytes theirs = PatternBytes(100, 2);
};

TEST_F(Handlers, ImportCopiesTheChosenFileUnexamined) {
  const Bytes not_a_dds = PatternBytes(123, 3);
  WriteBytes(user / "picture.txt", not_a_dds);
  WriteBytes(At(WorkFile::ImportTexture), PatternBytes(5000, 4));
  ImportDds(folder.path(), user / "picture.txt");
  EXPECT_TRUE(SameBytes(not_a_dds, ReadWholeFile(At(WorkFile::ImportTexture))));
  EXPECT_TRUE(FileExists(user / "picture.txt"));
  EXPECT_THROW(ImportDds(folder.path(), user / "gone.dds"), FileError);
}

TEST_F(Handlers, SavingTheBuiltFileToANewPath) {
  WriteBytes(At(WorkFile::ImportPacked), built);
  WriteBytes(At(WorkFile::ImportPayload), built);
  WriteBytes(At(WorkFile::ImportTexture), built);
  // No bitmap: a preview that never got written must not turn a save into an error.
  SaveBuiltFile(folder.path(), user / "menu", prompts);
  EXPECT_TRUE(SameBytes(built, ReadWholeFile(user / "menu")));
  EXPECT_FALSE(FileExists(At(WorkFile::ImportPacked)));
  EXPECT_FALSE(FileExists(At(WorkFile::ImportTexture)));
  EXPECT_TRUE(FileExists(At(WorkFile::ImportPayload)));
  ASSERT_EQ(prompts.boxes.size(), 1u);
  EXPECT_EQ(prompts.boxes[0].text, "File Saved Succesful");
  EXPECT_EQ(prompts.boxes[0].style, BoxStyle::Information);
  EXPECT_EQ(prompts.boxes[0].title, "Save...");
}

TEST_F(Handlers, OverwriteQuestionYesAndNo) {
  WriteBytes(At(WorkFile::ImportPacked), built);
  WriteBytes(user / "menu.bin", theirs);
  prompts.WillAnswer(Answer::No);
  SaveBuiltFile(folder.path(), user / "menu.bin", prompts);
  ASSERT_EQ(prompts.boxes.size(), 1u);
  EXPECT_EQ(prompts.boxes[0].text, "File Already Exists, Overwrite Existing File?");
  EXPECT_EQ(prompts.boxes[0].style, BoxStyle::YesNoInformation);
  EXPECT_EQ(prompts.boxes[0].title, "");
  EXPECT_TRUE(SameBytes(theirs, ReadWholeFile(user / "menu.bin")));
  EXPECT_TRUE(FileExists(At(WorkFile::ImportPacked)));

  prompts.WillAnswer(Answer::Yes);
  SaveBuiltFile(folder.path(), user / "menu.bin", prompts);
  EXPECT_TRUE(SameBytes(built, ReadWholeFile(user / "menu.bin")));
  ASSERT_EQ(prompts.boxes.size(), 3u);
  EXPECT_EQ(prompts.boxes[2].text, "File Saved Succesful");
}

TEST_F(Handlers, YesWithNothingBuiltKeepsTheUsersFile) {
  WriteBytes(user / "menu.bin", theirs);
  prompts.WillAnswer(Answer::Yes);
  EXPECT_THROW(SaveBuiltFile(folder.path(), user / "menu.bin", prompts), FileError);
  EXPECT_TRUE(SameBytes(theirs, ReadWholeFile(user / "menu.bin")));
  // A second save after a successful one finds nothing to move, too.
  WriteBytes(At(WorkFile::ImportPacked), built);
  SaveBuiltFile(folder.path(), user / "new.bin", prompts);
  EXPECT_THROW(SaveBuiltFile(folder.path(), user / "other.bin", prompts), FileError);
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
  SaveExportedDds(folder.path(), user / "out.dds", prompts);
  EXPECT_TRUE(SameBytes(texture, ReadWholeFile(user / "out.dds")));
  for (WorkFile f : {WorkFile::ExportPayload, WorkFile::ExportBitmap, WorkFile::ExportTexture}) {
    EXPECT_FALSE(FileExists(At(f)));
  }
  EXPECT_TRUE(FileExists(At(WorkFile::ExportPacked)));
  ASSERT_EQ(prompts.boxes.size(), 1u);
  EXPECT_EQ(prompts.boxes[0].text, "File Saved Succesful");

  // Replacing: same clean-up, and the operation simply ends without a confirmation.
  fill_export();
  prompts.WillAnswer(Answer::Yes);
  SaveExportedDds(folder.path(), user / "out.dds", prompts);
  EXPECT_TRUE(SameBytes(texture, ReadWholeFile(user / "out.dds")));
  EXPECT_FALSE(FileExists(At(WorkFile::ExportPayload)));
  ASSERT_EQ(prompts.boxes.size(), 2u);
  EXPECT_EQ(prompts.boxes[1].style, BoxStyle::YesNoInformation);

  // Nothing extracted since: the user's file stays.
  prompts.WillAnswer(Answer::Yes);
  EXPECT_THROW(SaveExportedDds(folder.path(), user / "out.dds", prompts), FileError);
  EXPECT_TRUE(SameBytes(texture, ReadWholeFile(user / "out.dds")));
}

TEST_F(Handlers, OpeningAFileThatIsNoMenuFileSaysSo) {
  PackPayload(codec, folder.path(), built);
  CopyFile(At(WorkFile::ImportPacked), user / "good.bin");
  OpenMenuFile(codec, folder.path(), user / "good.bin", prompts);
  EXPECT_TRUE(prompts.boxes.empty());
  EXPECT_TRUE(SameBytes(built, ReadWholeFile(At(WorkFile::ExportPayload))));

  WriteBytes(user / "bad.bin", PatternBytes(40, 6));
  OpenMenuFile(codec, folder.path(), user / "bad.bin", prompts);
  ASSERT_EQ(prompts.boxes.size(), 1u);
  EXPECT_EQ(prompts.boxes[0].text, "The Selected File Is Not A Valid BIN File");
  EXPECT_EQ(prompts.boxes[0].style, BoxStyle::Critical);
  EXPECT_EQ(prompts.boxes[0].title, "Error...");
  EXPECT_FALSE(FileExists(At(WorkFile::ExportPayload)));
  EXPECT_TRUE(SameBytes(PatternBytes(40, 6), ReadWholeFile(At(WorkFile::ExportPacked))));
}

TEST_F(Handlers, AFailureIsShownOnceWithWhatWhichFileAndWhy) {
  std::filesystem::remove_all(folder / "temp" / "dataimport");
  WriteBytes(user / "a.dds", built);
  EXPECT_FALSE(RunReported(prompts, "Importing The DDS File",
                           [&] { ImportDds(folder.path(), user / "a.dds"); }));
  ASSERT_EQ(prompts.boxes.size(), 1u);
  EXPECT_EQ(prompts.boxes[0].style, BoxStyle::Critical);
  EXPECT_EQ(prompts.boxes[0].title, "Error...");
  EXPECT_EQ(prompts.boxes[0].text, "Importing The DDS File Failed.\r\nCould not write \"" +
                                       PathText(At(WorkFile::ImportTexture)) +
                                       "\": No such file or directory.");
  EXPECT_TRUE(RunReported(prompts, "Nothing", [] {}));
  EXPECT_EQ(prompts.boxes.size(), 1u);
}

}  // namespace
}  // namespace frondel
