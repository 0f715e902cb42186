#include "app/qt_text.h"

#include <QStringList>

namespace frondel {

QString ToQString(const std::filesystem::path& path) {
#ifdef _WIN32
  return QString::fromStdWString(path.native());
#else
  const std::u8string text = path.u8string();
  return QString::fromUtf8(reinterpret_cast<const char*>(text.data()),
                           static_cast<qsizetype>(text.size()));
#endif
}

std::filesystem::path ToPath(const QString& text) {
#ifdef _WIN32
  return std::filesystem::path(text.toStdWString());
#else
  const QByteArray utf8 = text.toUtf8();
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#endif
}

QString TextToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString QtFilter(std::string_view filter) {
  const QStringList parts = TextToQString(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    // A description without its pattern stands for itself.
    QString pattern = i + 1 < parts.size() ? parts[i + 1] : parts[i];
    // Several patterns are split by ";" in the text form, by blanks in Qt's.
    pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
    entries.append(parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')'));
  }
  return entries.join(QStringLiteral(";;"));
}

}  // namespace frondel
