// What the Win32 window hands to the system: message boxes with the style values as they
// stand, the dialogs' filters, and the remembered folders where the Qt build keeps them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "session/messages.h"
#include "support/temp_folder.h"
#include "win32/item_list_dialog.h"
#include "win32/remembered_folders.h"
#include "win32/win32_dialogs.h"

namespace frondel {
namespace {

// What a message box showed, read once it is up; then `press` is pressed.
struct SeenBox {
  std::wstring title;
  bool has_yes = false;
  bool has_ok = false;
};
SeenBox seen;
int press = IDOK;
HHOOK hook = nullptr;
HWND box = nullptr;

void CALLBACK ReadBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  wchar_t title[64] = {};
  GetWindowTextW(box, title, 64);
  seen = {title, GetDlgItem(box, IDYES) != nullptr, GetDlgItem(box, IDOK) != nullptr};
  PostMessageW(box, WM_COMMAND, press, 0);
}

// The box is the first window made, found before it has its title and buttons.
LRESULT CALLBACK WatchBox(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && !box) {
    box = reinterpret_cast<HWND>(wparam);
    SetTimer(nullptr, 0, 10, ReadBox);
  }
  return CallNextHookEx(hook, code, wparam, lparam);
}

Answer ShowWatched(BoxStyle style, std::string_view title, int button) {
  press = button;
  box = nullptr;
  hook = SetWindowsHookExW(WH_CBT, WatchBox, nullptr, GetCurrentThreadId());
  const Answer answer = Win32Dialogs().ShowBox("text", style, title);
  UnhookWindowsHookEx(hook);
  return answer;
}

TEST(Win32Boxes, TheStyleChoosesTheButtonsAndTheAnswerComesBack) {
  EXPECT_EQ(ShowWatched(BoxStyle::YesNoInformation, "Convert...", IDYES), Answer::Yes);
  EXPECT_EQ(seen.title, L"Convert...");
  EXPECT_TRUE(seen.has_yes);
  EXPECT_EQ(ShowWatched(BoxStyle::YesNoInformation, "Convert...", IDNO), Answer::No);
  EXPECT_EQ(ShowWatched(BoxStyle::Critical, "Error...", IDOK), Answer::Ok);
  EXPECT_EQ(seen.title, L"Error...");
  EXPECT_FALSE(seen.has_yes);
  EXPECT_TRUE(seen.has_ok);
}

// The list dialog: its title, its items with the first selected, and the one chosen.
struct SeenList {
  std::wstring title;
  LRESULT count = 0, selected = -1;
};
SeenList seen_list;
int pick = -1;  // the row chosen before OK; -1: Cancel

void CALLBACK ReadList(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  wchar_t title[64] = {};
  GetWindowTextW(box, title, 64);
  seen_list = {title, SendDlgItemMessageW(box, kItemListId, LB_GETCOUNT, 0, 0),
               SendDlgItemMessageW(box, kItemListId, LB_GETCURSEL, 0, 0)};
  if (pick >= 0) SendDlgItemMessageW(box, kItemListId, LB_SETCURSEL, pick, 0);
  PostMessageW(box, WM_COMMAND, pick >= 0 ? IDOK : IDCANCEL, 0);
}

LRESULT CALLBACK WatchList(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && !box) {
    box = reinterpret_cast<HWND>(wparam);
    SetTimer(nullptr, 0, 50, ReadList);
  }
  return CallNextHookEx(hook, code, wparam, lparam);
}

TEST(Win32Dialogs, AnItemListGivesTheChosenRowOrNothing) {
  const std::vector<std::string> items{"1   a.bin", "2   \xc3\xbc.bin", "3   c.bin"};
  for (const int row : {2, -1}) {
    pick = row;
    box = nullptr;
    hook = SetWindowsHookExW(WH_CBT, WatchList, nullptr, GetCurrentThreadId());
    const std::optional<std::size_t> chosen =
        Win32Dialogs().ChooseItem("Backups", "Choose:", items);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(seen_list.title, L"Backups");
    EXPECT_EQ(seen_list.count, 3);
    EXPECT_EQ(seen_list.selected, 0);
    EXPECT_EQ(chosen, row < 0 ? std::nullopt : std::optional<std::size_t>(row));
  }
}

TEST(Win32Dialogs, FiltersEndInTwoNuls) {
  EXPECT_EQ(DialogFilter("*.bin|*.bin|All|*.*"), std::wstring(L"*.bin\0*.bin\0All\0*.*\0\0", 21));
}

TEST(Win32Dialogs, FoldersAreRememberedWhereTheQtBuildKeepsThem) {
  const testing::TempFolder folder(std::filesystem::temp_directory_path(), u8"last folder \u00fc");
  RememberFolder("CommonDialog3", folder.path());
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof value;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Frondel\\frondel\\LastFolder",
                         L"CommonDialog3", RRF_RT_REG_SZ, nullptr, value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(value), folder.path().native());
  EXPECT_EQ(RememberedFolder("CommonDialog3"), folder.path());
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kRememberedFoldersKey, L"CommonDialog3");
  EXPECT_EQ(RememberedFolder("CommonDialog3"), std::nullopt);
}

}  // namespace
}  // namespace frondel
