#pragma once

#include <string>
#include <string_view>

namespace frondel {

// UTF-8, the text of the tables and the core, to the UTF-16 of the wide Win32 API.
std::wstring Widen(std::string_view text);

}  // namespace frondel
