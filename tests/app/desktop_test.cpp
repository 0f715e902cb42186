// The window as a desktop program: files dropped on it or given on the command line take the
// same path as its dialogs.
#include <signal.h>

#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLocalSocket>
#include <QMimeData>
#include <QProcess>
#include <QSysInfo>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "app/command_line.h"
#include "app/qt_text.h"
#include "app/single_instance.h"
#include "window_session.h"

Q_DECLARE_METATYPE(frondel::StartRequest::Kind)

namespace frondel::testing {
namespace {

namespace fs = std::filesystem;

// Drags `urls` over `target` and drops them, as a file manager would; true if it was taken.
bool DropOn(QWidget* target, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  const QPointF inside(target->width() / 2.0, target->height() / 2.0);
  QDragEnterEvent enter(inside.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
  QCoreApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(inside, Qt::CopyAction, &data, Qt::LeftButton, {});
  QCoreApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

// A session whose user folder holds a texture and the menu file built from it, also under
// two other names.
void MakeUserFiles(WindowSession& s) {
  WriteWholeFile(s.user / "t.dds", {GameTexture(4)});
  s.Build(s.user / "t.dds", "Gallery", s.user / "menu.bin");
  for (const char* copy : {"MENU.BIN", "menu.bin.txt"})
    fs::copy_file(s.user / "menu.bin", s.user / copy);
  s.dialogs.boxes.clear();
  s.dialogs.dialogs.clear();
}

// What a session shows and holds, with its own folder written as "<root>".
QStringList Outcome(WindowSession& s) {
  QStringList seen = Seen(s.dialogs.boxes);
  for (const char* box : {"Text1", "Text2", "Text3", "Text4"}) seen.append(s.TextOf(box));
  for (const auto& [name, bytes] : Snapshot(s.program)) {
    seen.append(QString::fromStdString(name) + " " + QString::number(bytes.size()));
  }
  seen.append(s.Find<QLabel>("TextureShown")->text());
  return seen.replaceInStrings(ToQString(s.root.path()), "<root>");
}

// A program folder of its own for the built frondel: the program beside its working folders.
fs::path ProgramCopy(const fs::path& folder) {
  for (const char* job : {"temp/dataimport", "temp/dataexport"}) {
    fs::create_directories(folder / job);
  }
  fs::copy_file(FRONDEL_PROGRAM, folder / "frondel");
  return folder;
}

// Starts `folder`'s frondel with `file`, on the offscreen platform.
std::unique_ptr<QProcess> StartProgram(const fs::path& root, const fs::path& folder,
                                       const fs::path& file) {
  auto process = std::make_unique<QProcess>();
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("XDG_CONFIG_HOME", ToQString(root / "config"));
  process->setProcessEnvironment(environment);
  process->start(ToQString(folder / "frondel"), {ToQString(file)});
  return process;
}

// True once `folder`'s frondel has imported `file`.
bool Imports(const fs::path& folder, const fs::path& file) {
  const fs::path copy = WorkingPath(folder, WorkFile::ImportTexture);
  return QTest::qWaitFor(
      [&] { return FileExists(copy) && ReadWholeFile(copy) == ReadWholeFile(file); }, 10000);
}

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  // A file dropped on a frame or given from outside (the command line, a later start) takes
  // the very steps of the job's dialog.
  void fileFromOutsideDoesWhatTheDialogDoes_data() {
    QTest::addColumn<QString>("target");       // where it is dropped; none: given from outside
    QTest::addColumn<QStringList>("dropped");  // below the user folder; "http:" is remote
    QTest::addColumn<QString>("button");       // the dialog's button, or none when refused
    QTest::addColumn<QString>("chosen");
    const auto row = [](const char* name, const char* target, QStringList dropped,
                        const char* button, const char* chosen) {
      QTest::newRow(name) << target << dropped << button << chosen;
    };
    row("build frame", "GroupBox3", {"t.dds"}, "OpenDDS_Import", "t.dds");
    row("preview box", "TextureShown", {"t.dds"}, "OpenDDS_Import", "t.dds");
    row("export frame", "GroupBox4", {"menu.bin"}, "Open_Bin_Export", "menu.bin");
    row("first of several", "GroupBox3", {".", "http:", "menu.bin", "t.dds"}, "OpenDDS_Import",
        "menu.bin");
    row("folder", "GroupBox4", {"."}, "", "");
    row("remote", "GroupBox3", {"http:"}, "", "");
    row("given menu file", "", {"menu.bin"}, "Open_Bin_Export", "menu.bin");
    row("given in capitals", "", {"MENU.BIN"}, "Open_Bin_Export", "MENU.BIN");
    row("given texture", "", {"t.dds"}, "OpenDDS_Import", "t.dds");
    row("given other file", "", {"menu.bin.txt"}, "OpenDDS_Import", "menu.bin.txt");
  }

  void fileFromOutsideDoesWhatTheDialogDoes() {
    QFETCH(QString, target);
    QFETCH(QStringList, dropped);
    QFETCH(QString, button);
    QFETCH(QString, chosen);
    WindowSession from_outside;
    WindowSession by_dialog;
    MakeUserFiles(from_outside);
    MakeUserFiles(by_dialog);
    QList<QUrl> urls;
    for (const QString& name : dropped) {
      urls.append(name == "http:"
                      ? QUrl("https://example.org/t.dds")
                      : QUrl::fromLocalFile(ToQString(from_outside.user / ToPath(name))));
    }
    if (target.isEmpty()) {
      from_outside.form.presenter().FileGiven(ToPath(urls[0].toLocalFile()));
    } else {
      QCOMPARE(DropOn(from_outside.Find(target.toUtf8().constData()), urls), !button.isEmpty());
    }

    if (!button.isEmpty()) {
      by_dialog.dialogs.WillChoose(by_dialog.user / ToPath(chosen));
      by_dialog.Click(button.toUtf8().constData());
    }
    QCOMPARE(Outcome(from_outside), Outcome(by_dialog));
    QVERIFY(from_outside.dialogs.dialogs.empty());
  }

  // The built program: a second start from the same folder hands its file to the first and
  // ends; one from another folder runs on its own; a killed first start does not block the next.
  void oneProgramPerFolder() {
    TempFolder root(fs::temp_directory_path(), u8"frondel one program \u00fc");
    const fs::path first = ProgramCopy(root / "first");
    const fs::path other = ProgramCopy(root / u8"other \u00e9");
    for (int i = 1; i <= 3; ++i) {
      WriteWholeFile(root / (std::to_string(i) + ".dds"), {GameTexture(i)});
    }
    const auto start = [&](const fs::path& folder, const char* file) {
      return StartProgram(root.path(), folder, root / file);
    };

    const auto leader = start(first, "1.dds");
    QVERIFY(Imports(first, root / "1.dds"));
    const auto second = start(first, "2.dds");
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(Imports(first, root / "2.dds"));
    QCOMPARE(leader->state(), QProcess::Running);

    const auto elsewhere = start(other, "3.dds");
    QVERIFY(Imports(other, root / "3.dds"));

    leader->kill();
    QVERIFY(leader->waitForFinished(10000));
    QVERIFY(FileExists(WorkingPath(first, WorkFile::InstanceLock)));
    const auto after_kill = start(first, "3.dds");
    QVERIFY(Imports(first, root / "3.dds"));
    QCOMPARE(after_kill->state(), QProcess::Running);
    QCOMPARE(elsewhere->state(), QProcess::Running);
    for (QProcess* running : {after_kill.get(), elsewhere.get()}) {
      running->kill();
      running->waitForFinished();
    }
  }

  // The end of a desktop session ends the window as Exit does: nothing is left in the
  // working folder for the next start to take over.
  void endsOnSigtermAndSighupLeavingNoLockOrSocket() {
    TempFolder root(fs::temp_directory_path(), u8"frondel end \u00fc");
    const fs::path folder = ProgramCopy(root / "program");
    WriteWholeFile(root / "1.dds", {GameTexture(1)});
    const fs::path lock = WorkingPath(folder, WorkFile::InstanceLock);
    for (const int signal : {SIGTERM, SIGHUP}) {
      const auto program = StartProgram(root.path(), folder, root / "1.dds");
      QVERIFY(Imports(folder, root / "1.dds"));
      QVERIFY(FileExists(lock));
      QVERIFY(FileExists(fs::path(lock).replace_extension(".socket")));
      ::kill(static_cast<pid_t>(program->processId()), signal);
      QVERIFY(program->waitForFinished(10000));
      QCOMPARE(program->exitStatus(), QProcess::NormalExit);
      QCOMPARE(program->exitCode(), 0);
      QVERIFY(!FileExists(lock));
      QVERIFY(!FileExists(fs::path(lock).replace_extension(".socket")));
      fs::remove(WorkingPath(folder, WorkFile::ImportTexture));
    }
  }

  // The leader hands on a good line, refuses one that is not UTF-8, and drops an endless line
  // or a silent connection without waiting for more.
  void leaderDropsAnEndlessLineAndASilentConnection() {
    TempFolder folder;
    WriteWholeFile(folder / "t.dds", {GameTexture(1)});
    SingleInstance leader(folder / "frondel.lock");
    QVERIFY(leader.TakeLead());
    std::vector<std::optional<fs::path>> handed;
    leader.Listen([&handed](const std::optional<fs::path>& file) { handed.push_back(file); });
    const auto send = [&leader](const QByteArray& bytes) {
      auto socket = std::make_unique<QLocalSocket>();
      socket->connectToServer(leader.server_name());
      if (socket->waitForConnected(5000)) socket->write(bytes);
      return socket;
    };
    const auto endless = send(QByteArray(kLongestHandOver + 4096, 'a'));
    const auto silent = send("");
    const auto not_utf8 = send(ToQString(folder / "t.dds").toUtf8() + "\xff\n");
    const auto good = send(ToQString(folder / "t.dds").toUtf8() + '\n');
    const auto come_forward = send("\n");
    QVERIFY(
        QTest::qWaitFor([&] { return endless->state() == QLocalSocket::UnconnectedState; }, 2000));
    for (const auto* answered : {not_utf8.get(), good.get(), come_forward.get()}) {
      QVERIFY(QTest::qWaitFor([&] { return answered->state() == QLocalSocket::UnconnectedState; }));
    }
    // The lines are read as they come, in no set order.
    std::ranges::sort(handed);
    QCOMPARE(handed, (std::vector<std::optional<fs::path>>{std::nullopt, folder / "t.dds"}));
    QVERIFY(
        QTest::qWaitFor([&] { return silent->state() == QLocalSocket::UnconnectedState; }, 10000));
  }

  // A lock of another machine is taken at once; one of this machine whose program does not
  // answer is taken after the hand-over gave up.
  void aLockOfAnotherMachineOrWithoutAnAnswerIsTakenOver() {
    TempFolder folder;
    const fs::path lock = folder / "frondel.lock";
    const auto plant = [&lock](const QString& host) {
      // A program that runs: this one.
      const QByteArray text = QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
                              QCoreApplication::applicationName().toUtf8() + "\n" + host.toUtf8() +
                              "\n";
      WriteWholeFile(lock, {Bytes(text.begin(), text.end())});
    };
    plant("another-machine");
    {
      SingleInstance instance(lock);
      QVERIFY(instance.TakeLead());
    }
    QVERIFY(!FileExists(lock));

    plant(QSysInfo::machineHostName());
    SingleInstance instance(lock);
    QVERIFY(!instance.TakeLead());
    QVERIFY(!instance.HandOver(std::nullopt, std::chrono::milliseconds(300)));
    QVERIFY(instance.TakeOver());
    SingleInstance later(lock);
    QVERIFY(!later.TakeLead());
  }

  void commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<StartRequest::Kind>("kind");
    QTest::addColumn<QString>("file");
    const auto run = StartRequest::Kind::Run;
    const QString cwd = QDir::currentPath() + "/";
    QTest::newRow("nothing") << QStringList{} << run << "";
    QTest::newRow("empty") << QStringList{""} << run << "";
    QTest::newRow("relative") << QStringList{"a menu.bin"} << run << cwd + "a menu.bin";
    QTest::newRow("absolute") << QStringList{"/x/t.dds"} << run << "/x/t.dds";
    QTest::newRow("help") << QStringList{"t.dds", "--help"} << StartRequest::Kind::Help << "";
    QTest::newRow("version") << QStringList{"-v"} << StartRequest::Kind::Version << "";
    QTest::newRow("two files") << QStringList{"a", "b"} << StartRequest::Kind::Error << "";
    QTest::newRow("unknown option") << QStringList{"--nope"} << StartRequest::Kind::Error << "";
  }

  void commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(StartRequest::Kind, kind);
    QFETCH(QString, file);
    const StartRequest got = ReadCommandLine(QStringList{"frondel"} + arguments);
    QCOMPARE(got.kind, kind);
    QCOMPARE(got.file.has_value(), !file.isEmpty());
    if (got.file) QCOMPARE(ToQString(*got.file), file);
    if (kind == StartRequest::Kind::Help) QVERIFY(got.text.contains("[options] [FILE]"));
    if (kind != StartRequest::Kind::Run) QVERIFY(got.text.endsWith('\n'));
  }
};

}  // namespace frondel::testing

QTEST_MAIN(frondel::testing::DesktopTest)
#include "desktop_test.moc"
