#include "app/start_command.h"

#include <QProcess>
#include <QStringList>

#include "app/qt_text.h"
#include "platform/file_error.h"

namespace frondel {

void StartCommand(const Command& command) {
  QStringList arguments;
  for (const std::string& argument : command.arguments) arguments.append(TextToQString(argument));
  if (!QProcess::startDetached(TextToQString(command.program), arguments)) {
    throw FileError("start", command.program, "the program was not found or could not be run");
  }
}

}  // namespace frondel
