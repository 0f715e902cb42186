#pragma once

#include <windows.h>

namespace frondel {

// A top-level window as a C++ object: the window procedure finds the object from the window
// handle and hands each message to its HandleMessage.
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers `class_name` on first use and creates the window with a client area of
  // `client_width` x `client_height`. `this` reaches HandleMessage from WM_NCCREATE on, so
  // call it from the derived constructor once its members are ready. Throws Failure
  // when the window cannot be made.
  void Create(const wchar_t* class_name, const wchar_t* title, DWORD style, int client_width,
              int client_height, HMENU menu);

  // Messages not handled go to DefWindowProcW.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
};

// The program's icon from its resources; none in a program that has no icon resource.
HICON ProgramIcon(int size);

// Puts a window in the middle of the screen's work area.
void CentreOnScreen(HWND hwnd);

// Shows a window, restored if minimised, above the others and with the keyboard focus.
void BringForward(HWND hwnd);

}  // namespace frondel
