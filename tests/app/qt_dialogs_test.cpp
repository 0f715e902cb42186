// The Qt half of the platform layer: the real dialogs and boxes, driven as a user would.
#include "app/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "app/qt_text.h"
#include "app/start_command.h"
#include "platform/executable_folder.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "support/temp_folder.h"

Q_DECLARE_METATYPE(frondel::DialogKind)

namespace frondel::testing {
namespace {

namespace fs = std::filesystem;

// Calls `act` with the modal window as soon as one is shown.
void WhenModal(std::function<void(QWidget*)> act) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      poll->stop();
      poll->deleteLater();
      act(modal);
    }
  });
  poll->start();
}

}  // namespace

class QtDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

  void messageBox_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("shown_title");
    QTest::addColumn<int>("answer");
    const int ok = QMessageBox::Ok;
    const int yes = QMessageBox::Yes;
    const int no = QMessageBox::No;
    const int yes_no = yes | no;
    const int critical = QMessageBox::Critical;
    const int information = QMessageBox::Information;
    QTest::newRow("critical") << 16 << "Error..." << ok << critical << ok << "Error..." << 1;
    QTest::newRow("information") << 64 << "Save..." << ok << information << ok << "Save..." << 1;
    QTest::newRow("yes") << 68 << "Frondel" << yes << information << yes_no << "Frondel" << 6;
    QTest::newRow("no") << 68 << "Frondel" << no << information << yes_no << "Frondel" << 7;
    QTest::newRow("escape") << 68 << "Frondel" << int(Qt::Key_Escape) << information << yes_no
                            << "Frondel" << 7;
  }

  void messageBox() {
    QFETCH(int, style);
    QFETCH(QString, title);
    QFETCH(int, press);
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QFETCH(QString, shown_title);
    QFETCH(int, answer);
    TempFolder scratch;
    QSettings folders(ToQString(scratch / "settings.ini"), QSettings::IniFormat);
    QtDialogs dialogs(folders);
    QString seen_title;
    QString seen_text;
    int seen_icon = -1;
    int seen_buttons = -1;
    int seen_default = -1;
    WhenModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box) return modal->close();
      seen_title = box->windowTitle();
      seen_text = box->text();
      seen_icon = box->icon();
      seen_buttons = box->standardButtons();
      seen_default = box->defaultButton() ? box->standardButton(box->defaultButton()) : 0;
      if (press == Qt::Key_Escape) {
        QTest::keyClick(box, Qt::Key_Escape);
      } else {
        box->button(QMessageBox::StandardButton(press))->click();
      }
      return true;
    });

    const Answer got =
        dialogs.ShowBox("First line\r\nsecond \u00fc line", BoxStyle(style), title.toStdString());

    QCOMPARE(int(got), answer);
    QCOMPARE(seen_title, shown_title);
    QCOMPARE(seen_text, QString::fromUtf8("First line\nsecond \u00fc line"));
    QCOMPARE(seen_icon, icon);
    QCOMPARE(seen_buttons, buttons);
    if (style == 68) QCOMPARE(seen_default, int(QMessageBox::Yes));
  }

  void fileDialog_data() {
    QTest::addColumn<DialogKind>("kind");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("accept");
    QTest::newRow("open") << DialogKind::Open << true << true;
    QTest::newRow("open cancelled") << DialogKind::Open << true << false;
    QTest::newRow("save new") << DialogKind::Save << false << true;
    QTest::newRow("save over") << DialogKind::Save << true << true;
    QTest::newRow("save cancelled") << DialogKind::Save << false << false;
  }

  // The dialog takes the text's filter, asks nothing of its own, and gives the full path.
  void fileDialog() {
    QFETCH(DialogKind, kind);
    QFETCH(bool, exists);
    QFETCH(bool, accept);
    TempFolder folder(fs::temp_directory_path(), "frondel dialog \xc3\xa9");
    const fs::path chosen = folder / u8"my texture \u00fc \u30d5.dds";
    if (exists) WriteWholeFile(chosen, {Bytes{1, 2, 3}});
    QSettings folders(ToQString(folder / "settings.ini"), QSettings::IniFormat);
    QtDialogs dialogs(folders);
    QStringList filters;
    QFileDialog::AcceptMode mode{};
    bool asks_overwrite = true;
    QString suffix = "unset";
    WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (!dialog) return modal->close();
      filters = dialog->nameFilters();
      mode = dialog->acceptMode();
      asks_overwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
      suffix = dialog->defaultSuffix();
      if (!accept) return dialog->close();
      // Typed into the file name box, as a user may, so no folder listing has to load first.
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(ToQString(chosen));
      static_cast<QDialog*>(dialog)->accept();
      return true;
    });

    const std::optional<fs::path> got = dialogs.ChooseFile({kind, "*.dds|*.dds", "CommonDialog1"});

    QCOMPARE(got, accept ? std::optional<fs::path>(chosen) : std::nullopt);
    QCOMPARE(filters, QStringList{"*.dds (*.dds)"});
    QCOMPARE(mode, kind == DialogKind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (kind == DialogKind::Save) QVERIFY(!asks_overwrite);
    QVERIFY(suffix.isEmpty());
  }

  // Each dialog starts where it was last used; the first time, and when that folder or the
  // settings are gone, in the user's Pictures, else home.
  void startFolder() {
    TempFolder home(fs::temp_directory_path(), u8"frondel home \u00fc");
    const QByteArray real_home = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home.path().string()));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((home / ".config").string()));
    const fs::path pictures = home / "Pictures";
    const fs::path used = home / u8"used \u00e9";
    fs::create_directories(used);
    // Where the dialog starts; it is cancelled there, or `choose` is typed and accepted.
    const auto starts_in = [](QtDialogs& dialogs, const char* dialog,
                              const std::optional<fs::path>& choose) {
      QString start;
      WhenModal([&](QWidget* modal) {
        auto* shown = qobject_cast<QFileDialog*>(modal);
        if (!shown) return modal->close();
        start = shown->directory().absolutePath();
        if (!choose) return shown->close();
        shown->findChild<QLineEdit*>("fileNameEdit")->setText(ToQString(*choose));
        static_cast<QDialog*>(shown)->accept();
        return true;
      });
      dialogs.ChooseFile({DialogKind::Save, "*.bin|*.bin", dialog});
      return ToPath(start);
    };

    QSettings folders(ToQString(home / "settings.ini"), QSettings::IniFormat);
    QtDialogs dialogs(folders);
    QCOMPARE(starts_in(dialogs, "CommonDialog2", std::nullopt), home.path());
    fs::create_directories(pictures);
    QCOMPARE(starts_in(dialogs, "CommonDialog2", used / "built.bin"), pictures);
    QCOMPARE(starts_in(dialogs, "CommonDialog2", std::nullopt), used);
    QCOMPARE(starts_in(dialogs, "CommonDialog4", std::nullopt), pictures);
    // Kept between runs: a new start reads the same settings.
    QSettings next_run(ToQString(home / "settings.ini"), QSettings::IniFormat);
    QtDialogs next_dialogs(next_run);
    QCOMPARE(starts_in(next_dialogs, "CommonDialog2", std::nullopt), used);
    fs::remove_all(used);
    QCOMPARE(starts_in(next_dialogs, "CommonDialog2", std::nullopt), pictures);

    fs::create_directories(home / "unreadable.ini");
    QSettings unreadable(ToQString(home / "unreadable.ini"), QSettings::IniFormat);
    QtDialogs unreadable_dialogs(unreadable);
    QCOMPARE(starts_in(unreadable_dialogs, "CommonDialog2", pictures / "a.bin"), pictures);
    qputenv("HOME", real_home);
    qunsetenv("XDG_CONFIG_HOME");
  }

  void filter_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("qt");
    QTest::newRow("dds") << "*.dds|*.dds"
                         << "*.dds (*.dds)";
    QTest::newRow("bin") << "*.bin|*.bin"
                         << "*.bin (*.bin)";
    QTest::newRow("two entries") << "Textures|*.dds;*.bmp|All files|*.*"
                                 << "Textures (*.dds *.bmp);;All files (*.*)";
    QTest::newRow("no pattern") << "*.bin"
                                << "*.bin (*.bin)";
  }

  void filter() {
    QFETCH(QString, text);
    QFETCH(QString, qt);
    QCOMPARE(QtFilter(text.toStdString()), qt);
  }

  void pathText_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("blanks") << "/tmp/a folder/the file.bin";
    QTest::newRow("outside ASCII") << QString::fromUtf8("/tmp/\u00fcn\u00ef \u20ac/\u30d5.dds");
    QTest::newRow("relative") << "temp/dataimport/texture.dds";
    QTest::newRow("empty") << "";
  }

  void pathText() {
    QFETCH(QString, text);
    const QByteArray utf8 = text.toUtf8();
    const fs::path path(std::u8string(utf8.begin(), utf8.end()));
    QCOMPARE(ToQString(path), text);
    QCOMPARE(ToPath(text), path);
  }

  void programFolderIsTheExecutablesFolder() {
    QCOMPARE(ExecutableFolder(), fs::canonical("/proc/self/exe").parent_path());
  }

  void startCommand() {
    StartCommand({"true", {"an argument"}});
    try {
      StartCommand({"/no/such/program", {}});
      QFAIL("a missing program started");
    } catch (const FileError& error) {
      QCOMPARE(error.action(), std::string("start"));
      QCOMPARE(error.path(), fs::path("/no/such/program"));
    }
  }

  // The items in a list, the first selected; the chosen one's index, or none on a cancel.
  void itemList() {
    TempFolder scratch;
    QSettings folders(ToQString(scratch / "settings.ini"), QSettings::IniFormat);
    QtDialogs dialogs(folders);
    const std::vector<std::string> items{"1   2026-12-07 21:50:10   /a/x.bin",
                                         "2   2026-12-07 21:50:11   /b/\u00fc.bin"};
    for (const bool accept : {true, false}) {
      QString title;
      QStringList shown;
      WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        auto* list = modal->findChild<QListView*>();
        if (!dialog || !list) return modal->close();
        title = dialog->windowTitle();
        for (int row = 0; row < list->model()->rowCount(); ++row) {
          shown << list->model()->index(row, 0).data().toString();
        }
        if (list->currentIndex().row() != 0) return modal->close();
        list->setCurrentIndex(list->model()->index(1, 0));
        accept ? dialog->accept() : dialog->reject();
        return true;
      });
      const std::optional<std::size_t> chosen = dialogs.ChooseItem("Backups", "Choose:", items);
      QCOMPARE(title, QStringLiteral("Backups"));
      QCOMPARE(shown, (QStringList{TextToQString(items[0]), TextToQString(items[1])}));
      QCOMPARE(chosen, accept ? std::optional<std::size_t>(1) : std::nullopt);
    }
  }

  void webAddressOpener() {
    QCOMPARE(OpenAddressCommand("https://example.org/frondel"),
             (Command{"xdg-open", {"https://example.org/frondel"}}));
  }
};

}  // namespace frondel::testing

QTEST_MAIN(frondel::testing::QtDialogsTest)
#include "qt_dialogs_test.moc"
