#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>

#include "building/working_folder.h"
#include "session/view.h"
#include "win32/control_layout.h"
#include "win32/picture_bitmap.h"
#include "win32/window.h"

namespace frondel {

// The help window: a tutorial picture, the buttons that choose one, and Close, which hides it
// and brings the main window forward. Closing it by its title bar also drops the picture.
class HelpWindow : public Window {
 public:
  HelpWindow(std::filesystem::path working_root, Dialogs& dialogs, HWND main_window);

  const Controls& controls() const { return *controls_; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void ShowTutorial(WorkFile picture);

  const std::filesystem::path working_root_;
  Dialogs& dialogs_;
  const HWND main_window_;
  std::optional<Controls> controls_;
  PictureBox picture_;
};

}  // namespace frondel
