#include "win32/remembered_switch.h"

#include <windows.h>

#include <string_view>

namespace frondel {

bool RememberedSwitch(const wchar_t* name) {
  wchar_t text[8] = {};
  DWORD size = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, kViewSettingsKey, name, RRF_RT_REG_SZ, nullptr, text,
                   &size) != ERROR_SUCCESS) {
    return false;
  }
  return std::wstring_view(text) == L"true";
}

void RememberSwitch(const wchar_t* name, bool on) {
  const std::wstring_view text = on ? L"true" : L"false";
  RegSetKeyValueW(HKEY_CURRENT_USER, kViewSettingsKey, name, REG_SZ, text.data(),
                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace frondel
