#include <QApplication>
#include <QSettings>

#include "app/main_form.h"
#include "platform/heap_tuning.h"
#include "platform/qt_prompts.h"

int main(int argc, char* argv[]) {
  frondel::KeepWorkBuffersMapped();
  QApplication application(argc, argv);
  // The registry on Windows, an INI file in the user's configuration folder elsewhere.
  QSettings folders(QSettings::NativeFormat, QSettings::UserScope, "Frondel", "frondel");
  frondel::QtPrompts prompts("Frondel", folders);
  frondel::MainForm form(frondel::ProgramFolder(), prompts, frondel::StartCommand);
  form.show();
  return application.exec();
}
