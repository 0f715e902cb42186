#include "platform/program.h"

#include <QProcess>
#include <QStringList>

#include "platform/file_error.h"
#include "platform/qt_text.h"

namespace frondel {

Command OpenAddressCommand(std::string_view address) {
#ifdef _WIN32
  return {"explorer", {std::string(address)}};
#else
  return {"xdg-open", {std::string(address)}};
#endif
}

void StartCommand(const Command& command) {
  QStringList arguments;
  for (const std::string& argument : command.arguments) arguments.append(TextToQString(argument));
  if (!QProcess::startDetached(TextToQString(command.program), arguments)) {
    throw FileError("start", command.program, "the program was not found or could not be run");
  }
}

}  // namespace frondel
