#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace frondel {

// The list box's id in the item list dialog, for tests that drive it.
inline constexpr int kItemListId = 100;

// A modal dialog over `owner` with `label` above a list of `items`, the first selected, and OK
// and Cancel. The chosen item's index (OK or a double click), or nothing on Cancel.
std::optional<std::size_t> ShowItemList(HWND owner, std::string_view title, std::string_view label,
                                        std::span<const std::string> items);

}  // namespace frondel
