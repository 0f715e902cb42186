#pragma once

#include <QString>
#include <filesystem>
#include <string_view>

namespace frondel {

// Paths cross between Qt and the core here only: UTF-8 on Linux, UTF-16 on Windows, so that
// blanks and characters outside ASCII survive both ways.
QString ToQString(const std::filesystem::path& path);
std::filesystem::path ToPath(const QString& text);

// The core's texts are UTF-8.
QString TextToQString(std::string_view text);

// A filter in the form "description|pattern" (pairs may repeat) as Qt writes it:
// "description (pattern)", pairs joined by ";;".
QString QtFilter(std::string_view filter);

}  // namespace frondel
