// The preview box after imports and exports: the texture previewed last, stretched to the box,
// or the note when a texture cannot be shown, never an earlier picture.
#include <QAction>
#include <QLabel>
#include <QPixmap>
#include <QTest>

#include "app/preview_display.h"
#include "session/messages.h"
#include "support/dds_samples.h"
#include "window_session.h"

namespace frondel::testing {
namespace {

namespace fs = std::filesystem;

// The colour near a corner of the box's picture, in the quadrant colours' terms.
Colour Near(const QPixmap& picture, int x, int y) {
  const QColor c = picture.toImage().pixelColor(x, y);
  return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
          static_cast<std::uint8_t>(c.blue())};
}

bool Same(Colour a, Colour b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

}  // namespace

class MainFormPreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void importShowsTheTextureStretchedTheRightWayRound() {
    WindowSession s;
    WriteWholeFile(s.user / "square.dds", {MakeDds(DdsKind::Rgba32, 256, 256)});
    s.dialogs.WillChoose(s.user / "square.dds");
    s.dialogs.WillAnswer(Answer::No);  // not the game's layout, but a DDS: kept as it is
    s.Click("OpenDDS_Import");

    const QLabel* box = s.Find<QLabel>("TextureShown");
    const QPixmap picture = box->pixmap();
    QCOMPARE(picture.size(), kPreviewBoxSize);
    QVERIFY(Same(Near(picture, 2, 2), QuadrantColour(0, 0, 256, 256)));
    QVERIFY(Same(Near(picture, 246, 382), QuadrantColour(255, 255, 256, 256)));
    QCOMPARE(s.dialogs.boxes.size(), std::size_t{1});
    QVERIFY(ReadWholeFile(s.Working(WorkFile::ImportTexture)) ==
            MakeDds(DdsKind::Rgba32, 256, 256));
  }

  void theLaterJobsTextureWinsAndANoteReplacesIt() {
    WindowSession s;
    // An export of a file built from a 1024x1024 32-bit texture.
    const fs::path dds = s.user / "menu.dds";
    WriteWholeFile(dds, {MakeDds(DdsKind::Bgra32, 1024, 1024)});
    s.Build(dds, "Training", s.user / "menu.bin");
    s.dialogs.WillChoose(s.user / "menu.bin");
    s.Click("Open_Bin_Export");
    s.Click("ExportDDS");
    QLabel* box = s.Find<QLabel>("TextureShown");
    QCOMPARE(box->pixmap().size(), kPreviewBoxSize);
    QVERIFY(Same(Near(box->pixmap(), 2, 2), QuadrantColour(0, 0, 1024, 1024)));
    QVERIFY(box->text().isEmpty());

    // Then an import of something no preview can show: the note, and no picture, old or new.
    WriteWholeFile(s.user / "noise.dds", {PatternBytes(5000, 3)});
    s.dialogs.WillChoose(s.user / "noise.dds");
    s.Click("OpenDDS_Import");
    QVERIFY(box->pixmap().isNull());
    QCOMPARE(box->text(), QString::fromUtf8(kNotPreviewableNote));
    QVERIFY(!FileExists(s.Working(WorkFile::ImportBitmap)));

    // Saving keeps what the box shows.
    s.dialogs.WillChoose(s.user / "out.dds");
    s.Click("Save_DDS_Export");
    QCOMPARE(box->text(), QString::fromUtf8(kNotPreviewableNote));
  }

  // View > Show Transparency: checked and remembered by the window, drawn as the presenter
  // composes it, and read back by a window started later.
  void showTransparencyIsCheckedDrawnAndRemembered() {
    WindowSession s;
    QAction* item = s.Find<QAction>("mnutransparency");
    QVERIFY(item->isCheckable() && !item->isChecked());
    WriteWholeFile(s.user / "half.dds", {MakeDds(DdsKind::Bgra32, 1024, 1024)});  // alpha 128
    s.dialogs.WillChoose(s.user / "half.dds");
    s.Click("OpenDDS_Import");
    QLabel* box = s.Find<QLabel>("TextureShown");
    QVERIFY(Same(Near(box->pixmap(), 2, 2), kRed));

    s.Choose("mnutransparency");
    QVERIFY(item->isChecked());
    QCOMPARE(box->pixmap().size(), kPreviewBoxSize);
    // Red at half alpha over the dark square 8 pixels on: drawn as composed, not stretched.
    QVERIFY(Same(Near(box->pixmap(), 10, 2), Colour{204, 76, 76}));
    s.settings.sync();
    {
      QSettings again(s.settings.fileName(), QSettings::IniFormat);
      ScriptedDialogs dialogs;
      MainForm later(s.program, dialogs, again, [](const Command&) {});
      QVERIFY(later.findChild<QAction*>("mnutransparency")->isChecked());
    }

    s.Choose("mnutransparency");
    QVERIFY(!item->isChecked());
    QVERIFY(Same(Near(box->pixmap(), 2, 2), kRed));
    QCOMPARE(s.settings.value("View/ShowTransparency").toBool(), false);
    QVERIFY(s.dialogs.boxes.empty());
  }

  void previewingAgainReplacesThePicture() {
    WindowSession s;
    WriteWholeFile(s.user / "a.dds", {MakeDds(DdsKind::Dxt1, 64, 64)});
    WriteWholeFile(s.user / "b.dds", {MakeDds(DdsKind::Dxt5, 32, 128)});
    s.dialogs.WillChoose(s.user / "a.dds");
    s.Click("OpenDDS_Import");
    const QImage first = s.Find<QLabel>("TextureShown")->pixmap().toImage();
    s.dialogs.WillChoose(s.user / "b.dds");
    s.Click("OpenDDS_Import");
    const QImage second = s.Find<QLabel>("TextureShown")->pixmap().toImage();
    QCOMPARE(second.size(), kPreviewBoxSize);
    QVERIFY(first != second);
    QVERIFY(Same(Near(QPixmap::fromImage(second), 2, 2), QuadrantColour(0, 0, 32, 128)));
  }
};

}  // namespace frondel::testing

QTEST_MAIN(frondel::testing::MainFormPreviewTest)
#include "main_form_preview_test.moc"
