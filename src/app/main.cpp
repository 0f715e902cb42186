#include <QApplication>

#include "app/main_form.h"
#include "platform/heap_tuning.h"
#include "platform/qt_prompts.h"

int main(int argc, char* argv[]) {
  frondel::KeepWorkBuffersMapped();
  QApplication application(argc, argv);
  frondel::QtPrompts prompts("Frondel");
  frondel::MainForm form(frondel::ProgramFolder(), prompts, frondel::StartCommand);
  form.show();
  return application.exec();
}
