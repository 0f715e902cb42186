#include "win32/help_window.h"

#include <string_view>
#include <utility>

#include "platform/file_error.h"
#include "platform/wide_text.h"
#include "session/messages.h"
#include "session/window_layout.h"
#include "win32/tutorial_picture.h"

namespace frondel {
HelpWindow::HelpWindow(std::filesystem::path working_root, Dialogs& dialogs, HWND main_window)
    : working_root_(std::move(working_root)), dialogs_(dialogs), main_window_(main_window) {
  const int dpi = SystemDpi();
  Create(L"Frondel.Help", Widen(kHelpTitle).c_str(),
         WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, Scaled(kHelpClient.width, dpi),
         Scaled(kHelpClient.height, dpi), nullptr);
  controls_.emplace(hwnd(), HelpControls(), dpi, nullptr);
  picture_ = PictureBox(controls_->Named("Image1"));
  controls_->ChainFocus(HelpFocusOrder());
  CentreOnScreen(hwnd());
}

LRESULT HelpWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const ControlSpec* button = controls_ ? controls_->RowOf(LOWORD(wparam)) : nullptr;
      if (!button || HIWORD(wparam) != BN_CLICKED) break;
      for (const auto& [name, picture] : HelpTutorials()) {
        if (button->name == std::string_view(name)) ShowTutorial(picture);
      }
      if (button->name == std::string_view("PushButton4")) {
        ShowWindow(hwnd(), SW_HIDE);
        // Shown again too in case the main window was minimised while this one stayed open.
        BringForward(main_window_);
      }
      return 0;
    }
    case WM_CLOSE:
      picture_.Clear();
      ShowWindow(hwnd(), SW_HIDE);
      return 0;
  }
  return DefWindowProcW(hwnd(), message, wparam, lparam);
}

void HelpWindow::ShowTutorial(WorkFile picture) {
  RunReported(dialogs_, "Show Tutorial", [&] {
    picture_.ShowPicture(ReadTutorialPicture(WorkingPath(working_root_, picture)));
  });
}

}  // namespace frondel
