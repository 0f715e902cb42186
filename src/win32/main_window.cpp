#include "win32/main_window.h"

#include <map>
#include <string>
#include <utility>

#include "platform/wide_text.h"
#include "session/messages.h"
#include "win32/remembered_switch.h"
#include "win32/single_instance.h"

namespace frondel {
namespace {

// Posted to take the next handed-over file once the message that brought it has returned.
constexpr UINT kTakeHanded = WM_APP + 1;
constexpr UINT_PTR kRetryTimer = 1;

// A menu caption with its "&" shown as such; a menu on the bar gets its access key.
std::wstring MenuCaption(const MenuSpec& row) {
  std::wstring caption = row.parent ? L"" : L"&";
  for (wchar_t c : Widen(row.caption)) {
    caption += c;
    if (c == L'&') caption += L'&';
  }
  return caption;
}

HMENU BuildMenus() {
  const HMENU bar = CreateMenu();
  std::map<std::string_view, HMENU> menus;
  const auto rows = MainMenus();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const MenuSpec& menu_row = rows[row];
    const HMENU parent = menu_row.parent ? menus.at(menu_row.parent) : bar;
    if (menu_row.command == UserCommand::None) {
      const HMENU menu = CreatePopupMenu();
      menus[menu_row.name] = menu;
      AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(menu),
                  MenuCaption(menu_row).c_str());
    } else {
      AppendMenuW(parent, MF_STRING, MainWindow::kFirstMenuId + row, MenuCaption(menu_row).c_str());
    }
  }
  return bar;
}

// Counts an operation as running for as long as it lives.
class Running {
 public:
  explicit Running(int& count) : count_(++count) {}
  ~Running() { --count_; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  int& count_;
};

}  // namespace

MainWindow::MainWindow(std::filesystem::path working_root, Dialogs& dialogs,
                       Presenter::CommandStarter start_command)
    : WindowView(dialogs),
      working_root_(std::move(working_root)),
      presenter_(working_root_, *this, std::move(start_command)),
      dpi_(SystemDpi()),
      label_font_(CreateLabelFont(dpi_)) {
  Create(MainWindowClass(working_root_).c_str(), Widen(kMainTitle).c_str(),
         WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, Scaled(kMainClient.width, dpi_),
         Scaled(kMainClient.height, dpi_), BuildMenus());
  controls_.emplace(hwnd(), MainControls(), dpi_, label_font_);
  preview_ = PictureBox(controls_->Named("TextureShown"));
  // A file dropped on a job's frame, or on the preview, is taken as its dialog's choice. The
  // frames let the mouse through to the window, so the window takes the drop and looks where.
  DragAcceptFiles(hwnd(), TRUE);
  controls_->ChainFocus(MainFocusOrder());
  focus_ = controls_->Named(MainFocusOrder().front());
  CentreOnScreen(hwnd());
  presenter_.Start();
  presenter_.ShowTransparency(RememberedSwitch(kShowTransparencyName));
}

MainWindow::~MainWindow() {
  help_.reset();
  if (hwnd()) DestroyWindow(hwnd());
  if (label_font_) DeleteObject(label_font_);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      // Controls that notify while the window is still making them are not heard.
      if (controls_) Clicked(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_DROPFILES:
      Dropped(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
      if (data->dwData != kHandOverData) break;
      HandOverRequest request = ReadHandOver(*data);
      if (request.status == HandOverRequest::Status::Refused) return FALSE;
      handed_.push_back(std::move(request.file));
      PostMessageW(hwnd(), kTakeHanded, 0, 0);
      return TRUE;
    }
    case WM_ENDSESSION:
      // The session ends, and the process with it once this returns: end as Exit does.
      if (wparam) Run(UserCommand::Exit);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) focus_ = GetFocus();
      break;
    case WM_SETFOCUS:
      if (focus_ && IsChild(hwnd(), focus_)) SetFocus(focus_);
      return 0;
    case kTakeHanded:
      TakeHanded();
      return 0;
    case WM_TIMER:
      if (wparam != kRetryTimer) break;
      KillTimer(hwnd(), kRetryTimer);
      TakeHanded();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd(), message, wparam, lparam);
}

void MainWindow::Clicked(int id, int notification) {
  if (const ControlSpec* control = controls_->RowOf(id)) {
    const Running running(operations_running_);
    if (control->kind == ControlKind::List && notification == LBN_SELCHANGE) {
      const LRESULT row = SendMessageW(controls_->Named(control->name), LB_GETCURSEL, 0, 0);
      if (row == LB_ERR) {
        presenter_.PlaceSelected(std::nullopt);
      } else {
        presenter_.PlaceSelected(static_cast<std::size_t>(row));
      }
    } else if (control->kind == ControlKind::Button && notification == BN_CLICKED) {
      Run(control->command);
    }
    return;
  }
  const auto menus = MainMenus();
  const int row = id - kFirstMenuId;
  if (row >= 0 && row < static_cast<int>(menus.size())) {
    const Running running(operations_running_);
    Run(menus[row].command);
  }
}

void MainWindow::Run(UserCommand command) {
  if (command == UserCommand::Exit) {
    DestroyWindow(hwnd());
  } else if (command == UserCommand::Help) {
    if (!help_) help_ = std::make_unique<HelpWindow>(working_root_, dialogs(), hwnd());
    BringForward(help_->hwnd());
  } else {
    presenter_.Run(command);
    if (command == UserCommand::ShowTransparency) {
      RememberSwitch(kShowTransparencyName, presenter_.TransparencyShown());
    }
  }
}

void MainWindow::Dropped(HDROP drop) {
  POINT at{};
  DragQueryPoint(drop, &at);
  std::optional<std::filesystem::path> file;
  for (UINT i = 0, count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0); i < count && !file; ++i) {
    std::wstring name(DragQueryFileW(drop, i, nullptr, 0), L'\0');
    DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
    // The first dropped item that is a file, not a folder.
    if (!(GetFileAttributesW(name.c_str()) & FILE_ATTRIBUTE_DIRECTORY)) file = name;
  }
  DragFinish(drop);
  if (!file) return;
  const Running running(operations_running_);
  for (const DropSpec& target : MainDropTargets()) {
    const RECT place = controls_->PlaceOf(target.control);
    if (PtInRect(&place, at) != FALSE) {
      presenter_.DroppedFor(target.command, *file);
      return;
    }
  }
}

void MainWindow::TakeHanded() {
  if (handed_.empty()) return;
  // A dialog of an operation is open: the file waits until it is answered, so that one
  // operation still runs to its end before the next.
  if (operations_running_ > 0) {
    SetTimer(hwnd(), kRetryTimer, 250, nullptr);
    return;
  }
  const std::optional<std::filesystem::path> file = std::move(handed_.front());
  handed_.pop_front();
  BringForward(hwnd());
  if (file) {
    const Running running(operations_running_);
    presenter_.FileGiven(*file);
  }
  if (!handed_.empty()) PostMessageW(hwnd(), kTakeHanded, 0, 0);
}

void MainWindow::ShowPath(int text_box, const std::filesystem::path& path) {
  SetWindowTextW(controls_->Named("Text" + std::to_string(text_box)), path.c_str());
}

void MainWindow::ShowPlaces(std::span<const std::string_view> places,
                            std::optional<std::size_t> selected) {
  const HWND list = controls_->Named("List1");
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (std::string_view place : places) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(place).c_str()));
  }
  if (selected) SendMessageW(list, LB_SETCURSEL, *selected, 0);
}

void MainWindow::ShowPicture(const PreviewPicture& picture) { preview_.ShowPicture(picture); }

void MainWindow::ShowNote(std::string_view note) { preview_.ShowText(note); }

PixelSize MainWindow::PreviewBoxSize() const {
  RECT box{};
  GetClientRect(controls_->Named("TextureShown"), &box);
  return {static_cast<std::uint32_t>(box.right), static_cast<std::uint32_t>(box.bottom)};
}

void MainWindow::ShowChecked(UserCommand item, bool checked) {
  const auto menus = MainMenus();
  for (std::size_t row = 0; row < menus.size(); ++row) {
    if (menus[row].command != item) continue;
    CheckMenuItem(GetMenu(hwnd()), static_cast<UINT>(kFirstMenuId + row),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

}  // namespace frondel
