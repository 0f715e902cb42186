// Taking the game's blocks from a menu file, building with them, and the stand-ins back.
#include <gtest/gtest.h>

#include "blocks/game_blocks.h"
#include "building/menu_format.h"
#include "building/payload_assembly.h"
#include "building/payload_parts.h"
#include "building/working_folder.h"
#include "platform/file_error.h"
#include "platform/little_endian.h"
#include "session/presenter.h"
#include "session/scripted_view.h"
#include "support/bytes.h"
#include "support/program_folder.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;
using testing::Join;
using testing::PatternBytes;
using testing::ProgramFolder;
using testing::SameBytes;
using testing::WriteBytes;

class Blocks : public ::testing::Test {
 protected:
  fs::path At(std::string_view relative) { return WorkingPath(folder.path(), relative); }
  Bytes Read(std::string_view relative) { return ReadWholeFile(At(relative)); }
  Bytes MenuFile(const Bytes& head, const Bytes& place_template) {
    return PackMenuBytes(codec, Join({head, texture, place_template}));
  }
  // Opens `file` in the export job and takes its blocks for Exhibition.
  void Take(const Bytes& file) {
    WriteBytes(user.path() / "menu ex.bin", file);
    presenter.OpenGiven(user.path() / "menu ex.bin");
    presenter.PlaceSelected(0);
    presenter.Run(UserCommand::TakeBlocks);
  }
  void CreateFile() {
    presenter.PlaceSelected(0);
    presenter.Run(UserCommand::CreateFile);
  }
  std::string LastBox() { return boxes().empty() ? "" : boxes().back().text; }
  std::vector<testing::ScriptedDialogs::Box>& boxes() { return view.script.boxes; }

  ProgramFolder folder;
  testing::TempFolder user{fs::temp_directory_path(), "frondel user"};
  StreamCodec codec;
  testing::ScriptedView view;
  Presenter presenter{folder.path(), view, [](const Command&) {}};
  const Bytes texture = Bytes(payload::kTextureLength, 0x40);
  const Bytes game_head = PatternBytes(48, 3);
  const Bytes game_template = PatternBytes(7000, 4);
  const std::string head = "temp/dataentery/TOPDATA1";
  const std::string exdata = "temp/dataentery/EXDATA";
};

TEST_F(Blocks, TakenBlocksGoIntoTheNextBuildAndRestoreGivesTheStandInsBack) {
  const Bytes shipped_head = Read(head), shipped_template = Read(exdata);
  WriteBytes(WorkingPath(folder.path(), WorkFile::ImportTexture), PatternBytes(900, 5));
  CreateFile();
  EXPECT_EQ(LastBox(),
            "Built With Stand-in Blocks For Exhibition.\r\nThe Game Will Not Read This File: Take "
            "The Game's Own Blocks First (Blocks > Take Blocks From Opened File).");

  boxes().clear();
  view.script.WillAnswer(Answer::Yes);
  Take(MenuFile(game_head, game_template));
  ASSERT_EQ(boxes().size(), 2u);
  EXPECT_EQ(boxes()[0].text, "Take The Game's Blocks For Exhibition From \"menu ex.bin\"?");
  EXPECT_EQ(boxes()[0].style, BoxStyle::YesNoInformation);
  EXPECT_EQ(boxes()[0].title, "Blocks...");
  EXPECT_EQ(LastBox(),
            "Blocks Taken For Exhibition From \"menu ex.bin\".\r\nHead Block: Replaced The "
            "Stand-in\r\nTemplate: Replaced The Stand-in");
  EXPECT_TRUE(SameBytes(shipped_head, Read(head + ".standin")));
  EXPECT_TRUE(SameBytes(shipped_template, Read(exdata + ".standin")));

  boxes().clear();
  CreateFile();
  EXPECT_TRUE(boxes().empty());
  const Bytes built = ReadWholeFile(WorkingPath(folder.path(), WorkFile::ImportPacked));
  const Uncompressed unpacked = UnpackMenuBytes(codec, built);
  EXPECT_TRUE(SameBytes(Join({game_head, PatternBytes(900, 5), game_template}), unpacked.bytes));

  presenter.Run(UserCommand::ShowBlocks);
  EXPECT_NE(LastBox().find("Exhibition: the game's (from menu ex.bin, " + Today() + ")\r\n"),
            std::string::npos);
  EXPECT_NE(LastBox().find("Champion League: stand-in\r\n"), std::string::npos);

  view.script.WillAnswer(Answer::No);
  presenter.Run(UserCommand::RestoreBlocks);
  EXPECT_TRUE(SameBytes(game_head, Read(head)));
  view.script.WillAnswer(Answer::Yes);
  presenter.Run(UserCommand::RestoreBlocks);
  EXPECT_EQ(LastBox(), "Stand-in Blocks Restored: Head Block, Exhibition.");
  EXPECT_TRUE(SameBytes(shipped_head, Read(head)));
  EXPECT_TRUE(SameBytes(shipped_template, Read(exdata)));
  EXPECT_FALSE(FileExists(At(head + ".standin")));
  EXPECT_TRUE(ReadBlocksRecord(folder.path()).origins.empty());
  presenter.Run(UserCommand::RestoreBlocks);
  EXPECT_EQ(LastBox(), "There Are No Replaced Stand-in Blocks To Restore.");
}

// The blocks come from the file as it was opened: the working copy is not read again.
TEST_F(Blocks, OnlyAnOpenedFileAndASelectedPlaceGiveBlocks) {
  presenter.Run(UserCommand::TakeBlocks);
  WriteBytes(user.path() / "menu ex.bin", MenuFile(game_head, game_template));
  presenter.OpenGiven(user.path() / "menu ex.bin");
  presenter.Run(UserCommand::TakeBlocks);
  fs::remove(WorkingPath(folder.path(), WorkFile::ExportPacked));
  presenter.PlaceSelected(0);
  view.script.WillAnswer(Answer::Yes);
  presenter.Run(UserCommand::TakeBlocks);
  ASSERT_EQ(boxes().size(), 4u);
  EXPECT_EQ(boxes()[0].text, "Please Open A BIN File First");
  EXPECT_EQ(boxes()[1].text, "Please Select A Data From List");
  EXPECT_EQ(boxes()[1].title, "Data...");
  EXPECT_TRUE(SameBytes(game_template, Read(exdata)));
}

TEST_F(Blocks, AnotherGameHeadIsAskedForAndReplacedOnlyWhenConfirmed) {
  view.script.WillAnswer(Answer::Yes);
  Take(MenuFile(game_head, game_template));
  const MenuBlocks second = BlocksOfMenuBytes(codec, MenuFile(PatternBytes(48, 9), game_template));

  view.script.WillAnswer(Answer::No);
  Take(MenuFile(PatternBytes(48, 9), game_template));
  EXPECT_NE(LastBox().find("\r\nThe Installed Head Block Is The Game's And This File's Differs"),
            std::string::npos);
  EXPECT_TRUE(SameBytes(game_head, Read(head)));

  const TakeOutcome refused = TakeBlocks(folder.path(), MenuPlaces()[1], second, {"b", "d"}, false);
  EXPECT_FALSE(refused.taken);
  EXPECT_TRUE(SameBytes(game_head, Read(head)));
  EXPECT_FALSE(FileExists(At("temp/dataentery/CLDATA.standin")));

  const TakeOutcome forced = TakeBlocks(folder.path(), MenuPlaces()[1], second, {"b", "d"}, true);
  EXPECT_EQ(forced.head, BlockChange::ReplacedGame);
  EXPECT_EQ(forced.place_template, BlockChange::ReplacedStandIn);
  EXPECT_TRUE(SameBytes(PatternBytes(48, 9), Read(head)));
  EXPECT_EQ(ReadBlocksRecord(folder.path()).origins.at("TOPDATA1").file_name, "b");
  EXPECT_EQ(ReadBlocksRecord(folder.path()).origins.at("EXDATA").file_name, "menu ex.bin");
}

TEST_F(Blocks, AFileThatIsNotWholeOrCarriesStandInsIsRefusedWithNothingWritten) {
  Bytes longer_than_stored = MenuFile(game_head, game_template);
  PutInt32(longer_than_stored, menu_file::kPayloadLengthOffset,
           static_cast<std::int32_t>(payload::kTemplateOffset + 10));
  Bytes cut = MenuFile(game_head, game_template);
  cut.resize(cut.size() / 2);
  const struct {
    Bytes file;
    const char* why;
  } cases[] = {
      {longer_than_stored, "holds more data than its header says"},
      {cut, "is damaged or ends early"},
      {Bytes(15, 1), "is not a menu texture file"},
      {PackMenuBytes(codec, Join({game_head, texture})), "ends before a place template begins"},
      {MenuFile(Read(head), game_template), "was built with frondel's stand-in blocks"},
  };
  const auto before = testing::Snapshot(folder / "temp/dataentery");
  for (const auto& c : cases) {
    boxes().clear();
    Take(c.file);
    // A file that does not unpack is also told when it is opened.
    const bool unpacks = IsMenuPayload(UnpackMenuBytes(codec, c.file).status);
    ASSERT_EQ(boxes().size(), unpacks ? 1u : 2u) << c.why;
    EXPECT_EQ(boxes().back().title, "Error...");
    EXPECT_NE(boxes().back().text.find(std::string("\r\nThe file ") + c.why), std::string::npos)
        << boxes().back().text;
  }
  EXPECT_EQ(testing::Snapshot(folder / "temp/dataentery"), before);
}

TEST_F(Blocks, AMissingOrDamagedRecordStopsNeitherBuildNorList) {
  view.script.WillAnswer(Answer::Yes);
  Take(MenuFile(game_head, game_template));
  const fs::path record = WorkingPath(folder.path(), WorkFile::BlocksRecord);

  const std::string damaged = "TOPDATA1\tno date\nEXDATA\tex.bin\t2026-01-02\r\n\x01\x02\t\n";
  WriteBytes(record, Bytes(damaged.begin(), damaged.end()));
  BlocksList list = ListBlocks(folder.path());
  EXPECT_EQ(list.damaged_record_lines, 2);
  EXPECT_EQ(list.blocks[0].state, BlockState::Game);
  EXPECT_FALSE(list.blocks[0].origin.has_value());
  EXPECT_EQ(list.blocks[1].origin->date, "2026-01-02");

  fs::remove(record);
  fs::create_directory(record);  // there, but no file can be read from it
  list = ListBlocks(folder.path());
  EXPECT_FALSE(list.record_problem.empty());
  EXPECT_EQ(list.blocks[1].state, BlockState::Game);
  EXPECT_EQ(list.blocks[2].state, BlockState::StandIn);
  WriteBytes(WorkingPath(folder.path(), WorkFile::ImportTexture), PatternBytes(900, 5));
  EXPECT_EQ(CreateMenuFile(codec, folder.path(), &MenuPlaces()[0]), CreateStatus::Built);
  EXPECT_THROW(
      TakeBlocks(folder.path(), MenuPlaces()[1],
                 BlocksOfMenuBytes(codec, MenuFile(game_head, game_template)), {"b", "d"}, true),
      FileError);
  EXPECT_FALSE(FileExists(At("temp/dataentery/CLDATA.standin")));
}

}  // namespace
}  // namespace frondel
