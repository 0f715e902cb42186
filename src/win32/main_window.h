#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>

#include "session/presenter.h"
#include "session/view.h"
#include "win32/control_layout.h"
#include "win32/help_window.h"
#include "win32/picture_bitmap.h"
#include "win32/window.h"

namespace frondel {

// The main window, the Win32 View of the work flow: it draws the controls and menus of the
// session's tables, passes each click, menu item and dropped file to the presenter and shows
// what the presenter tells it. Its dialogs and boxes are `dialogs`'.
class MainWindow : public Window, public WindowView {
 public:
  // A menu item's id is kFirstMenuId plus its row in the menu table.
  static constexpr int kFirstMenuId = 100;

  // Made hidden; `working_root` holds the working folder and names the window's class, by
  // which a later start finds it.
  MainWindow(std::filesystem::path working_root, Dialogs& dialogs,
             Presenter::CommandStarter start_command);
  ~MainWindow() override;

  Presenter& presenter() { return presenter_; }
  const Controls& controls() const { return *controls_; }
  // The help window once Help has opened it.
  HelpWindow* help() { return help_.get(); }

  void ShowPath(int text_box, const std::filesystem::path& path) override;
  void ShowPlaces(std::span<const std::string_view> places,
                  std::optional<std::size_t> selected) override;
  void ShowPicture(const PreviewPicture& picture) override;
  void ShowNote(std::string_view note) override;
  PixelSize PreviewBoxSize() const override;
  void ShowChecked(UserCommand item, bool checked) override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // Exit and Help are the window's own; the rest is the presenter's.
  void Run(UserCommand command);
  void Clicked(int id, int notification);
  void Dropped(HDROP drop);
  void TakeHanded();

  const std::filesystem::path working_root_;
  Presenter presenter_;
  const int dpi_;
  HFONT label_font_ = nullptr;
  std::optional<Controls> controls_;
  PictureBox preview_;
  std::unique_ptr<HelpWindow> help_;
  // Files handed over by later starts, taken one at a time when no operation runs.
  std::deque<std::optional<std::filesystem::path>> handed_;
  int operations_running_ = 0;
  // The control that had the keyboard focus when the window was last active.
  HWND focus_ = nullptr;
};

}  // namespace frondel
