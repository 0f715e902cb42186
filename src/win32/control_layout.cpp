#include "win32/control_layout.h"

#include <stdexcept>
#include <string>

#include "platform/wide_text.h"

namespace frondel {
namespace {

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD extended_style;
};

ControlClass ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Frame:
      return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::Label:
      return {L"STATIC", SS_LEFTNOWORDWRAP, 0};
    case ControlKind::Edit:
      return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::List:
      // As the Qt list: one selection, never sorted, no sideways scrolling.
      return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::Picture:
      // Notifies, so that it takes part in hit-testing and can take dropped files.
      return {L"STATIC", SS_CENTER | SS_NOTIFY, 0};
  }
  return {L"STATIC", 0, 0};
}

}  // namespace

int SystemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int Scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }

HFONT CreateLabelFont(int dpi) {
  return CreateFontW(-MulDiv(975, dpi, 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

Controls::Controls(HWND window, std::span<const ControlSpec> table, int dpi, HFONT label_font)
    : table_(table) {
  const auto default_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  std::vector<POINT> origins;  // each control's top left in the client area, at 96 dpi
  for (std::size_t row = 0; row < table.size(); ++row) {
    const ControlSpec& control_row = table[row];
    POINT origin{control_row.geometry.x, control_row.geometry.y};
    if (control_row.container) {
      const POINT container = origins[Index(control_row.container)];
      origin.x += container.x;
      origin.y += container.y;
    }
    origins.push_back(origin);
    const ControlClass kind = ClassOf(control_row.kind);
    const HWND control = CreateWindowExW(
        kind.extended_style, kind.name, Widen(control_row.caption).c_str(),
        WS_CHILD | WS_VISIBLE | kind.style, Scaled(origin.x, dpi), Scaled(origin.y, dpi),
        Scaled(control_row.geometry.width, dpi), Scaled(control_row.geometry.height, dpi), window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + row)),
        GetModuleHandleW(nullptr), nullptr);
    const HFONT font =
        control_row.kind == ControlKind::Label && label_font ? label_font : default_font;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    controls_.push_back(control);
  }
}

std::size_t Controls::Index(std::string_view name) const {
  for (std::size_t row = 0; row < controls_.size(); ++row) {
    if (table_[row].name == name) return row;
  }
  throw std::out_of_range("no control named " + std::string(name));
}

HWND Controls::Named(std::string_view name) const { return controls_[Index(name)]; }

const ControlSpec* Controls::RowOf(int id) const {
  const int row = id - kFirstControlId;
  if (row < 0 || row >= static_cast<int>(controls_.size())) return nullptr;
  return &table_[row];
}

RECT Controls::PlaceOf(std::string_view name) const {
  const HWND control = Named(name);
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

void Controls::ChainFocus(std::span<const char* const> order) const {
  HWND previous = HWND_TOP;
  for (const char* name : order) {
    const HWND control = Named(name);
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control;
  }
  SetFocus(Named(order.front()));
}

}  // namespace frondel
