#pragma once

#include <string>
#include <string_view>

namespace frondel {

// UTF-8, the text of the tables and the core, to and from the UTF-16 of the wide Win32 API.
// Windows only.
std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace frondel
