#pragma once

namespace frondel {

// The View menu's choices, kept where the Qt build's settings keep "View/<name>" on Windows:
// HKEY_CURRENT_USER\Software\Frondel\frondel\View, a string value "true" or "false" per name.
inline constexpr wchar_t kViewSettingsKey[] = L"Software\\Frondel\\frondel\\View";
inline constexpr wchar_t kShowTransparencyName[] = L"ShowTransparency";

// The choice remembered for `name`; false when there is none.
bool RememberedSwitch(const wchar_t* name);

// Remembers `on` for `name`. A registry that cannot be written loses only the memory.
void RememberSwitch(const wchar_t* name, bool on);

}  // namespace frondel
