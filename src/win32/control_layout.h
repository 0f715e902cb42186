#pragma once

#include <windows.h>

#include <span>
#include <string_view>
#include <vector>

#include "session/window_layout.h"

namespace frondel {

// The system's dots per inch; the tables' pixels are for 96.
int SystemDpi();

// A length in the tables' 96-dpi pixels at `dpi`.
int Scaled(int pixels, int dpi);

// "MS Sans Serif" 9.75 pt at `dpi`, the labels' font. The caller deletes it.
HFONT CreateLabelFont(int dpi);

// The child controls of one window, made from its control table. All are children of the
// window itself, placed where the table's containers put them, so that every click reaches the
// window; the frames are drawn around what they hold. A control's id is kFirstControlId plus
// its row in the table.
class Controls {
 public:
  static constexpr int kFirstControlId = 1000;

  Controls(HWND window, std::span<const ControlSpec> table, int dpi, HFONT label_font);

  // The control of a name in the table; throws std::out_of_range for a name not there.
  HWND Named(std::string_view name) const;
  // The table row of a control id, or nullptr for an id that is not a control's.
  const ControlSpec* RowOf(int id) const;
  // The control's place in the window's client area, in pixels at the window's dpi.
  RECT PlaceOf(std::string_view name) const;

  // Tab order: the named controls in this order, the first one with the focus.
  void ChainFocus(std::span<const char* const> order) const;

 private:
  std::size_t Index(std::string_view name) const;

  std::span<const ControlSpec> table_;
  std::vector<HWND> controls_;
};

}  // namespace frondel
