#include <QApplication>
#include <QSettings>
#include <QTimer>
#include <cstdio>

#include "app/command_line.h"
#include "app/control_table.h"
#include "app/main_form.h"
#include "app/qt_dialogs.h"
#include "app/single_instance.h"
#include "app/start_command.h"
#include "blocks/working_root.h"
#include "building/working_folder.h"
#include "platform/executable_folder.h"
#include "platform/heap_tuning.h"
#include "session/messages.h"
#ifndef Q_OS_WIN
#include "app/end_signals.h"
#endif

namespace {

// A file handed over while a dialog of the window is open waits until that dialog is
// answered, so that one operation still runs to its end before the next.
void TakeHanded(frondel::MainForm& form, const std::optional<std::filesystem::path>& file) {
  if (QApplication::activeModalWidget()) {
    frondel::BringForward(QApplication::activeModalWidget());
    QTimer::singleShot(250, &form, [&form, file] { TakeHanded(form, file); });
    return;
  }
  frondel::BringForward(&form);
  if (file) form.presenter().FileGiven(*file);
}

}  // namespace

int main(int argc, char* argv[]) {
  frondel::KeepWorkBuffersMapped();
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  // Answered before the window system is opened, so that they work without a display.
  const frondel::StartRequest asked = frondel::ReadCommandLine(arguments);
  if (asked.kind == frondel::StartRequest::Kind::Help ||
      asked.kind == frondel::StartRequest::Kind::Version) {
    std::fputs(asked.text.toLocal8Bit().constData(), stdout);
    return 0;
  }
  QApplication application(argc, argv);
  // Read again without the options that Qt has taken for itself.
  const frondel::StartRequest start = frondel::ReadCommandLine(QApplication::arguments());
  if (start.kind == frondel::StartRequest::Kind::Error) {
    std::fputs(start.text.toLocal8Bit().constData(), stderr);
    return 2;
  }
  // The registry on Windows, an INI file in the user's configuration folder elsewhere.
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Frondel", "frondel");
  frondel::QtDialogs dialogs(settings);

  std::filesystem::path working_root;
  if (!frondel::RunReported(dialogs, "Start", [&] {
        working_root =
            frondel::WorkingRoot(frondel::ExecutableFolder(), frondel::ProcessEnvironment());
      })) {
    return 1;
  }
  frondel::SingleInstance instance(
      frondel::WorkingPath(working_root, frondel::WorkFile::InstanceLock));
  if (!instance.TakeLead()) {
    if (instance.HandOver(start.file)) return 0;
    if (!instance.TakeOver()) {
      frondel::Tell(dialogs, frondel::Message::NoAnswer);
      return 1;
    }
  }
  // The end of a desktop session ends the window as Exit does, so that the lock and the socket
  // are removed; one that comes before the event loop runs ends the program as it starts it.
  bool ended = false;
#ifndef Q_OS_WIN
  const frondel::EndSignals end_signals([&ended] {
    ended = true;
    QCoreApplication::exit(0);
  });
#endif
  frondel::MainForm form(working_root, dialogs, settings, frondel::StartCommand);
  form.show();
  instance.Listen(
      [&form](const std::optional<std::filesystem::path>& file) { TakeHanded(form, file); });
  if (start.file) form.presenter().FileGiven(*start.file);
  return ended ? 0 : application.exec();
}
