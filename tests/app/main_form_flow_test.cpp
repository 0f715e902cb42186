// The build and export jobs driven through the window's buttons and menus, with scripted
// answers, against a program folder of the test's own.
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "building/menu_format.h"
#include "codec/zlib_codec.h"
#include "platform/file_error.h"
#include "platform/little_endian.h"
#include "platform/qt_text.h"
#include "preview/preview_display.h"
#include "support/pictures.h"
#include "texture/texture_layout.h"
#include "window_session.h"

Q_DECLARE_METATYPE(frondel::Answer)

namespace frondel::testing {
namespace {

namespace fs = std::filesystem;

const QString kSaved = "Save... | 64 | File Saved Succesful";
const QString kOverwrite = " | 68 | File Already Exists, Overwrite Existing File?";

// The boxes of a session with its folder written as "<root>", to compare two sessions.
QStringList SeenBelowRoot(const WindowSession& s) {
  return Seen(s.prompts.boxes)
      .replaceInStrings(QString::fromStdString(PathText(s.root.path())), "<root>");
}

// The payload inside a menu texture file, checked header byte by header byte.
Bytes UnpackedPayload(const fs::path& menu_file) {
  const Bytes packed = ReadWholeFile(menu_file);
  if (packed.size() < 16) qFatal("menu file too short");
  const Bytes header(packed.begin(), packed.begin() + 8);
  if (header != Bytes{0x00, 0x01, 0x01, 'W', 'E', 'S', 'Y', 'S'}) qFatal("bad menu file header");
  const std::uint32_t packed_length = GetU32(packed, 8);
  if (packed_length != packed.size() - 12) qFatal("bad packed length");
  return Zlib().UncompressStream(ByteView(packed).subspan(12)).bytes;
}

}  // namespace

class MainFormFlowTest : public QObject {
  Q_OBJECT

 private slots:
  void wholeBuild() {
    WindowSession s;
    const fs::path dds = s.user / u8"texture \u00fc.dds";
    const fs::path target = s.user / u8"menu \u00e9.bin";
    WriteWholeFile(dds, {GameTexture(7)});

    s.Build(dds, "Edit", target);

    QCOMPARE(Seen(s.prompts.boxes), QStringList{kSaved});
    QCOMPARE(s.TextOf("Text1"), ToQString(dds));
    QCOMPARE(s.TextOf("Text2"), ToQString(target));
    QVERIFY(UnpackedPayload(target) == Join({s.head, ReadWholeFile(dds), s.TemplateOf("Edit")}));
    // The import's working copy is gone (its preview bitmap never existed, which is no
    // failure); the payload stays until the next build.
    QVERIFY(!FileExists(s.Working(WorkFile::ImportTexture)));
    QVERIFY(!FileExists(s.Working(WorkFile::ImportPacked)));
    QVERIFY(FileExists(s.Working(WorkFile::ImportPayload)));
  }

  void wholeExport() {
    WindowSession s;
    const fs::path dds = s.user / "built in.dds";
    const fs::path menu_file = s.user / "menu.bin";
    const fs::path exported = s.user / u8"exported \u00fc.dds";
    WriteWholeFile(dds, {GameTexture(8)});
    s.Build(dds, "Exhibition", menu_file);
    s.prompts.boxes.clear();

    s.prompts.WillChoose(menu_file);
    s.Click("Open_Bin_Export");
    s.Click("ExportDDS");
    s.prompts.WillChoose(exported);
    s.Click("Save_DDS_Export");

    QCOMPARE(Seen(s.prompts.boxes), QStringList{kSaved});
    QCOMPARE(s.TextOf("Text3"), ToQString(menu_file));
    QCOMPARE(s.TextOf("Text4"), ToQString(exported));
    QVERIFY(ReadWholeFile(exported) == ReadWholeFile(dds));
    QCOMPARE(Snapshot(s.program / "temp/dataexport").size(), std::size_t{1});
    QVERIFY(FileExists(s.Working(WorkFile::ExportPacked)));
  }

  void cancelledDialog_data() {
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("from_menu");
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("message");
    const QString open = "Please Select File For Open";
    const QString save = "Please Select Directory  For Save";
    const QString pictures =
        "*.dds|*.dds|Pictures|*.png;*.jpg;*.jpeg;*.bmp;*.tga;*.tif;*.tiff|All files|*";
    QTest::newRow("import") << "OpenDDS_Import" << false << false << pictures << "Text1" << open;
    QTest::newRow("import menu") << "mnunew" << true << false << pictures << "Text1" << open;
    QTest::newRow("save built") << "SaveBIN" << false << true << "*.bin|*.bin"
                                << "Text2" << save;
    QTest::newRow("open") << "Open_Bin_Export" << false << false << "*.bin|*.bin"
                          << "Text3" << open;
    QTest::newRow("open menu") << "mnuexport" << true << false << "*.bin|*.bin"
                               << "Text3" << open;
    QTest::newRow("save exported")
        << "Save_DDS_Export" << false << true << "*.dds|*.dds|*.png|*.png"
        << "Text4" << save;
  }

  // A cancelled dialog shows one critical box and leaves boxes and working files alone.
  void cancelledDialog() {
    QFETCH(QString, trigger);
    QFETCH(bool, from_menu);
    QFETCH(bool, save);
    QFETCH(QString, filter);
    QFETCH(QString, box);
    QFETCH(QString, message);
    WindowSession s;
    for (WorkFile file : {WorkFile::ImportTexture, WorkFile::ImportPacked, WorkFile::ExportPacked,
                          WorkFile::ExportPayload, WorkFile::ExportTexture}) {
      WriteWholeFile(s.Working(file), {PatternBytes(64, 3)});
    }
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
      s.Find<QLineEdit>(name)->setText("typed by the user");
    }
    const auto before = Snapshot(s.root.path());

    s.prompts.WillChoose({});
    const QByteArray name = trigger.toUtf8();
    from_menu ? s.Choose(name.constData()) : s.Click(name.constData());

    QCOMPARE(Seen(s.prompts.boxes), QStringList{"Error... | 16 | " + message});
    QCOMPARE(s.prompts.dialogs.size(), std::size_t{1});
    QCOMPARE(s.prompts.dialogs[0].kind == DialogKind::Save, save);
    QCOMPARE(QString::fromStdString(s.prompts.dialogs[0].filter), filter);
    QCOMPARE(s.TextOf(box.toUtf8().constData()), QString("typed by the user"));
    QVERIFY(Snapshot(s.root.path()) == before);
  }

  void menuItemDoesWhatItsButtonDoes_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("chosen_exists");
    QTest::newRow("import") << "mnunew"
                            << "OpenDDS_Import" << true;
    QTest::newRow("import fails") << "mnunew"
                                  << "OpenDDS_Import" << false;
    QTest::newRow("open") << "mnuexport"
                          << "Open_Bin_Export" << true;
    QTest::newRow("open fails") << "mnuexport"
                                << "Open_Bin_Export" << false;
  }

  void menuItemDoesWhatItsButtonDoes() {
    QFETCH(QString, item);
    QFETCH(QString, button);
    QFETCH(bool, chosen_exists);
    WindowSession by_menu;
    WindowSession by_button;
    const QByteArray item_name = item.toUtf8();
    const QByteArray button_name = button.toUtf8();
    for (WindowSession* s : {&by_menu, &by_button}) {
      // A menu texture file for the open rows, a texture in the game's layout for the import.
      const fs::path chosen = s->user / "chosen file";
      if (chosen_exists && item == "mnunew") {
        WriteWholeFile(chosen, {GameTexture(9)});
      } else if (chosen_exists) {
        const fs::path dds = s->user / "t.dds";
        WriteWholeFile(dds, {GameTexture(9)});
        s->Build(dds, "Online", chosen);
        s->prompts.boxes.clear();
        s->prompts.dialogs.clear();
      }
      s->prompts.WillChoose(chosen);
      s == &by_menu ? s->Choose(item_name.constData()) : s->Click(button_name.constData());
    }

    QCOMPARE(SeenBelowRoot(by_menu), SeenBelowRoot(by_button));
    QCOMPARE(by_menu.prompts.dialogs.size(), std::size_t{1});
    QCOMPARE(by_button.prompts.dialogs.size(), std::size_t{1});
    QCOMPARE(by_menu.prompts.dialogs[0].filter, by_button.prompts.dialogs[0].filter);
    for (const char* box : {"Text1", "Text2", "Text3", "Text4"}) {
      QCOMPARE(by_menu.TextOf(box).replace(ToQString(by_menu.root.path()), "<root>"),
               by_button.TextOf(box).replace(ToQString(by_button.root.path()), "<root>"));
    }
    QVERIFY(Snapshot(by_menu.program) == Snapshot(by_button.program));
    QCOMPARE(by_menu.prompts.boxes.empty(), chosen_exists);
  }

  void overwriteBuiltFile_data() {
    QTest::addColumn<Answer>("answer");
    QTest::newRow("yes") << Answer::Yes;
    QTest::newRow("no") << Answer::No;
  }

  // Yes replaces the file and confirms; No changes nothing, and the built file can still be
  // saved elsewhere.
  void overwriteBuiltFile() {
    QFETCH(Answer, answer);
    WindowSession s;
    const fs::path dds = s.user / "t.dds";
    const fs::path target = s.user / "existing.bin";
    WriteWholeFile(dds, {GameTexture(10)});
    WriteWholeFile(target, {PatternBytes(77, 11)});
    s.prompts.WillAnswer(answer);

    s.Build(dds, "Training", target);

    const Bytes payload = Join({s.head, ReadWholeFile(dds), s.TemplateOf("Training")});
    if (answer == Answer::Yes) {
      QCOMPARE(Seen(s.prompts.boxes), (QStringList{kOverwrite, kSaved}));
      QVERIFY(UnpackedPayload(target) == payload);
      return;
    }
    QCOMPARE(Seen(s.prompts.boxes), QStringList{kOverwrite});
    QVERIFY(ReadWholeFile(target) == PatternBytes(77, 11));
    QVERIFY(FileExists(s.Working(WorkFile::ImportTexture)));
    const fs::path elsewhere = s.user / "elsewhere.bin";
    s.prompts.WillChoose(elsewhere);
    s.Click("SaveBIN");
    QCOMPARE(Seen(s.prompts.boxes), (QStringList{kOverwrite, kSaved}));
    QVERIFY(UnpackedPayload(elsewhere) == payload);
  }

  void overwriteExportedDds_data() {
    QTest::addColumn<Answer>("answer");
    QTest::newRow("yes") << Answer::Yes;
    QTest::newRow("no") << Answer::No;
  }

  // Yes replaces the file and cleans up without a confirmation; No changes nothing.
  void overwriteExportedDds() {
    QFETCH(Answer, answer);
    WindowSession s;
    const fs::path dds = s.user / "t.dds";
    const fs::path menu_file = s.user / "m.bin";
    const fs::path target = s.user / "existing.dds";
    WriteWholeFile(dds, {GameTexture(12)});
    WriteWholeFile(target, {PatternBytes(99, 13)});
    s.Build(dds, "Community", menu_file);
    s.prompts.WillChoose(menu_file);
    s.Click("Open_Bin_Export");
    s.Click("ExportDDS");
    s.prompts.boxes.clear();
    const auto working_before = Snapshot(s.program);

    s.prompts.WillAnswer(answer);
    s.prompts.WillChoose(target);
    s.Click("Save_DDS_Export");

    QCOMPARE(Seen(s.prompts.boxes), QStringList{kOverwrite});
    if (answer == Answer::Yes) {
      QVERIFY(ReadWholeFile(target) == ReadWholeFile(dds));
      QCOMPARE(Snapshot(s.program / "temp/dataexport").size(), std::size_t{1});
    } else {
      QVERIFY(ReadWholeFile(target) == PatternBytes(99, 13));
      QVERIFY(Snapshot(s.program) == working_before);
    }
  }

  // The two jobs keep to their own working files, so their steps may alternate.
  void interleavedBuildAndExport() {
    WindowSession s;
    const fs::path first = s.user / "first.dds";
    const fs::path second = s.user / "second.dds";
    const fs::path first_bin = s.user / "first.bin";
    const fs::path second_bin = s.user / "second.bin";
    const fs::path exported = s.user / "exported.dds";
    WriteWholeFile(first, {GameTexture(14)});
    WriteWholeFile(second, {GameTexture(15)});
    s.Build(first, "League & Cup", first_bin);

    s.prompts.WillChoose(second);
    s.Choose("mnunew");
    s.prompts.WillChoose(first_bin);
    s.Choose("mnuexport");
    s.SelectPlace("Gallery");
    s.Click("CreateFile");
    s.Click("ExportDDS");
    s.prompts.WillChoose(second_bin);
    s.Click("SaveBIN");
    s.prompts.WillChoose(exported);
    s.Click("Save_DDS_Export");

    QCOMPARE(Seen(s.prompts.boxes), (QStringList{kSaved, kSaved, kSaved}));
    QVERIFY(ReadWholeFile(exported) == ReadWholeFile(first));
    QVERIFY(UnpackedPayload(second_bin) ==
            Join({s.head, ReadWholeFile(second), s.TemplateOf("Gallery")}));
  }

  // Text typed into a path box is never read: the dialog's choice is what counts.
  void typedPathIsIgnored() {
    WindowSession s;
    const fs::path typed = s.user / "typed.dds";
    const fs::path chosen = s.user / "chosen.dds";
    WriteWholeFile(typed, {GameTexture(16)});
    WriteWholeFile(chosen, {GameTexture(17)});
    s.Find<QLineEdit>("Text1")->insert(ToQString(typed));  // as pasted by the user

    s.prompts.WillChoose(chosen);
    s.Click("OpenDDS_Import");

    QCOMPARE(s.TextOf("Text1"), ToQString(chosen));
    QVERIFY(ReadWholeFile(s.Working(WorkFile::ImportTexture)) == GameTexture(17));
  }

  // A current item in the list (as after it took the focus) is no selection.
  void createFileWithoutSelectionAsks() {
    WindowSession s;
    WriteWholeFile(s.Working(WorkFile::ImportTexture), {PatternBytes(500, 18)});
    auto* list = s.Find<QListWidget>("List1");
    list->setCurrentRow(2, QItemSelectionModel::NoUpdate);
    QVERIFY(list->currentItem() && list->selectedItems().isEmpty());
    const auto before = Snapshot(s.program);

    s.Click("CreateFile");

    QCOMPARE(Seen(s.prompts.boxes), QStringList{"Data... | 64 | Please Select A Data From List"});
    QVERIFY(Snapshot(s.program) == before);
  }

  void stepsOutOfOrderAreToldNotFailed() {
    WindowSession s;
    s.SelectPlace("Extra-Content");
    s.Click("CreateFile");
    s.Click("ExportDDS");

    QCOMPARE(Seen(s.prompts.boxes), (QStringList{"Data... | 64 | Please Open A DDS File First",
                                                 "Data... | 64 | Please Open A BIN File First"}));
    QCOMPARE(Snapshot(s.program / "temp/dataimport").size(), std::size_t{0});
    QCOMPARE(Snapshot(s.program / "temp/dataexport").size(), std::size_t{0});
  }

  // After a file that is no menu texture file, no earlier payload can be exported.
  void invalidMenuFileLeavesNothingToExport() {
    WindowSession s;
    const fs::path dds = s.user / "t.dds";
    const fs::path good = s.user / "good.bin";
    const fs::path bad = s.user / "bad.bin";
    WriteWholeFile(dds, {GameTexture(19)});
    WriteWholeFile(bad, {PatternBytes(40, 20)});
    s.Build(dds, "Master League", good);
    s.prompts.WillChoose(good);
    s.Click("Open_Bin_Export");
    s.prompts.boxes.clear();

    s.prompts.WillChoose(bad);
    s.Click("Open_Bin_Export");
    s.Click("ExportDDS");

    QCOMPARE(Seen(s.prompts.boxes),
             (QStringList{"Error... | 16 | The Selected File Is Not A Valid BIN File",
                          "Data... | 64 | Please Open A BIN File First"}));
    QCOMPARE(s.TextOf("Text3"), ToQString(bad));
    QVERIFY(!FileExists(s.Working(WorkFile::ExportTexture)));
  }

  // The window alone takes a game file's blocks; the next build carries them and says nothing.
  void blocksTakenInTheWindowGoIntoTheNextBuild() {
    WindowSession s;
    for (const char* shipped : {"temp/dataentery/TOPDATA1", "temp/dataentery/EXDATA"}) {
      fs::copy_file(fs::path(FRONDEL_DATA_DIR) / shipped, WorkingPath(s.program, shipped),
                    fs::copy_options::overwrite_existing);
    }
    const fs::path dds = s.user / "t.dds";
    const fs::path game = s.user / u8"game é.bin";
    WriteWholeFile(dds, {GameTexture(30)});
    const Bytes game_head = PatternBytes(48, 31), game_template = PatternBytes(5000, 33);
    WriteWholeFile(game,
                   {PackMenuBytes(Zlib(), Join({game_head, GameTexture(32), game_template}))});

    s.Choose("mnutakeblocks");
    s.prompts.WillChoose(game);
    s.Click("Open_Bin_Export");
    s.Choose("mnutakeblocks");
    s.prompts.WillChoose(dds);
    s.Click("OpenDDS_Import");
    s.SelectPlace("Exhibition");
    s.Click("CreateFile");
    s.prompts.WillAnswer(Answer::Yes);
    s.Choose("mnutakeblocks");
    s.Click("CreateFile");

    QCOMPARE(Seen(s.prompts.boxes),
             (QStringList{"Data... | 64 | Please Open A BIN File First",
                          "Data... | 64 | Please Select A Data From List",
                          "Data... | 64 | Built With Stand-in Blocks For Exhibition.\r\nThe Game "
                          "Will Not Read This File: Take The Game's Own Blocks First (Blocks > "
                          "Take Blocks From Opened File).",
                          "Blocks... | 68 | Take The Game's Blocks For Exhibition From \"game "
                          "\xc3\xa9.bin\"?",
                          "Blocks... | 64 | Blocks Taken For Exhibition From \"game \xc3\xa9.bin\"."
                          "\r\nHead Block: Replaced The Stand-in\r\nTemplate: Replaced The "
                          "Stand-in"}));
    QVERIFY(ReadWholeFile(s.Working(WorkFile::ImportPayload)) ==
            Join({game_head, GameTexture(30), game_template}));
  }

  void importAPicture_data() {
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("told");  // the box after the question
    QTest::newRow("converted") << false << Answer::Yes << QString();
    QTest::newRow("not converted")
        << false << Answer::No
        << "Convert... | 64 | A picture must be converted to the game's layout before it can be "
           "used.";
    QTest::newRow("damaged") << true << Answer::Yes
                             << "Error... | 16 | Could not convert \"<root>/user's files \u00f1/"
                                "picture.png\": the picture is damaged or of a variant that "
                                "cannot be read.";
  }

  // A picture is converted only when the user agrees; otherwise, or when it cannot be read,
  // the build job is left without a texture. The user's file never changes.
  void importAPicture() {
    QFETCH(bool, damaged);
    QFETCH(Answer, answer);
    QFETCH(QString, told);
    WindowSession s;
    const fs::path png = s.user / "picture.png";
    const auto picture = MakePicture(64, 48, 32, [](unsigned x, unsigned y) {
      return Rgba{std::uint8_t(x * 4), std::uint8_t(y * 5), 7, 200};
    });
    Bytes file = Encode(FIF_PNG, picture.get());
    if (damaged) file.resize(file.size() / 2);
    WriteWholeFile(png, {file});
    s.prompts.WillChoose(png);
    s.prompts.WillAnswer(answer);
    s.Click("OpenDDS_Import");

    QStringList expected{
        "Convert... | 68 | PNG 64x48\r\nThe game's menu textures are 1024x1024 32-bit DDS "
        "files.\r\nConvert it to that layout?"};
    if (!told.isEmpty()) expected.append(told);
    QCOMPARE(SeenBelowRoot(s), expected);
    QVERIFY(ReadWholeFile(png) == file);
    auto* box = s.Find<QLabel>("TextureShown");
    if (told.isEmpty()) {
      QVERIFY(DescribeTexture(ReadWholeFile(s.Working(WorkFile::ImportTexture))).is_game_layout);
      QCOMPARE(box->pixmap().size(), kPreviewBoxSize);
    } else {
      QVERIFY(!FileExists(s.Working(WorkFile::ImportTexture)));
      QCOMPARE(box->text(), QString::fromUtf8(kNotPreviewableNote));
    }
  }

  // A name ending in ".png" gets the exported texture as a PNG, every pixel and its alpha.
  void exportAsPng() {
    WindowSession s;
    const fs::path dds = s.user / "t.dds";
    const fs::path exported = s.user / "exported.PNG";
    const Bytes texture = MakeDds(DdsKind::Bgra32, 1024, 1024);
    WriteWholeFile(dds, {texture});
    s.Build(dds, "Exhibition", s.user / "m.bin");
    s.prompts.WillChoose(s.user / "m.bin");
    s.Click("Open_Bin_Export");
    s.Click("ExportDDS");
    s.prompts.WillChoose(exported);
    s.Click("Save_DDS_Export");

    QCOMPARE(Seen(s.prompts.boxes), (QStringList{kSaved, kSaved}));
    QCOMPARE(Snapshot(s.program / "temp/dataexport").size(), std::size_t{1});
    const auto back = Decode(ReadWholeFile(exported));
    QVERIFY(back && FreeImage_GetWidth(back.get()) == 1024 &&
            FreeImage_GetHeight(back.get()) == 1024);
    for (unsigned y = 0; y < 1024; ++y) {
      for (unsigned x = 0; x < 1024; ++x) {
        const std::uint8_t* p = texture.data() + 128 + 4 * (y * 1024 + x);
        if (PixelOf(back.get(), x, y) != Rgba{p[2], p[1], p[0], p[3]}) {
          QFAIL(qPrintable(QString("pixel %1, %2 differs").arg(x).arg(y)));
        }
      }
    }
  }

  // A failed file access is one critical box naming the operation, the file and the reason;
  // the path is already shown, and the window goes on working.
  void failedFileAccessIsReportedOnce() {
    WindowSession s;
    const fs::path dds = s.user / "t.dds";
    WriteWholeFile(dds, {GameTexture(21)});
    fs::remove_all(s.program / "temp/dataimport");

    s.prompts.WillChoose(dds);
    s.Click("OpenDDS_Import");

    QCOMPARE(s.prompts.boxes.size(), std::size_t{1});
    const auto& box = s.prompts.boxes[0];
    QCOMPARE(box.title, std::string("Error..."));
    QCOMPARE(box.style, BoxStyle::Critical);
    const std::string start =
        "Import DDS Failed.\r\nCould not write \"" + PathText(s.Working(WorkFile::ImportTexture));
    QVERIFY2(box.text.starts_with(start), box.text.c_str());
    QVERIFY2(box.text.ends_with(": No such file or directory."), box.text.c_str());
    QCOMPARE(s.TextOf("Text1"), ToQString(dds));
    QVERIFY(s.form.isVisible());

    fs::create_directories(s.program / "temp/dataimport");
    s.prompts.WillChoose(dds);
    s.Click("OpenDDS_Import");
    QCOMPARE(s.prompts.boxes.size(), std::size_t{1});
    QVERIFY(ReadWholeFile(s.Working(WorkFile::ImportTexture)) == GameTexture(21));
  }
};

}  // namespace frondel::testing

QTEST_MAIN(frondel::testing::MainFormFlowTest)
#include "main_form_flow_test.moc"
