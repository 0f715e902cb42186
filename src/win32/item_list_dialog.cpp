#include "win32/item_list_dialog.h"

#include <algorithm>
#include <vector>

#include "platform/wide_text.h"

namespace frondel {
namespace {

constexpr int kLabelId = 101;

struct ListState {
  std::wstring label;
  std::vector<std::wstring> items;
};

// A dialog template in memory, built a WORD at a time as DialogBoxIndirectParamW reads it.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short cx, short cy, std::wstring_view title, WORD items) {
    DWord(style);
    DWord(0);  // extended style
    words_.push_back(items);
    for (short v : {short(0), short(0), cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    Text(title);
    words_.push_back(8);  // DS_SETFONT: point size and face
    Text(L"MS Shell Dlg");
  }

  // `kind` is the predefined class's atom: 0x80 button, 0x82 static, 0x83 list box.
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD kind,
            std::wstring_view text) {
    if (words_.size() % 2 != 0) words_.push_back(0);  // each item starts on a DWORD
    DWord(style | WS_CHILD | WS_VISIBLE);
    DWord(0);
    for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(kind);
    Text(text);
    words_.push_back(0);  // no creation data
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void DWord(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void Text(std::wstring_view text) {
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
  }

  std::vector<WORD> words_;
};

void Choose(HWND dialog) {
  const LRESULT row = SendDlgItemMessageW(dialog, kItemListId, LB_GETCURSEL, 0, 0);
  EndDialog(dialog, row == LB_ERR ? 0 : row + 1);
}

INT_PTR CALLBACK ListProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* state = reinterpret_cast<const ListState*>(lparam);
      SetDlgItemTextW(dialog, kLabelId, state->label.c_str());
      const HWND list = GetDlgItem(dialog, kItemListId);
      int widest = 0;
      const HDC dc = GetDC(list);
      const HGDIOBJ old =
          SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
      for (const std::wstring& item : state->items) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SIZE size{};
        GetTextExtentPoint32W(dc, item.c_str(), static_cast<int>(item.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
      }
      SelectObject(dc, old);
      ReleaseDC(list, dc);
      // Long paths can be scrolled to rather than cut.
      SendMessageW(list, LB_SETHORIZONTALEXTENT, widest + 8, 0);
      SendMessageW(list, LB_SETCURSEL, 0, 0);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK ||
          (LOWORD(wparam) == kItemListId && HIWORD(wparam) == LBN_DBLCLK)) {
        Choose(dialog);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<std::size_t> ShowItemList(HWND owner, std::string_view title, std::string_view label,
                                        std::span<const std::string> items) {
  ListState state{Widen(label), {}};
  for (const std::string& item : items) state.items.push_back(Widen(item));
  // In dialog units.
  DialogTemplate dialog(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                        320, 160, Widen(title), 4);
  dialog.Item(SS_LEFT, 7, 7, 306, 10, kLabelId, 0x82, L"");
  dialog.Item(LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
              7, 20, 306, 112, kItemListId, 0x83, L"");
  dialog.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 207, 139, 50, 14, IDOK, 0x80, L"OK");
  dialog.Item(BS_PUSHBUTTON | WS_TABSTOP, 263, 139, 50, 14, IDCANCEL, 0x80, L"Cancel");
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.get(), owner,
                                                 ListProc, reinterpret_cast<LPARAM>(&state));
  if (result <= 0) return std::nullopt;
  return static_cast<std::size_t>(result - 1);
}

}  // namespace frondel
