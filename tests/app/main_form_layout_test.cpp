// What the main window looks like and what its menus and keys lead to.
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <cstdlib>

#include "app/control_table.h"
#include "app/qt_text.h"
#include "platform/file_error.h"
#include "window_session.h"

namespace frondel::testing {
namespace {

// The words the platform shows for a caption: "&&" is one "&", a single "&" is not shown.
QString Shown(const QString& caption) {
  QString shown;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown.append(caption[i]);
  }
  return shown;
}

QString CaptionOf(QWidget* control) {
  if (auto* frame = qobject_cast<QGroupBox*>(control)) return Shown(frame->title());
  if (auto* button = qobject_cast<QPushButton*>(control)) return Shown(button->text());
  return qobject_cast<QLabel*>(control)->text();  // a label without buddy shows "&" as is
}

// Runs the event loop until the application quits or two seconds pass; true if it quit.
bool QuitsWhile(const std::function<void()>& action) {
  QTimer give_up;
  give_up.setSingleShot(true);
  QObject::connect(&give_up, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  give_up.start(2000);
  QTimer::singleShot(0, action);
  return QCoreApplication::exec() == 0;
}

}  // namespace

class MainFormLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void window() {
    WindowSession s;
    QCOMPARE(s.form.windowTitle(), QString("Frondel  V2.0.0 By Tavrin"));
    QWidget* client = s.form.centralWidget();
    QCOMPARE(client->size(), QSize(753, 451));
    QVERIFY(s.form.menuBar()->isVisible());
    QCOMPARE(client->y(), s.form.menuBar()->geometry().bottom() + 1);
    QCOMPARE(s.form.minimumSize(), s.form.maximumSize());
    QCOMPARE(s.form.size(), QSize(753, client->y() + 451));
    QVERIFY(s.form.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(s.form.windowFlags() & Qt::WindowMaximizeButtonHint));
    const QPoint centre = s.form.screen()->availableGeometry().center();
    // Centred up to the frame, whose size is known only once the window is shown.
    const QPoint off_centre = s.form.frameGeometry().center() - centre;
    QVERIFY2(std::abs(off_centre.x()) <= 3 && std::abs(off_centre.y()) <= 3,
             qPrintable(QString("%1, %2").arg(off_centre.x()).arg(off_centre.y())));
  }

  void controlPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("place");
    const auto row = [](const char* name, const char* kind, const char* container, QRect place) {
      QTest::newRow(name) << name << kind << container << place;
    };
    row("GroupBox1", "QGroupBox", "client", {5, 8, 745, 433});
    row("GroupBox3", "QGroupBox", "GroupBox1", {8, 16, 457, 225});
    row("Label2", "QLabel", "GroupBox3", {8, 28, 88, 16});
    row("Text1", "QLineEdit", "GroupBox3", {104, 24, 257, 25});
    row("OpenDDS_Import", "QPushButton", "GroupBox3", {368, 24, 81, 25});
    row("GroupBox5", "QGroupBox", "GroupBox3", {8, 56, 145, 161});
    row("List1", "QListWidget", "GroupBox5", {8, 16, 129, 108});
    row("CreateFile", "QPushButton", "GroupBox5", {8, 128, 129, 25});
    row("GroupBox6", "QGroupBox", "GroupBox3", {160, 56, 289, 97});
    row("Text2", "QLineEdit", "GroupBox6", {8, 24, 273, 25});
    row("SaveBIN", "QPushButton", "GroupBox6", {168, 56, 113, 25});
    row("GroupBox4", "QGroupBox", "GroupBox1", {8, 248, 457, 177});
    row("Label3", "QLabel", "GroupBox4", {8, 28, 82, 16});
    row("Text3", "QLineEdit", "GroupBox4", {96, 24, 265, 25});
    row("Open_Bin_Export", "QPushButton", "GroupBox4", {368, 24, 81, 25});
    row("ExportDDS", "QPushButton", "GroupBox4", {8, 64, 441, 33});
    row("GroupBox7", "QGroupBox", "GroupBox4", {8, 104, 441, 65});
    row("Label4", "QLabel", "GroupBox7", {8, 28, 89, 16});
    row("Text4", "QLineEdit", "GroupBox7", {104, 24, 249, 25});
    row("Save_DDS_Export", "QPushButton", "GroupBox7", {360, 24, 73, 25});
    row("GroupBox2", "QGroupBox", "GroupBox1", {472, 16, 265, 409});
    row("TextureShown", "QLabel", "GroupBox2", {8, 16, 249, 385});
  }

  void controlPlace() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QRect, place);
    WindowSession s;
    QWidget* control = s.Find(name.toUtf8().constData());
    QCOMPARE(control->metaObject()->className(), kind);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->geometry(), place);
    QVERIFY(control->isVisible());
  }

  void caption_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* name, const char* shown) {
      QTest::newRow(name) << name << QString::fromUtf8(shown);
    };
    row("GroupBox1", "Work State");
    row("GroupBox3", "Import & Build New One");
    row("GroupBox4", "Open & Export DDS");
    row("GroupBox5", "Select Place");
    row("GroupBox6", "Save");
    row("GroupBox7", "Save");
    row("GroupBox2", "Texture");
    row("Label2", "DDS Directory:");
    row("Label3", "BIN Directory:");
    row("Label4", "DDS Directory:");
    row("OpenDDS_Import", "Open File");
    row("CreateFile", "Create File");
    row("SaveBIN", "SaveFile");
    row("Open_Bin_Export", "Open File");
    row("ExportDDS", "Export DDS");
    row("Save_DDS_Export", "Save DDS");
  }

  void caption() {
    QFETCH(QString, name);
    QFETCH(QString, shown);
    WindowSession s;
    QCOMPARE(CaptionOf(s.Find(name.toUtf8().constData())), shown);
  }

  // The labels' font and the controls' are found as asked, not replaced by a wider fallback.
  void fontsAreFound() {
    WindowSession s;
    for (const char* name : {"Label2", "Label3", "Label4", "OpenDDS_Import", "List1"}) {
      const QFont font = s.Find(name)->font();
      QCOMPARE(QFontInfo(font).family(), font.family());
      QCOMPARE(font.weight(), QFont::Normal);
    }
    QCOMPARE(s.Find("Label2")->font(), LabelFont());
    QCOMPARE(s.Find("OpenDDS_Import")->font(), s.form.font());
    QCOMPARE(s.Find("Text1")->font(), s.form.font());
  }

  // Every caption and list item fits the room its control gives it, in the font it is drawn in.
  void captionsFit() {
    WindowSession s;
    QStringList cut;
    const auto fits = [&](QWidget* control, const QString& text, QRect room) {
      const QFontMetrics metrics(control->font());
      const bool inside = control->rect().contains(room);
      if (!inside || metrics.horizontalAdvance(text) > room.width() ||
          metrics.height() > room.height()) {
        cut.append(control->objectName() + ": " + text);
      }
    };
    for (auto* label : s.form.findChildren<QLabel*>()) {
      if (!label->text().isEmpty()) fits(label, label->text(), label->contentsRect());
    }
    for (auto* button : s.form.findChildren<QPushButton*>()) {
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = button->text();
      fits(button, Shown(button->text()),
           button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button));
    }
    for (auto* frame : s.form.findChildren<QGroupBox*>()) {
      QStyleOptionGroupBox option;
      option.initFrom(frame);
      option.text = frame->title();
      option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
      option.textAlignment = frame->alignment();
      fits(frame, Shown(frame->title()),
           frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                          frame));
    }
    auto* list = s.Find<QListWidget>("List1");
    // Item views keep a margin on both sides of an item's text.
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    for (int i = 0; i < list->count(); ++i) {
      const QRect item = list->visualItemRect(list->item(i));
      fits(list->viewport(), list->item(i)->text(),
           QRect(margin, 0, list->viewport()->width() - 2 * margin, item.height()));
    }
    QCOMPARE(cut, QStringList());
    QVERIFY(!list->horizontalScrollBar()->isVisible());
  }

  void startsEmpty() {
    WindowSession s;
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) QVERIFY(s.TextOf(name).isEmpty());
    auto* list = s.Find<QListWidget>("List1");
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items.append(list->item(i)->text());
    QCOMPARE(items, (QStringList{"Exhibition", "Champion League", "Libertadores", "Become A Legend",
                                 "Master League", "Community", "League & Cup", "Online", "Training",
                                 "Edit", "Gallery", "Extra-Content", "System Setting"}));
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QVERIFY(!list->isSortingEnabled());
    QVERIFY(list->selectedItems().isEmpty());
    auto* preview = s.Find<QLabel>("TextureShown");
    QVERIFY(preview->pixmap().isNull());
    QVERIFY(preview->text().isEmpty());
    QVERIFY(preview->hasScaledContents());
  }

  void focusOrder() {
    WindowSession s;
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    QStringList order;
    for (int i = 0; i < 12; ++i) {
      order.append(QApplication::focusWidget()->objectName());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, (QStringList{"Text1", "OpenDDS_Import", "List1", "Text2", "SaveBIN",
                                 "CreateFile", "Text3", "Open_Bin_Export", "ExportDDS", "Text4",
                                 "Save_DDS_Export", "Text1"}));
  }

  void menuStructure() {
    WindowSession s;
    // Each entry as "name=caption"; one with a shortcut, check mark, or that is a separator,
    // disabled or hidden is marked.
    const auto entries = [](const QList<QAction*>& actions) {
      QStringList seen;
      for (QAction* action : actions) {
        const bool plain = action->shortcut().isEmpty() && !action->isCheckable() &&
                           !action->isSeparator() && action->isEnabled() && action->isVisible();
        seen.append(action->objectName() + "=" + Shown(action->text()) +
                    (plain ? "" : " (not plain)"));
      }
      return seen;
    };
    QCOMPARE(entries(s.form.menuBar()->actions()),
             (QStringList{"mnufile=File", "mnuhelp1=Help", "mnucredits=Credits", "mnublocks=Blocks",
                          "mnuview=View", "mnubackups=Backups"}));
    // A single "&" marks the next character, here a blank, as the access key and is not shown.
    QCOMPARE(
        entries(s.Find<QMenu>("mnufile")->actions()),
        (QStringList{"mnunew=Open DDS  Create New", "mnuexport=Open  Export DDS", "mnuexit=Exit"}));
    QCOMPARE(entries(s.Find<QMenu>("mnuhelp1")->actions()),
             QStringList{"mnuhelp=Help  Support Center"});
    QCOMPARE(entries(s.Find<QMenu>("mnucredits")->actions()),
             (QStringList{"mnuauthor=Author", "mnuvisit=Visit"}));
    QCOMPARE(entries(s.Find<QMenu>("mnuvisit")->actions()), QStringList{"mnuorvane=Orvane"});
    QCOMPARE(entries(s.Find<QMenu>("mnublocks")->actions()),
             (QStringList{"mnutakeblocks=Take Blocks From Opened File", "mnushowblocks=Show Blocks",
                          "mnurestoreblocks=Restore Stand-in Blocks"}));
    // The one checkable item, unchecked at the first start.
    QCOMPARE(entries(s.Find<QMenu>("mnuview")->actions()),
             QStringList{"mnutransparency=Show Transparency (not plain)"});
    QVERIFY(!s.Find<QAction>("mnutransparency")->isChecked());
    QCOMPARE(entries(s.Find<QMenu>("mnubackups")->actions()),
             QStringList{"mnurestorebackup=Restore Replaced File..."});
  }

  void author() {
    WindowSession s;
    s.Choose("mnuauthor");
    QCOMPARE(
        Seen(s.dialogs.boxes),
        QStringList{
            "Frondel | 64 | Frondel  V2.0.0 By Tavrin\r\nThank's To Peltiro For His Tutorial"});
  }

  void visitStartsTheOpenerAndGoesOn() {
    WindowSession s;
    s.Choose("mnuorvane");
    QCOMPARE(s.started.size(), std::size_t{1});
    QCOMPARE(s.started[0], OpenAddressCommand("https://example.org/frondel"));
    QVERIFY(s.dialogs.boxes.empty());
  }

  void visitThatCannotStartIsReported() {
    ScriptedDialogs dialogs;
    const testing::TempFolder scratch;
    QSettings settings(ToQString(scratch / "settings.ini"), QSettings::IniFormat);
    MainForm form("unused", dialogs, settings, [](const Command& command) {
      throw FileError("start", command.program, "the program was not found or could not be run");
    });
    form.findChild<QAction*>("mnuorvane")->trigger();
    QCOMPARE(Seen(dialogs.boxes),
             QStringList{"Error... | 16 | Visit Web Site Failed.\r\nCould not start \"" +
                         QString::fromStdString(OpenAddressCommand("x").program) +
                         "\": the program was not found or could not be run."});
  }

  void exitEndsTheProgram() {
    WindowSession s;
    QWidget other;
    other.show();
    QVERIFY(QuitsWhile([&] { s.Choose("mnuexit"); }));
  }

  // A hidden second window (the help window after its Close) must not keep the program.
  void closingTheWindowEndsTheProgram() {
    WindowSession s;
    QWidget hidden;
    hidden.show();
    hidden.hide();
    QVERIFY(QuitsWhile([&] { s.form.close(); }));
  }
};

}  // namespace frondel::testing

QTEST_MAIN(frondel::testing::MainFormLayoutTest)
#include "main_form_layout_test.moc"
