#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

namespace frondel {

// What `frondel` was asked to do on its command line.
struct StartRequest {
  enum class Kind { Run, Help, Version, Error };
  Kind kind = Kind::Run;
  QString text;                               // the help, the version or the error, for the console
  std::optional<std::filesystem::path> file;  // Run: the file to open or import, absolute, if given
};

// Reads `frondel [FILE]`, `--help` and `--version`. `arguments` starts with the program's
// name. Needs no application object, so the console answers without a display.
StartRequest ReadCommandLine(const QStringList& arguments);

}  // namespace frondel
