// The Win32 window's wiring: clicks, list selection, menu items, drops and a hand-over reach
// the presenter, and the window shows what it is told, laid out in pixels at the system dpi.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

#include "building/working_folder.h"
#include "platform/wide_text.h"
#include "session/messages.h"
#include "support/dds_samples.h"
#include "support/program_folder.h"
#include "support/scripted_dialogs.h"
#include "win32/main_window.h"
#include "win32/remembered_switch.h"
#include "win32/single_instance.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;

std::wstring TextOf(HWND control) {
  std::wstring text(GetWindowTextLengthW(control), L'\0');
  GetWindowTextW(control, text.data(), static_cast<int>(text.size() + 1));
  return text;
}

// Lets posted messages and timers run until `done` holds, for `rounds` tens of milliseconds
// at most.
template <typename Condition>
bool PumpUntil(Condition done, int rounds = 200) {
  for (int i = 0; i < rounds && !done(); ++i) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
  return done();
}

// Scripted dialogs that can do something while a dialog is open, as the user's system can.
class DialogsWithTime : public testing::ScriptedDialogs {
 public:
  std::optional<std::filesystem::path> ChooseFile(const FileDialog& dialog) override {
    if (while_open) while_open();
    return ScriptedDialogs::ChooseFile(dialog);
  }

  std::function<void()> while_open;
};

class Win32Window : public ::testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }

  HWND Control(const char* name) const { return window.controls().Named(name); }
  std::wstring Text(const char* name) const { return TextOf(Control(name)); }
  void Click(const char* button) const { SendMessageW(Control(button), BM_CLICK, 0, 0); }
  void Menu(const char* item) {
    const auto menus = MainMenus();
    for (std::size_t row = 0; row < menus.size(); ++row) {
      if (menus[row].name == std::string_view(item)) {
        SendMessageW(window.hwnd(), WM_COMMAND, MainWindow::kFirstMenuId + row, 0);
      }
    }
  }
  POINT Centre(const char* control) const {
    const RECT place = window.controls().PlaceOf(control);
    return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
  }
  // Drops `file` at `at` in the client area, as the shell hands a drop to the window.
  void Drop(const fs::path& file, POINT at) {
    const std::wstring& name = file.native();
    const std::size_t size = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
    const HGLOBAL drop = GlobalAlloc(GHND, size);
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    files->pt = at;
    files->fWide = TRUE;
    name.copy(reinterpret_cast<wchar_t*>(files + 1), name.size());
    GlobalUnlock(drop);
    SendMessageW(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> seen;
    for (const auto& box : dialogs.boxes) {
      seen.push_back(box.title + " | " + std::to_string(int(box.style)) + " | " + box.text);
    }
    return seen;
  }

  testing::ProgramFolder program{fs::temp_directory_path(), u8"frondel window \u00e9"};
  const fs::path texture = program / "user texture.dds";
  DialogsWithTime dialogs;
  std::vector<Command> started;
  MainWindow window{program.path(), dialogs,
                    [this](const Command& command) { started.push_back(command); }};
};

TEST_F(Win32Window, IsLaidOutFromTheTablesAtTheSystemDpi) {
  const int dpi = SystemDpi();
  RECT client{};
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(client.right, Scaled(753, dpi));
  EXPECT_EQ(client.bottom, Scaled(451, dpi));
  // Nested three frames deep: GroupBox1 (5, 8), GroupBox2 (472, 16), the box (8, 16).
  const RECT preview = window.controls().PlaceOf("TextureShown");
  EXPECT_EQ(preview.left, Scaled(485, dpi));
  EXPECT_EQ(preview.top, Scaled(40, dpi));
  EXPECT_EQ(preview.right - preview.left, Scaled(249, dpi));
  EXPECT_EQ(preview.bottom - preview.top, Scaled(385, dpi));
  // The presenter composes the transparency at the box's size in pixels.
  EXPECT_EQ(window.PreviewBoxSize().width, static_cast<std::uint32_t>(Scaled(249, dpi)));
  EXPECT_EQ(window.PreviewBoxSize().height, static_cast<std::uint32_t>(Scaled(385, dpi)));

  LOGFONTW label{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control("Label2"), WM_GETFONT, 0, 0)),
             sizeof label, &label);
  EXPECT_STREQ(label.lfFaceName, L"MS Sans Serif");
  EXPECT_EQ(label.lfHeight, -MulDiv(975, dpi, 7200));
  EXPECT_EQ(SendMessageW(Control("Text1"), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));

  EXPECT_EQ(TextOf(window.hwnd()), Widen(kMainTitle));
  const HMENU bar = GetMenu(window.hwnd());
  ASSERT_EQ(GetMenuItemCount(bar), 6);
  wchar_t caption[64];
  GetMenuStringW(GetSubMenu(bar, 0), 0, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"Open DDS && Create New");
  GetMenuStringW(bar, 3, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"&Blocks");
  GetMenuStringW(bar, 4, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"&View");
  GetMenuStringW(GetSubMenu(bar, 4), 0, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"Show Transparency");
  GetMenuStringW(bar, 5, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"&Backups");
  GetMenuStringW(GetSubMenu(bar, 5), 0, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"Restore Replaced File...");
}

// View > Show Transparency: checked and remembered in the registry by the window, drawn pixel
// for pixel as the presenter composes it, and read back by a window made later.
TEST_F(Win32Window, ShowTransparencyIsCheckedDrawnAndRemembered) {
  const auto checked = [](const MainWindow& shown) {
    const auto menus = MainMenus();
    for (std::size_t row = 0; row < menus.size(); ++row) {
      if (menus[row].command != UserCommand::ShowTransparency) continue;
      const UINT id = static_cast<UINT>(MainWindow::kFirstMenuId + row);
      return (GetMenuState(GetMenu(shown.hwnd()), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    return false;
  };
  // The pixel at (x, y) of the box's bitmap, as B,G,R,A.
  const auto pixel = [&](int x, int y) {
    const auto shown = reinterpret_cast<HBITMAP>(
        SendMessageW(Control("TextureShown"), STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP bitmap{};
    GetObjectW(shown, sizeof bitmap, &bitmap);
    const auto* at = static_cast<const std::uint8_t*>(bitmap.bmBits) +
                     static_cast<std::size_t>(y) * bitmap.bmWidthBytes + x * 4;
    return Bytes(at, at + 4);
  };
  ASSERT_FALSE(checked(window));
  WriteWholeFile(texture, {testing::MakeDds(testing::DdsKind::Bgra32, 1024, 1024)});  // alpha 128
  dialogs.WillChoose(texture);
  Click("OpenDDS_Import");

  Menu("mnutransparency");
  EXPECT_TRUE(checked(window));
  EXPECT_TRUE(RememberedSwitch(kShowTransparencyName));
  // Red at half alpha over the light square, and over the dark one 8 pixels on.
  EXPECT_EQ(pixel(2, 2), (Bytes{102, 102, 230, 255}));
  EXPECT_EQ(pixel(10, 2), (Bytes{76, 76, 204, 255}));
  {
    testing::ScriptedDialogs other;
    const MainWindow later(program.path(), other, [](const Command&) {});
    EXPECT_TRUE(checked(later));
  }

  Menu("mnutransparency");
  EXPECT_FALSE(checked(window));
  EXPECT_FALSE(RememberedSwitch(kShowTransparencyName));
  // The texture's red again, stretched by the window, which may shade it a little.
  const Bytes red = pixel(2, 2);
  EXPECT_TRUE(red[0] < 16 && red[1] < 16 && red[2] > 240) << int(red[0]) << " " << int(red[1]);
  EXPECT_TRUE(dialogs.boxes.empty());
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kViewSettingsKey, kShowTransparencyName);
}

TEST_F(Win32Window, ButtonsListAndMenusReachThePresenter) {
  const HWND list = Control("List1");
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 13);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);

  WriteWholeFile(texture, {testing::GameTexture(3)});
  dialogs.WillChoose(texture);
  Click("OpenDDS_Import");
  EXPECT_EQ(Text("Text1"), texture.native());
  // The texture previews: the box holds its bitmap.
  EXPECT_NE(SendMessageW(Control("TextureShown"), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);

  SendMessageW(list, LB_SETCURSEL, 4, 0);
  SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  Click("CreateFile");
  const fs::path built = program / "built file.bin";
  dialogs.WillChoose(built);
  Click("SaveBIN");
  EXPECT_EQ(Text("Text2"), built.native());
  EXPECT_TRUE(fs::exists(built));

  Menu("mnurestorebackup");
  Menu("mnuauthor");
  Menu("mnuorvane");
  EXPECT_EQ(started.size(), 1u);
  const std::vector<std::string> boxes = Boxes();
  ASSERT_GE(boxes.size(), 3u);
  EXPECT_EQ(boxes[boxes.size() - 3], "Save... | 64 | File Saved Succesful");
  EXPECT_EQ(boxes[boxes.size() - 2], "Backups... | 64 | There Are No Replaced Files To Restore.");
  EXPECT_EQ(boxes.back(), std::string("Frondel | 64 | ") + kMainTitle +
                              "\r\nThank's To Peltiro For His Tutorial");
}

TEST_F(Win32Window, ADroppedFileGoesToTheJobOfTheFrameItFallsOn) {
  WriteWholeFile(texture, {testing::GameTexture(5)});
  const int dpi = SystemDpi();
  Drop(texture, {Scaled(100, dpi), Scaled(14, dpi)});  // above both jobs' frames
  EXPECT_EQ(Text("Text1"), L"");
  Drop(texture, Centre("TextureShown"));
  EXPECT_EQ(Text("Text1"), texture.native());

  const fs::path menu_file = program / "menu.bin";
  WriteWholeFile(menu_file, {testing::GameTexture(6)});
  Drop(menu_file, Centre("Label3"));  // on a label of the export job's frame
  EXPECT_EQ(Text("Text3"), menu_file.native());
  EXPECT_EQ(Text("Text1"), texture.native());
}

TEST_F(Win32Window, ALaterStartHandsItsFileToTheWindowOfItsFolder) {
  const InstanceLock first(program.path());
  const InstanceLock later(program.path());
  EXPECT_TRUE(first.leads());
  EXPECT_FALSE(later.leads());
  EXPECT_TRUE(InstanceLock(program / "another folder").leads());

  WriteWholeFile(texture, {testing::GameTexture(7)});
  ASSERT_TRUE(HandOver(program.path(), texture));
  EXPECT_TRUE(PumpUntil([&] { return Text("Text1") == texture.native(); }));
  EXPECT_FALSE(HandOver(program / "another folder", texture, std::chrono::milliseconds(200)));
}

TEST_F(Win32Window, AFileHandedOverDuringAnOperationWaitsForItsEnd) {
  WriteWholeFile(texture, {testing::GameTexture(8)});
  const fs::path handed = program / "handed.dds";
  WriteWholeFile(handed, {testing::GameTexture(9)});
  dialogs.WillChoose(texture);
  dialogs.while_open = [&] {
    EXPECT_TRUE(HandOver(program.path(), handed));
    EXPECT_FALSE(PumpUntil([&] { return Text("Text1") != L""; }, 30));
  };
  Click("OpenDDS_Import");
  EXPECT_EQ(Text("Text1"), texture.native());
  EXPECT_TRUE(PumpUntil([&] { return Text("Text1") == handed.native(); }));
}

// The data is read to the size it declares; a NUL in it, an odd size or a file that is not
// there refuses it, and nothing is opened.
TEST_F(Win32Window, HandedOverDataIsTakenToItsSizeAndRefusedWithANul) {
  WriteWholeFile(texture, {testing::GameTexture(7)});
  const auto send = [&](std::wstring name, std::size_t bytes) {
    COPYDATASTRUCT data{kHandOverData, static_cast<DWORD>(bytes), name.data()};
    return SendMessageW(window.hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  };
  const std::wstring& name = texture.native();
  const std::size_t size = name.size() * sizeof(wchar_t);
  EXPECT_EQ(send(name + std::wstring(1, L'\0') + L"x", size + 4), FALSE);
  EXPECT_EQ(send(name, size - 1), FALSE);
  EXPECT_EQ(send(name + L"x", size + 2), FALSE);
  EXPECT_FALSE(PumpUntil([&] { return Text("Text1") != L""; }, 30));
  EXPECT_EQ(send(name + L"x", size), TRUE);
  EXPECT_TRUE(PumpUntil([&] { return Text("Text1") == name; }));
}

class Win32WindowEnd : public Win32Window, public ::testing::WithParamInterface<bool> {};

// Exit, and the end of the session as Exit does.
TEST_P(Win32WindowEnd, EndsTheMessageLoop) {
  const HWND main = window.hwnd();
  MSG quit;
  // Left by an earlier test's window.
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  if (GetParam()) {
    SendMessageW(main, WM_ENDSESSION, TRUE, 0);
  } else {
    Menu("mnuexit");
  }
  EXPECT_FALSE(IsWindow(main));
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

INSTANTIATE_TEST_SUITE_P(Win32, Win32WindowEnd, ::testing::Bool());

TEST_F(Win32Window, ShowsPicturesStretchedAndOpaqueAndNotesAsText) {
  PreviewPicture picture{2, 2, {}};
  // Blue, green / red, white; alpha 0 everywhere, which must not make the box see-through.
  picture.pixels = {255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 255, 255, 255, 0};
  window.ShowPicture(picture);
  const auto shown = reinterpret_cast<HBITMAP>(
      SendMessageW(Control("TextureShown"), STM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_NE(shown, nullptr);
  BITMAP size{};
  GetObjectW(shown, sizeof size, &size);
  RECT box{};
  GetClientRect(Control("TextureShown"), &box);
  EXPECT_EQ(size.bmWidth, box.right);
  EXPECT_EQ(size.bmHeight, box.bottom);
  EXPECT_EQ(size.bmBitsPixel, 32);
  // B, G, R and A near a corner; the smoothing filter may shade a colour a little.
  const auto pixel = [&](int x, int y) {
    const auto* bits = static_cast<const std::uint8_t*>(size.bmBits);
    const auto* at = bits + static_cast<std::size_t>(y) * size.bmWidthBytes + x * 4;
    std::string rounded;
    for (int i = 0; i < 4; ++i) rounded += at[i] > 240 ? '+' : at[i] < 16 ? '-' : '?';
    return rounded;
  };
  EXPECT_EQ(pixel(2, 2), "+--+");
  EXPECT_EQ(pixel(size.bmWidth - 3, 2), "-+-+");
  EXPECT_EQ(pixel(2, size.bmHeight - 3), "--++");

  window.ShowNote(kNotPreviewableNote);
  EXPECT_EQ(SendMessageW(Control("TextureShown"), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(Text("TextureShown"), Widen(kNotPreviewableNote));
}

TEST_F(Win32Window, HelpShowsTheTutorialsAndCloseGoesBack) {
  Menu("mnuhelp");
  ASSERT_NE(window.help(), nullptr);
  const HWND help = window.help()->hwnd();
  EXPECT_TRUE(IsWindowVisible(help));
  EXPECT_EQ(TextOf(help), Widen(kHelpTitle));
  const HWND picture = window.help()->controls().Named("Image1");
  SendMessageW(window.help()->controls().Named("PushButton2"), BM_CLICK, 0, 0);
  EXPECT_NE(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(Boxes(), std::vector<std::string>{});

  SendMessageW(window.help()->controls().Named("PushButton4"), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(help));
  Menu("mnuhelp");
  EXPECT_EQ(window.help()->hwnd(), help);
  SendMessageW(help, WM_CLOSE, 0, 0);
  EXPECT_EQ(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

}  // namespace
}  // namespace frondel
