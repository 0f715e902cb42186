#include "win32/window.h"

#include <system_error>

#include "platform/file_error.h"
#include "win32/resources.h"

namespace frondel {

Window::~Window() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Window::Create(const wchar_t* class_name, const wchar_t* title, DWORD style, int client_width,
                    int client_height, HMENU menu) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  if (!GetClassInfoExW(instance, class_name, &window_class)) {
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = Procedure;
    window_class.hInstance = instance;
    window_class.hIcon = ProgramIcon(GetSystemMetrics(SM_CXICON));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = class_name;
    window_class.hIconSm = ProgramIcon(GetSystemMetrics(SM_CXSMICON));
    RegisterClassExW(&window_class);
  }
  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRectEx(&frame, style, menu != nullptr, 0);
  if (!CreateWindowExW(0, class_name, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                       frame.right - frame.left, frame.bottom - frame.top, nullptr, menu, instance,
                       this)) {
    const auto error = static_cast<int>(GetLastError());
    throw Failure("could not create the window: " + std::system_category().message(error));
  }
  // A menu bar that wraps takes more room than the estimate: grow by what is missing.
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int wider = client_width - client.right;
  const int taller = client_height - client.bottom;
  if (wider != 0 || taller != 0) {
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left + wider,
                 frame.bottom - frame.top + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    window->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!window) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    window->hwnd_ = nullptr;
  }
  return window->HandleMessage(message, wparam, lparam);
}

HICON ProgramIcon(int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource),
                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR | LR_SHARED));
}

void CentreOnScreen(HWND hwnd) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT frame{};
  GetWindowRect(hwnd, &frame);
  const int x = work.left + (work.right - work.left - (frame.right - frame.left)) / 2;
  const int y = work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2;
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BringForward(HWND hwnd) {
  ShowWindow(hwnd, IsIconic(hwnd) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd);
}

}  // namespace frondel
