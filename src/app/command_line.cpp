#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "app/qt_text.h"
#include "platform/version.h"

namespace frondel {

StartRequest ReadCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // Qt's own options are written with one dash ("-platform"), so ours are read the same way.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(QStringLiteral(
      "Builds menu texture files (.bin) from a DDS texture and exports the DDS back out.\n"
      "A FILE ending in .bin is opened in the export job; any other file is imported in the "
      "build job.\nA frondel already running from the same folder is handed the FILE."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The file to open."),
                               QStringLiteral("[FILE]"));

  const bool read = parser.parse(arguments);
  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    // Without an application object the parser does not know the program's name.
    return {StartRequest::Kind::Help,
            parser.helpText().replace(QStringLiteral("<executable_name>"), "frondel"),
            {}};
  }
  if (parser.isSet(version)) {
    return {StartRequest::Kind::Version, QStringLiteral("frondel " FRONDEL_VERSION "\n"), {}};
  }
  if (!read) return {StartRequest::Kind::Error, parser.errorText() + '\n', {}};
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    return {StartRequest::Kind::Error, QStringLiteral("frondel takes one FILE at most.\n"), {}};
  }
  if (files.isEmpty()) return {};
  // An empty argument names no file.
  const QString file = QFileInfo(files.front()).absoluteFilePath();
  if (file.isEmpty()) return {};
  return {StartRequest::Kind::Run, {}, ToPath(file)};
}

}  // namespace frondel
