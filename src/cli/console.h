#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace frondel::cli {

// The program's arguments as UTF-8, whatever the platform's own encoding (UTF-16 on Windows).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// UTF-8 text to standard output or standard error: to a Windows console as UTF-16, so any
// character shows; to a file or pipe as the UTF-8 bytes.
void WriteOut(std::string_view text);
void WriteErr(std::string_view text);

// Whether standard error is a terminal (a console on Windows), where a line may be rewritten.
bool ErrIsTerminal();

}  // namespace frondel::cli
