// The window's work flow through a scripted View: every box (text, style, title), every
// answer and every order of steps, against a program folder of the test's own.
#include "session/presenter.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "building/menu_format.h"
#include "building/menu_places.h"
#include "building/working_folder.h"
#include "platform/file_error.h"
#include "platform/little_endian.h"
#include "session/messages.h"
#include "session/scripted_view.h"
#include "support/bytes.h"
#include "support/dds_samples.h"
#include "support/small_program.h"
#include "texture/conversion.h"
#include "texture/texture_layout.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;
using testing::GameTexture;
using testing::Join;
using testing::PatternBytes;
using testing::Snapshot;
using Boxes = std::vector<std::string>;

const std::string kSaved = "Save... | 64 | File Saved Succesful";
const std::string kOverwrite = "Frondel | 68 | File Already Exists, Overwrite Existing File?";
const std::string kOpenBinFirst = "Data... | 64 | Please Open A BIN File First";
const std::string kSelectPlace = "Data... | 64 | Please Select A Data From List";

// The payload inside a menu texture file, checked header byte by header byte.
Bytes UnpackedPayload(const fs::path& menu_file) {
  const Bytes packed = ReadWholeFile(menu_file);
  EXPECT_EQ(Bytes(packed.begin(), packed.begin() + 8),
            (Bytes{0x00, 0x01, 0x01, 'W', 'E', 'S', 'Y', 'S'}));
  EXPECT_EQ(GetU32(packed, 8), packed.size() - 12);
  return StreamCodec().UncompressStream(ByteView(packed).subspan(12)).bytes;
}

std::size_t PlaceIndex(std::string_view list_text) {
  return static_cast<std::size_t>(FindMenuPlace(list_text) - MenuPlaces().data());
}

// A presenter over a small program folder of its own.
class Session : public ::testing::Test, public testing::SmallProgram {
 protected:
  Session() : SmallProgram("frondel session \xc3\xbc") { presenter.Start(); }

  Bytes PayloadWith(const fs::path& texture, std::string_view place) const {
    return Join({head, ReadWholeFile(texture), TemplateOf(place)});
  }
  fs::path UserFile(const char* name, const Bytes& bytes) const {
    const fs::path file = user / fs::path(reinterpret_cast<const char8_t*>(name));
    WriteWholeFile(file, {bytes});
    return file;
  }

  // The user's steps of a build: import `dds`, pick `place`, create, save to `target`.
  void Build(const fs::path& dds, std::string_view place, const fs::path& target) {
    view.script.WillChoose(dds);
    presenter.Run(UserCommand::ImportPicture);
    presenter.PlaceSelected(PlaceIndex(place));
    presenter.Run(UserCommand::CreateFile);
    view.script.WillChoose(target);
    presenter.Run(UserCommand::SaveBuiltFile);
  }
  // Opens `menu_file`, exports its texture and saves it to `target`.
  void Export(const fs::path& menu_file, const fs::path& target) {
    view.script.WillChoose(menu_file);
    presenter.Run(UserCommand::OpenMenuFile);
    presenter.Run(UserCommand::ExportDds);
    view.script.WillChoose(target);
    presenter.Run(UserCommand::SaveExportedTexture);
  }

  testing::ScriptedView view;
  std::vector<Command> started;
  std::function<void()> start_fails;  // when set, what starting a command does instead
  Presenter presenter{program, view, [this](const Command& command) {
                        if (start_fails) return start_fails();
                        started.push_back(command);
                      }};
};

TEST_F(Session, StartsWithTheThirteenPlacesAndNothingSelected) {
  ASSERT_EQ(view.places.size(), 13u);
  EXPECT_EQ(view.places.front(), "Exhibition");
  EXPECT_EQ(view.selected_place, std::nullopt);
}

TEST_F(Session, ABuildAndAnExportRoundTripWithOneConfirmationEach) {
  const fs::path dds = UserFile("texture \u00fc.dds", GameTexture(7));
  const fs::path menu_file = user / u8"menu \u00e9.bin";
  const fs::path exported = user / u8"exported \u00fc.dds";

  Build(dds, "Edit", menu_file);
  EXPECT_EQ(view.Seen(), Boxes{kSaved});
  EXPECT_EQ(view.paths[1], dds);
  EXPECT_EQ(view.paths[2], menu_file);
  EXPECT_EQ(UnpackedPayload(menu_file), PayloadWith(dds, "Edit"));
  // The import's working copy is gone; the payload stays until the next build.
  EXPECT_FALSE(FileExists(Working(WorkFile::ImportTexture)));
  EXPECT_FALSE(FileExists(Working(WorkFile::ImportPacked)));
  EXPECT_TRUE(FileExists(Working(WorkFile::ImportPayload)));

  Export(menu_file, exported);
  EXPECT_EQ(view.Seen(), (Boxes{kSaved, kSaved}));
  EXPECT_EQ(view.paths[3], menu_file);
  EXPECT_EQ(view.paths[4], exported);
  EXPECT_EQ(ReadWholeFile(exported), ReadWholeFile(dds));
  EXPECT_EQ(Snapshot(program / "temp/dataexport").size(), 1u);
  EXPECT_EQ(ReadWholeFile(Working(WorkFile::ExportPacked)), ReadWholeFile(menu_file));
}

// A cancelled dialog shows one critical box and leaves path boxes and working files alone.
TEST_F(Session, EachHandlersDialogAndItsCancel) {
  const std::string pictures =
      "*.dds|*.dds|Pictures|*.png;*.jpg;*.jpeg;*.bmp;*.tga;*.tif;*.tiff|All files|*";
  const struct {
    UserCommand command;
    DialogKind kind;
    std::string filter, folder_key, box;
  } handlers[] = {
      {UserCommand::ImportPicture, DialogKind::Open, pictures, "CommonDialog1",
       "Error... | 16 | Please Select File For Open"},
      {UserCommand::SaveBuiltFile, DialogKind::Save, "*.bin|*.bin", "CommonDialog2",
       "Error... | 16 | Please Select Directory  For Save"},
      {UserCommand::OpenMenuFile, DialogKind::Open, "*.bin|*.bin", "CommonDialog3",
       "Error... | 16 | Please Select File For Open"},
      {UserCommand::SaveExportedTexture, DialogKind::Save, "*.dds|*.dds|*.png|*.png",
       "CommonDialog4", "Error... | 16 | Please Select Directory  For Save"},
  };
  for (WorkFile file : {WorkFile::ImportTexture, WorkFile::ImportPacked, WorkFile::ExportPacked,
                        WorkFile::ExportPayload, WorkFile::ExportTexture}) {
    WriteWholeFile(Working(file), {PatternBytes(64, 3)});
  }
  const auto before = Snapshot(root.path());
  for (const auto& handler : handlers) {
    view.script = {};
    view.script.WillCancel();
    presenter.Run(handler.command);
    EXPECT_EQ(view.Seen(), Boxes{handler.box});
    ASSERT_EQ(view.script.dialogs.size(), 1u);
    EXPECT_EQ(view.script.dialogs[0].kind, handler.kind);
    EXPECT_EQ(view.script.dialogs[0].filter, handler.filter);
    EXPECT_EQ(view.script.dialogs[0].folder_key, handler.folder_key);
  }
  EXPECT_TRUE(view.paths.empty());
  EXPECT_EQ(Snapshot(root.path()), before);
}

// Yes replaces the file and confirms; No changes nothing, and the built file can still be
// saved elsewhere.
TEST_F(Session, OverwritingTheBuiltFile) {
  for (const Answer answer : {Answer::Yes, Answer::No}) {
    view.script = {};
    const fs::path dds = UserFile("t.dds", GameTexture(10));
    const fs::path target = UserFile("existing.bin", PatternBytes(77, 11));
    view.script.WillAnswer(answer);
    Build(dds, "Training", target);
    if (answer == Answer::Yes) {
      EXPECT_EQ(view.Seen(), (Boxes{kOverwrite, kSaved}));
      EXPECT_EQ(UnpackedPayload(target), PayloadWith(dds, "Training"));
      continue;
    }
    EXPECT_EQ(view.Seen(), Boxes{kOverwrite});
    EXPECT_EQ(ReadWholeFile(target), PatternBytes(77, 11));
    view.script.WillChoose(user / "elsewhere.bin");
    presenter.Run(UserCommand::SaveBuiltFile);
    EXPECT_EQ(view.Seen(), (Boxes{kOverwrite, kSaved}));
    EXPECT_EQ(UnpackedPayload(user / "elsewhere.bin"), PayloadWith(dds, "Training"));
  }
}

// Yes replaces the file and cleans up without a confirmation; No changes nothing.
TEST_F(Session, OverwritingTheExportedTexture) {
  const fs::path dds = UserFile("t.dds", GameTexture(12));
  Build(dds, "Community", user / "m.bin");
  for (const Answer answer : {Answer::No, Answer::Yes}) {
    const fs::path target = UserFile("existing.dds", PatternBytes(99, 13));
    view.script = {};
    view.script.WillChoose(user / "m.bin");
    presenter.Run(UserCommand::OpenMenuFile);
    presenter.Run(UserCommand::ExportDds);
    const auto working_before = Snapshot(program);
    view.script.WillAnswer(answer);
    view.script.WillChoose(target);
    presenter.Run(UserCommand::SaveExportedTexture);
    EXPECT_EQ(view.Seen(), Boxes{kOverwrite});
    if (answer == Answer::Yes) {
      EXPECT_EQ(ReadWholeFile(target), ReadWholeFile(dds));
      EXPECT_EQ(Snapshot(program / "temp/dataexport").size(), 1u);
    } else {
      EXPECT_EQ(ReadWholeFile(target), PatternBytes(99, 13));
      EXPECT_EQ(Snapshot(program), working_before);
    }
  }
}

// The two jobs keep to their own working files, so their steps may alternate.
TEST_F(Session, InterleavedBuildAndExport) {
  const fs::path first = UserFile("first.dds", GameTexture(14));
  const fs::path second = UserFile("second.dds", GameTexture(15));
  Build(first, "League & Cup", user / "first.bin");

  view.script.WillChoose(second);
  presenter.Run(UserCommand::ImportPicture);
  view.script.WillChoose(user / "first.bin");
  presenter.Run(UserCommand::OpenMenuFile);
  presenter.PlaceSelected(PlaceIndex("Gallery"));
  presenter.Run(UserCommand::CreateFile);
  presenter.Run(UserCommand::ExportDds);
  view.script.WillChoose(user / "second.bin");
  presenter.Run(UserCommand::SaveBuiltFile);
  view.script.WillChoose(user / "exported.dds");
  presenter.Run(UserCommand::SaveExportedTexture);

  EXPECT_EQ(view.Seen(), (Boxes{kSaved, kSaved, kSaved}));
  EXPECT_EQ(ReadWholeFile(user / "exported.dds"), ReadWholeFile(first));
  EXPECT_EQ(UnpackedPayload(user / "second.bin"), PayloadWith(second, "Gallery"));
}

TEST_F(Session, StepsOutOfOrderAreToldAndWriteNothing) {
  WriteWholeFile(Working(WorkFile::ImportTexture), {PatternBytes(500, 18)});
  presenter.PlaceSelected(std::nullopt);
  presenter.Run(UserCommand::CreateFile);
  // An index past the list's end selects nothing either.
  presenter.PlaceSelected(MenuPlaces().size());
  presenter.Run(UserCommand::CreateFile);
  DeleteFile(Working(WorkFile::ImportTexture));
  presenter.PlaceSelected(PlaceIndex("Extra-Content"));
  presenter.Run(UserCommand::CreateFile);
  presenter.Run(UserCommand::ExportDds);
  presenter.Run(UserCommand::TakeBlocks);

  EXPECT_EQ(view.Seen(),
            (Boxes{kSelectPlace, kSelectPlace, "Data... | 64 | Please Open A DDS File First",
                   kOpenBinFirst, kOpenBinFirst}));
  EXPECT_TRUE(Snapshot(program / "temp/dataimport").empty());
  EXPECT_TRUE(Snapshot(program / "temp/dataexport").empty());
}

// After a file that is no menu texture file, no earlier payload can be exported.
TEST_F(Session, AnInvalidMenuFileLeavesNothingToExport) {
  const fs::path good = user / "good.bin";
  const fs::path bad = UserFile("bad.bin", PatternBytes(40, 20));
  Build(UserFile("t.dds", GameTexture(19)), "Master League", good);
  view.script.WillChoose(good);
  presenter.Run(UserCommand::OpenMenuFile);
  view.script = {};

  view.script.WillChoose(bad);
  presenter.Run(UserCommand::OpenMenuFile);
  presenter.Run(UserCommand::ExportDds);

  EXPECT_EQ(view.Seen(),
            (Boxes{"Error... | 16 | The Selected File Is Not A Valid BIN File", kOpenBinFirst}));
  EXPECT_EQ(view.paths[3], bad);
  EXPECT_EQ(ReadWholeFile(Working(WorkFile::ExportPacked)), PatternBytes(40, 20));
  EXPECT_FALSE(FileExists(Working(WorkFile::ExportTexture)));
}

TEST_F(Session, AuthorAndVisit) {
  presenter.Run(UserCommand::Author);
  presenter.Run(UserCommand::Visit);
  EXPECT_EQ(view.Seen(),
            Boxes{"Frondel | 64 | Frondel  V2.0.0 By Tavrin\r\nThank's To Peltiro For His "
                  "Tutorial"});
  EXPECT_EQ(started, std::vector{OpenAddressCommand("https://example.org/frondel")});
}

TEST_F(Session, AFileFromOutsideIsOpenedOrImportedByItsName) {
  const fs::path menu_file = user / "m.BIN";
  Build(UserFile("t.dds", GameTexture(22)), "Online", menu_file);
  const fs::path dds = UserFile("other.dds", GameTexture(23));
  presenter.FileGiven(menu_file);
  presenter.FileGiven(dds);
  EXPECT_EQ(view.paths[3], menu_file);
  EXPECT_EQ(view.paths[1], dds);
  EXPECT_EQ(ReadWholeFile(Working(WorkFile::ExportPacked)), ReadWholeFile(menu_file));
  EXPECT_EQ(ReadWholeFile(Working(WorkFile::ImportTexture)), GameTexture(23));
}

// A failed file access is one critical box naming the operation, the file and the reason;
// the path is already shown, and the next try works.
TEST_F(Session, AFailedFileAccessIsToldOnce) {
  const fs::path dds = UserFile("t.dds", GameTexture(21));
  fs::remove_all(program / "temp/dataimport");
  view.script.WillChoose(dds);
  presenter.Run(UserCommand::ImportPicture);

  ASSERT_EQ(view.script.boxes.size(), 1u);
  const auto& box = view.script.boxes[0];
  EXPECT_EQ(box.title, "Error...");
  EXPECT_EQ(box.style, BoxStyle::Critical);
  EXPECT_TRUE(box.text.starts_with("Import DDS Failed.\r\nCould not write \"" +
                                   PathText(Working(WorkFile::ImportTexture)) + "\": "))
      << box.text;
  EXPECT_TRUE(box.text.ends_with("\": No such file or directory.")) << box.text;
  EXPECT_EQ(view.paths[1], dds);

  fs::create_directories(program / "temp/dataimport");
  view.script.WillChoose(dds);
  presenter.Run(UserCommand::ImportPicture);
  EXPECT_EQ(view.script.boxes.size(), 1u);
  EXPECT_EQ(ReadWholeFile(Working(WorkFile::ImportTexture)), GameTexture(21));
}

// Any other exception, running out of memory first of all, is one box too, and the program
// goes on; a failure in the program's own words is told in them.
TEST_F(Session, AnyExceptionOfAnOperationIsToldOnceAndTheNextWorks) {
  start_fails = [] { throw std::bad_alloc(); };
  presenter.Run(UserCommand::Visit);
  start_fails = [] { throw std::length_error("vector too long"); };
  presenter.Run(UserCommand::Visit);
  start_fails = [] { throw 7; };
  presenter.Run(UserCommand::Visit);
  start_fails = [] { throw Failure("the data would be too large"); };
  presenter.Run(UserCommand::Visit);
  start_fails = nullptr;
  presenter.Run(UserCommand::Visit);
  EXPECT_EQ(view.Seen(),
            (Boxes{"Error... | 16 | Visit Web Site Failed.\r\nThere is not enough memory.",
                   "Error... | 16 | Visit Web Site Failed.\r\nSomething went wrong inside the "
                   "program: vector too long.",
                   "Error... | 16 | Visit Web Site Failed.\r\nSomething went wrong inside the "
                   "program.",
                   "Error... | 16 | Visit Web Site Failed.\r\nThe data would be too large."}));
  EXPECT_EQ(started.size(), 1u);
}

// The preview shows what the job holds, or the note; the bitmap working file is written too.
TEST_F(Session, ThePreviewShowsTheLaterJobsTexture) {
  const Bytes texture = testing::MakeDds(testing::DdsKind::Bgra32, 1024, 1024);
  Build(UserFile("t.dds", texture), "Exhibition", user / "m.bin");
  view.script.WillChoose(UserFile("odd size.dds", testing::MakeDds(testing::DdsKind::Dxt5, 6, 6)));
  presenter.Run(UserCommand::ImportPicture);
  EXPECT_EQ(view.note, kNotPreviewableNote);

  view.script.WillChoose(user / "m.bin");
  presenter.Run(UserCommand::OpenMenuFile);
  presenter.Run(UserCommand::ExportDds);
  ASSERT_TRUE(view.picture);
  EXPECT_EQ(view.picture->width, 1024u);
  EXPECT_EQ(view.picture->height, 1024u);
  // B,G,R of the texture's top row, made opaque.
  const Bytes pixels = view.picture->pixels;
  EXPECT_EQ(Bytes(pixels.begin(), pixels.begin() + 3),
            Bytes(texture.begin() + 128, texture.begin() + 131));
  EXPECT_EQ(pixels[3], 255);
  EXPECT_TRUE(FileExists(Working(WorkFile::ExportBitmap)));
}

// View > Show Transparency redraws the picture shown at once and every later preview; a texture
// without alpha, and a note, look the same either way.
TEST_F(Session, ShowTransparencyAppliesAtOnceAndToEveryLaterPreview) {
  // Alpha 128 everywhere, in a texture of the game's layout.
  const fs::path see_through =
      UserFile("a.dds", testing::MakeDds(testing::DdsKind::Bgra32, 1024, 1024));
  view.script.WillChoose(see_through);
  presenter.Run(UserCommand::ImportPicture);
  ASSERT_TRUE(view.picture);
  const PreviewPicture plain = *view.picture;

  presenter.Run(UserCommand::ShowTransparency);
  EXPECT_TRUE(presenter.TransparencyShown());
  EXPECT_TRUE(view.checked[UserCommand::ShowTransparency]);
  ASSERT_TRUE(view.picture);
  EXPECT_EQ(view.picture->width, 249u);
  EXPECT_EQ(view.picture->height, 385u);
  // The top left is the texture's red, half over the light square: 255 -> 230, 0 -> 102.
  EXPECT_EQ(Bytes(view.picture->pixels.begin(), view.picture->pixels.begin() + 4),
            (Bytes{102, 102, 230, 255}));

  // A new preview while it is on, at another box size: the checkerboard again. The working
  // bitmap is the texture's, whatever the view.
  view.box = {100, 50};
  view.script.WillChoose(see_through);
  presenter.Run(UserCommand::ImportPicture);
  ASSERT_TRUE(view.picture);
  EXPECT_EQ(view.picture->width, 100u);
  const Bytes bitmap_on = ReadWholeFile(Working(WorkFile::ImportBitmap));

  presenter.Run(UserCommand::ShowTransparency);
  EXPECT_FALSE(view.checked[UserCommand::ShowTransparency]);
  ASSERT_TRUE(view.picture);
  EXPECT_EQ(view.picture->pixels, plain.pixels);
  view.script.WillChoose(see_through);
  presenter.Run(UserCommand::ImportPicture);
  EXPECT_EQ(ReadWholeFile(Working(WorkFile::ImportBitmap)), bitmap_on);

  // No alpha mask: the same picture on as off.
  presenter.ShowTransparency(true);
  view.script.WillChoose(UserFile("x.dds", testing::MakeDds(testing::DdsKind::Bgrx32, 64, 32)));
  presenter.Run(UserCommand::ImportPicture);
  ASSERT_TRUE(view.picture);
  EXPECT_EQ(view.picture->width, 64u);

  // Not previewable: the note stays, whatever the item.
  view.script.WillChoose(UserFile("odd.dds", testing::MakeDds(testing::DdsKind::Dxt5, 6, 6)));
  presenter.Run(UserCommand::ImportPicture);
  presenter.Run(UserCommand::ShowTransparency);
  EXPECT_FALSE(view.picture);
  EXPECT_EQ(view.note, kNotPreviewableNote);
  // The two questions whether to convert the small textures, and no failure.
  EXPECT_EQ(view.Seen().size(), 2u);
}

// A picture is converted only when the user agrees; otherwise, or when it cannot be read,
// the build job is left without a texture. The user's file never changes.
TEST_F(Session, ImportingAPicture) {
  const Conversion png = EncodePng(testing::MakeDds(testing::DdsKind::Bgra32, 64, 48));
  ASSERT_EQ(png.status, ConversionStatus::Done);
  const struct {
    bool damaged;
    Answer answer;
    std::string told;  // the box after the question
  } cases[] = {
      {false, Answer::Yes, ""},
      {false, Answer::No,
       "Convert... | 64 | A picture must be converted to the game's layout before it can be used."},
      {true, Answer::Yes,
       "Error... | 16 | Could not convert \"" + PathText(user / "picture.png") +
           "\": the picture is damaged or of a variant that cannot be read."},
  };
  for (const auto& c : cases) {
    view.script = {};
    Bytes file = png.bytes;
    if (c.damaged) file.resize(file.size() / 2);
    const fs::path picture = UserFile("picture.png", file);
    view.script.WillChoose(picture);
    view.script.WillAnswer(c.answer);
    presenter.Run(UserCommand::ImportPicture);

    Boxes expected{
        "Convert... | 68 | PNG 64x48\r\nThe game's menu textures are 1024x1024 32-bit "
        "DDS files.\r\nConvert it to that layout?"};
    if (!c.told.empty()) expected.push_back(c.told);
    EXPECT_EQ(view.Seen(), expected);
    EXPECT_EQ(ReadWholeFile(picture), file);
    if (c.told.empty()) {
      EXPECT_TRUE(DescribeTexture(ReadWholeFile(Working(WorkFile::ImportTexture))).is_game_layout);
      EXPECT_TRUE(view.picture);
    } else {
      EXPECT_FALSE(FileExists(Working(WorkFile::ImportTexture)));
      EXPECT_EQ(view.note, kNotPreviewableNote);
    }
  }
}

// A name ending in ".png" gets the exported texture as a PNG, every pixel and its alpha.
TEST_F(Session, ExportingAsPng) {
  const Bytes texture = testing::MakeDds(testing::DdsKind::Bgra32, 1024, 1024);
  Build(UserFile("t.dds", texture), "Exhibition", user / "m.bin");
  Export(user / "m.bin", user / "exported.PNG");

  EXPECT_EQ(view.Seen(), (Boxes{kSaved, kSaved}));
  EXPECT_EQ(Snapshot(program / "temp/dataexport").size(), 1u);
  const Bytes png = ReadWholeFile(user / "exported.PNG");
  EXPECT_EQ(DescribeTexture(png).kind, PictureKind::Png);
  // A 1024x1024 picture converts back with every pixel as it is.
  const Bytes back = ConvertToGameTexture(png).bytes;
  ASSERT_EQ(back.size(), texture.size());
  EXPECT_TRUE(testing::SameBytes(Bytes(texture.begin() + 128, texture.end()),
                                 Bytes(back.begin() + 128, back.end())));
}

// A file a save replaced is listed, newest first, and put back after a question when
// something is there; what it replaces is kept in turn.
TEST_F(Session, RestoringAReplacedFile) {
  presenter.Run(UserCommand::RestoreBackup);
  EXPECT_EQ(view.Seen(), Boxes{"Backups... | 64 | There Are No Replaced Files To Restore."});
  const Bytes game = PatternBytes(500, 14);
  const fs::path target = UserFile("menu.bin", game);
  view.script = {};
  view.script.WillAnswer(Answer::Yes);
  Build(UserFile("t.dds", GameTexture(15)), "Gallery", target);
  const Bytes built = ReadWholeFile(target);

  view.script = {};
  presenter.Run(UserCommand::RestoreBackup);  // cancelled
  view.script.WillPick(0);
  view.script.WillAnswer(Answer::No);
  presenter.Run(UserCommand::RestoreBackup);
  EXPECT_EQ(ReadWholeFile(target), built);
  ASSERT_EQ(view.script.lists.size(), 2u);
  const testing::ScriptedDialogs::ItemList list = view.script.lists[0];
  EXPECT_EQ(list.title, "Restore Replaced File");
  ASSERT_EQ(list.items.size(), 1u);
  EXPECT_TRUE(list.items[0].starts_with("1   ")) << list.items[0];
  EXPECT_TRUE(list.items[0].ends_with("   " + PathText(target))) << list.items[0];

  view.script.WillPick(0);
  view.script.WillAnswer(Answer::Yes);
  presenter.Run(UserCommand::RestoreBackup);
  EXPECT_EQ(ReadWholeFile(target), game);
  const std::string time = list.items[0].substr(4, 19);
  EXPECT_EQ(view.Seen(), (Boxes{"Backups... | 68 | \"" + PathText(target) +
                                    "\" Exists.\r\nReplace It With The "
                                    "File Replaced On " +
                                    time + "? What Is There Now Will Be Kept As A Backup Too.",
                                "Backups... | 68 | \"" + PathText(target) +
                                    "\" Exists.\r\nReplace It With The "
                                    "File Replaced On " +
                                    time + "? What Is There Now Will Be Kept As A Backup Too.",
                                "Backups... | 64 | \"" + PathText(target) +
                                    "\" Restored As It Was Before " + time + "."}));

  // The built file was kept by the restore, newest first; where nothing is, no question.
  fs::remove(target);
  view.script = {};
  view.script.WillPick(0);
  presenter.Run(UserCommand::RestoreBackup);
  EXPECT_EQ(view.script.lists.at(0).items.size(), 2u);
  EXPECT_EQ(ReadWholeFile(target), built);
  EXPECT_EQ(view.script.boxes.size(), 1u);
}

}  // namespace
}  // namespace frondel
