// The help window: its layout, its life from the menu to the title-bar close button, the
// tutorial pictures read at each click, and how it ends the program with the main window.
#include "app/help_window.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include "app/picture_file.h"
#include "app/qt_text.h"
#include "platform/file_error.h"
#include "platform/little_endian.h"
#include "support/program_folder.h"
#include "window_session.h"

namespace frondel::testing {
namespace {

namespace fs = std::filesystem;

// Every help window there is, loaded or waiting to be deleted.
QList<Help*> HelpWindows() {
  QList<Help*> found;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* help = qobject_cast<Help*>(window)) found.append(help);
  }
  return found;
}

// Chooses "Help & Support Center" and returns the one help window.
Help* OpenHelp(WindowSession& s) {
  s.Choose("mnuhelp");
  const QList<Help*> windows = HelpWindows();
  if (windows.size() != 1) qFatal("%d help windows", static_cast<int>(windows.size()));
  return windows.front();
}

template <typename Widget = QWidget>
Widget* In(QWidget* window, const char* name) {
  auto* widget = window->findChild<Widget*>(QString::fromUtf8(name));
  if (!widget) qFatal("no widget %s", name);
  return widget;
}

void Click(QWidget* window, const char* button) {
  QTest::mouseClick(In<QPushButton>(window, button), Qt::LeftButton);
}

QImage PictureIn(Help* help) { return In<QLabel>(help, "Image1")->pixmap().toImage(); }

// Four colours in the four quadrants, so a picture shown turned, cut or shifted is caught.
const QColor kQuadrants[2][2] = {{Qt::red, Qt::green}, {Qt::blue, Qt::yellow}};

QImage Quadrants(QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) {
      picture.setPixelColor(x, y, kQuadrants[y >= size.height() / 2][x >= size.width() / 2]);
    }
  }
  return picture;
}

QImage Plain(QColor colour) {
  QImage picture(64, 48, QImage::Format_RGB32);
  picture.fill(colour);
  return picture;
}

fs::path TutorialFile(const WindowSession& s, int number) {
  return s.program / "temp" / "help" / (std::to_string(number) + ".jpg");
}

void WriteJpeg(const fs::path& file, const QImage& picture) {
  fs::create_directories(file.parent_path());
  if (!picture.save(ToQString(file), "JPG", 100)) qFatal("cannot write %s", file.c_str());
}

// JPEG keeps colours only roughly.
bool Alike(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24 &&
         std::abs(a.blue() - b.blue()) < 24;
}

// Runs the event loop over `steps` (each run `after` ms from the start) until the application
// quits or two seconds pass; true if it quit.
bool QuitsOver(const std::vector<std::pair<int, std::function<void()>>>& steps) {
  QTimer give_up;
  give_up.setSingleShot(true);
  QObject::connect(&give_up, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  give_up.start(2000);
  for (const auto& [after, step] : steps) QTimer::singleShot(after, step);
  return QCoreApplication::exec() == 0;
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void window() {
    WindowSession s;
    Help* help = OpenHelp(s);
    QCOMPARE(help->windowTitle(), QString("Help - Frondel By Tavrin"));
    QCOMPARE(help->size(), QSize(974, 628));
    QCOMPARE(help->minimumSize(), help->maximumSize());
    QVERIFY(help->isWindow() && !help->parentWidget());
    QCOMPARE(help->windowModality(), Qt::NonModal);
    QVERIFY(help->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(help->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(help->windowFlags() & Qt::WindowMaximizeButtonHint));
    const QPoint off_centre =
        help->frameGeometry().center() - help->screen()->availableGeometry().center();
    QVERIFY2(std::abs(off_centre.x()) <= 3 && std::abs(off_centre.y()) <= 3,
             qPrintable(QString("%1, %2").arg(off_centre.x()).arg(off_centre.y())));
    QVERIFY(PictureIn(help).isNull());
    QVERIFY(In<QLabel>(help, "Image1")->hasScaledContents());
    // Not modal: the main window still answers while the help window is open.
    s.Choose("mnuauthor");
    QCOMPARE(s.dialogs.boxes.size(), std::size_t{1});
  }

  void controlPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
    const auto row = [](const char* name, const char* kind, const char* container, QRect place,
                        const char* caption) {
      QTest::newRow(name) << name << kind << container << place << caption;
    };
    row("Image1", "QLabel", "Help", {0, 0, 761, 625}, "");
    row("GroupBox1", "QGroupBox", "Help", {768, 16, 201, 153}, "Tutorial Selection");
    row("PushButton1", "QPushButton", "GroupBox1", {8, 24, 185, 33}, "Tuto1");
    row("PushButton2", "QPushButton", "GroupBox1", {8, 64, 185, 33}, "Tuto2");
    row("PushButton3", "QPushButton", "GroupBox1", {8, 104, 185, 33}, "Tuto3");
    row("PushButton4", "QPushButton", "Help", {768, 584, 201, 33}, "Close");
  }

  void controlPlace() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    WindowSession s;
    QWidget* control = In(OpenHelp(s), name.toUtf8().constData());
    QCOMPARE(control->metaObject()->className(), kind);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->geometry(), place);
    QVERIFY(control->isVisible());
    if (auto* frame = qobject_cast<QGroupBox*>(control)) QCOMPARE(frame->title(), caption);
    if (auto* button = qobject_cast<QPushButton*>(control)) QCOMPARE(button->text(), caption);
  }

  void focusOrder() {
    WindowSession s;
    Help* help = OpenHelp(s);
    QVERIFY(QTest::qWaitForWindowActive(help));
    In(help, "PushButton1")->setFocus();
    QStringList order;
    for (int i = 0; i < 5; ++i) {
      order.append(QApplication::focusWidget()->objectName());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, (QStringList{"PushButton1", "PushButton2", "PushButton3", "PushButton4",
                                 "PushButton1"}));
  }

  // Not loaded, visible, hidden, visible again with the same picture; the title-bar close
  // button unloads the window and the next opening starts with an empty box.
  void stateTable() {
    WindowSession s;
    WriteJpeg(TutorialFile(s, 2), Plain(Qt::red));
    QVERIFY(HelpWindows().isEmpty());

    QPointer<Help> help = OpenHelp(s);
    QVERIFY(help->isVisible());
    Click(help, "PushButton2");
    const QImage shown = PictureIn(help);
    QVERIFY(Alike(shown.pixelColor(10, 10), Qt::red));

    Click(help, "PushButton4");
    QVERIFY(help && !help->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    QCOMPARE(PictureIn(help), shown);

    QCOMPARE(OpenHelp(s), help.data());
    QVERIFY(help->isVisible());
    QCOMPARE(PictureIn(help), shown);

    help->close();
    QTRY_VERIFY(help.isNull());
    QVERIFY(HelpWindows().isEmpty());
    QVERIFY(PictureIn(OpenHelp(s)).isNull());
    QVERIFY(s.dialogs.boxes.empty());
  }

  // However often the command is chosen, and from whichever state, there is one help window,
  // shown, in front and not minimized.
  void oneWindowBroughtForward() {
    WindowSession s;
    Help* help = OpenHelp(s);
    QVERIFY(QTest::qWaitForWindowActive(help));
    s.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    QCOMPARE(OpenHelp(s), help);
    QVERIFY(QTest::qWaitForWindowActive(help));

    help->showMinimized();
    QCOMPARE(OpenHelp(s), help);
    QVERIFY(!help->isMinimized());

    Click(help, "PushButton4");
    QCOMPARE(OpenHelp(s), help);
    QVERIFY(help->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(help));
  }

  void pictureOfAnyShapeFillsTheBox_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("the box's own") << QSize(761, 625);
    QTest::newRow("tall and thin") << QSize(16, 400);
    QTest::newRow("wide and flat") << QSize(900, 16);
    QTest::newRow("small") << QSize(8, 8);
    QTest::newRow("larger than the box") << QSize(1600, 1300);
  }

  void pictureOfAnyShapeFillsTheBox() {
    QFETCH(QSize, size);
    WindowSession s;
    WriteJpeg(TutorialFile(s, 3), Quadrants(size));
    Help* help = OpenHelp(s);
    Click(help, "PushButton3");
    const QImage box = In(help, "Image1")->grab().toImage();
    QCOMPARE(box.size(), QSize(761, 625));
    // Each quadrant of the picture covers the same quadrant of the box, edges included.
    const int xs[2][2] = {{3, 186}, {574, 757}};
    const int ys[2][2] = {{3, 153}, {469, 621}};
    for (int row = 0; row < 2; ++row) {
      for (int column = 0; column < 2; ++column) {
        for (int x : xs[column]) {
          for (int y : ys[row]) {
            QVERIFY2(Alike(box.pixelColor(x, y), kQuadrants[row][column]),
                     qPrintable(QString("at %1, %2").arg(x).arg(y)));
          }
        }
      }
    }
  }

  // Each click reads the file again, so a picture replaced on disk shows at the next click.
  void eachClickReadsTheFile() {
    WindowSession s;
    WriteJpeg(TutorialFile(s, 1), Plain(Qt::blue));
    Help* help = OpenHelp(s);
    Click(help, "PushButton1");
    QVERIFY(Alike(PictureIn(help).pixelColor(5, 5), Qt::blue));
    WriteJpeg(TutorialFile(s, 1), Plain(Qt::yellow));
    Click(help, "PushButton1");
    QVERIFY(Alike(PictureIn(help).pixelColor(5, 5), Qt::yellow));
    QVERIFY(s.dialogs.boxes.empty());
  }

  // A missing or undecodable picture is told once, with the file and the reason, and the box
  // keeps the picture it showed.
  void pictureThatCannotBeReadIsToldOnce() {
    WindowSession s;
    WriteJpeg(TutorialFile(s, 1), Plain(Qt::green));
    WriteWholeFile(TutorialFile(s, 3), {PatternBytes(3000, 9)});
    Help* help = OpenHelp(s);
    Click(help, "PushButton1");
    const QImage shown = PictureIn(help);

    Click(help, "PushButton2");
    Click(help, "PushButton3");
    const QString folder = QString::fromStdString(PathText(s.program / "temp" / "help"));
    QCOMPARE(Seen(s.dialogs.boxes),
             (QStringList{"Error... | 16 | Show Tutorial Failed.\r\nCould not read \"" + folder +
                              "/2.jpg\": No such file or directory.",
                          "Error... | 16 | Show Tutorial Failed.\r\nCould not read \"" + folder +
                              "/3.jpg\": not a picture the loader can read (Unsupported image "
                              "format)."}));
    QCOMPARE(PictureIn(help), shown);
    QVERIFY(help->isVisible());

    // A bitmap header that claims 9000x9000 pixels is refused before any pixel is read.
    Bytes huge(54, 0);
    huge[0] = 'B';
    huge[1] = 'M';
    PutU32(huge, 10, 54);
    PutU32(huge, 14, 40);
    PutU32(huge, 18, 9000);
    PutU32(huge, 22, 9000);
    huge[26] = 1;
    huge[28] = 24;
    WriteWholeFile(TutorialFile(s, 2), {huge});
    s.dialogs.boxes.clear();
    Click(help, "PushButton2");
    QCOMPARE(Seen(s.dialogs.boxes),
             QStringList{"Error... | 16 | Show Tutorial Failed.\r\nCould not read \"" + folder +
                         "/2.jpg\": the picture is larger than 8192x8192 pixels."});
    QCOMPARE(PictureIn(help), shown);
  }

  void closingTheMainWindowWithHelpHiddenEndsTheProgram() {
    WindowSession s;
    Click(OpenHelp(s), "PushButton4");
    QVERIFY(QuitsOver({{0, [&] { s.form.close(); }}}));
  }

  // With the help window open the program goes on without its main window, and ends when the
  // help window is closed with its title-bar button.
  void closingTheMainWindowWithHelpVisibleWaitsForHelp() {
    WindowSession s;
    QPointer<Help> help = OpenHelp(s);
    bool ran_on = false;
    QVERIFY(QuitsOver({{0, [&] { s.form.close(); }}, {300, [&] {
                                                        ran_on = help && help->isVisible() &&
                                                                 !s.form.isVisible();
                                                        help->close();
                                                      }}}));
    QVERIFY(ran_on);
  }

  // "Close" with the main window closed shows the main window again: the program is never
  // left running with no window at all.
  void closeBringsBackAClosedMainWindow() {
    WindowSession s;
    Help* help = OpenHelp(s);
    s.form.close();
    Click(help, "PushButton4");
    QVERIFY(!help->isVisible());
    QVERIFY(s.form.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
  }

  void theShippedTutorialsLoadAndDiffer() {
    testing::ProgramFolder program;
    ScriptedDialogs dialogs;
    QSettings settings(ToQString(program.path() / "settings.ini"), QSettings::IniFormat);
    MainForm form(program.path(), dialogs, settings, [](const Command&) {});
    form.findChild<QAction*>("mnuhelp")->trigger();
    Help* help = HelpWindows().at(0);
    QList<QImage> shown;
    for (const char* button : {"PushButton1", "PushButton2", "PushButton3"}) {
      Click(help, button);
      shown.append(PictureIn(help));
      QCOMPARE(shown.back().size(), QSize(761, 625));
    }
    QVERIFY(dialogs.boxes.empty());
    QVERIFY(shown[0] != shown[1] && shown[1] != shown[2] && shown[0] != shown[2]);
    QCOMPARE(QImageReader(ToQString(program / "temp/help/1.jpg")).format(), QByteArray("jpeg"));
  }

  void bothWindowsShowTheProgramIcon() {
    WindowSession s;
    Help* help = OpenHelp(s);
    const QImage drawn(QStringLiteral(FRONDEL_SOURCE_DIR "/icons/frondel-32.png"));
    QVERIFY(!drawn.isNull());
    for (QWidget* window : {static_cast<QWidget*>(&s.form), static_cast<QWidget*>(help)}) {
      const QIcon icon = window->windowIcon();
      for (int side : {16, 32, 48, 256}) QVERIFY(icon.availableSizes().contains(QSize(side, side)));
      QCOMPARE(icon.pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
               drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
  }
};

}  // namespace frondel::testing

QTEST_MAIN(frondel::testing::HelpWindowTest)
#include "help_window_test.moc"
