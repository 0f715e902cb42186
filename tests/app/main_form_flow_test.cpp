// The window's wiring: its buttons, menus and list reach the work flow, and it shows the paths
// it is told, with scripted dialogs against a program folder of the test's own. The work flow
// itself is tested without a window.
#include <QLineEdit>
#include <QTest>

#include "app/qt_text.h"
#include "codec/stream_codec.h"
#include "platform/little_endian.h"
#include "window_session.h"

namespace frondel::testing {
namespace {

namespace fs = std::filesystem;

const QString kSaved = "Save... | 64 | File Saved Succesful";

// The payload inside a menu texture file, checked header byte by header byte.
Bytes UnpackedPayload(const fs::path& menu_file) {
  const Bytes packed = ReadWholeFile(menu_file);
  if (packed.size() < 16) qFatal("menu file too short");
  const Bytes header(packed.begin(), packed.begin() + 8);
  if (header != Bytes{0x00, 0x01, 0x01, 'W', 'E', 'S', 'Y', 'S'}) qFatal("bad menu file header");
  const std::uint32_t packed_length = GetU32(packed, 8);
  if (packed_length != packed.size() - 12) qFatal("bad packed length");
  return StreamCodec().UncompressStream(ByteView(packed).subspan(12)).bytes;
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

    QCOMPARE(Seen(s.dialogs.boxes), QStringList{kSaved});
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
    s.dialogs.boxes.clear();

    s.dialogs.WillChoose(menu_file);
    s.Click("Open_Bin_Export");
    s.Click("ExportDDS");
    s.dialogs.WillChoose(exported);
    s.Click("Save_DDS_Export");

    QCOMPARE(Seen(s.dialogs.boxes), QStringList{kSaved});
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

    s.dialogs.WillCancel();
    const QByteArray name = trigger.toUtf8();
    from_menu ? s.Choose(name.constData()) : s.Click(name.constData());

    QCOMPARE(Seen(s.dialogs.boxes), QStringList{"Error... | 16 | " + message});
    QCOMPARE(s.dialogs.dialogs.size(), std::size_t{1});
    QCOMPARE(s.dialogs.dialogs[0].kind == DialogKind::Save, save);
    QCOMPARE(QString::fromStdString(s.dialogs.dialogs[0].filter), filter);
    QCOMPARE(s.TextOf(box.toUtf8().constData()), QString("typed by the user"));
    QVERIFY(Snapshot(s.root.path()) == before);
  }

  // Text typed into a path box is never read: the dialog's choice is what counts.
  void typedPathIsIgnored() {
    WindowSession s;
    const fs::path typed = s.user / "typed.dds";
    const fs::path chosen = s.user / "chosen.dds";
    WriteWholeFile(typed, {GameTexture(16)});
    WriteWholeFile(chosen, {GameTexture(17)});
    s.Find<QLineEdit>("Text1")->insert(ToQString(typed));  // as pasted by the user

    s.dialogs.WillChoose(chosen);
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

    QCOMPARE(Seen(s.dialogs.boxes), QStringList{"Data... | 64 | Please Select A Data From List"});
    QVERIFY(Snapshot(s.program) == before);
  }

  // The Blocks menu's items reach the work flow, which tells what is missing.
  void blocksMenu() {
    WindowSession s;
    s.Choose("mnutakeblocks");
    s.Choose("mnushowblocks");
    s.Choose("mnurestoreblocks");
    QCOMPARE(s.dialogs.boxes.size(), std::size_t{3});
    QCOMPARE(Seen(s.dialogs.boxes)[0], QString("Data... | 64 | Please Open A BIN File First"));
    QVERIFY(Seen(s.dialogs.boxes)[1].startsWith("Blocks... | 64 | Head Block: "));
    QCOMPARE(Seen(s.dialogs.boxes)[2],
             QString("Blocks... | 64 | There Are No Replaced Stand-in Blocks To Restore."));
  }
};

}  // namespace frondel::testing

QTEST_MAIN(frondel::testing::MainFormFlowTest)
#include "main_form_flow_test.moc"
