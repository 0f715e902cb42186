#include <QApplication>
#include <QSettings>
#include <cstdio>

#include "app/command_line.h"
#include "app/main_form.h"
#include "platform/heap_tuning.h"
#include "platform/qt_prompts.h"

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
  QSettings folders(QSettings::NativeFormat, QSettings::UserScope, "Frondel", "frondel");
  frondel::QtPrompts prompts("Frondel", folders);
  frondel::MainForm form(frondel::ProgramFolder(), prompts, frondel::StartCommand);
  form.show();
  if (!start.file.empty()) form.OpenGiven(start.file);
  return application.exec();
}
