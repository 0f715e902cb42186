#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <filesystem>
#include <optional>

#include "blocks/working_root.h"
#include "platform/executable_folder.h"
#include "platform/heap_tuning.h"
#include "session/messages.h"
#include "win32/main_window.h"
#include "win32/single_instance.h"
#include "win32/start_command.h"
#include "win32/win32_dialogs.h"

namespace {

// `frondel.exe FILE`: the one file given, as a full path; none when none or more are given.
std::optional<std::filesystem::path> FileArgument() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::optional<std::filesystem::path> file;
  if (arguments && count == 2) file = std::filesystem::absolute(arguments[1]);
  LocalFree(arguments);
  return file;
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab and the arrow keys move between a window's controls.
    if (IsDialogMessageW(GetAncestor(message.hwnd, GA_ROOT), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  frondel::KeepWorkBuffersMapped();
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // The file dialogs, the shell and the imaging component are COM.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  frondel::Win32Dialogs dialogs;

  std::filesystem::path working_root;
  if (!frondel::RunReported(dialogs, "Start", [&] {
        working_root =
            frondel::WorkingRoot(frondel::ExecutableFolder(), frondel::ProcessEnvironment());
      })) {
    return 1;
  }
  const std::optional<std::filesystem::path> file = FileArgument();
  const frondel::InstanceLock lock(working_root);
  if (!lock.leads()) {
    if (frondel::HandOver(working_root, file)) return 0;
    frondel::Tell(dialogs, frondel::Message::NoAnswer);
    return 1;
  }
  frondel::MainWindow window(working_root, dialogs, frondel::StartCommand);
  ShowWindow(window.hwnd(), show);
  UpdateWindow(window.hwnd());
  if (file) window.presenter().FileGiven(*file);
  return RunMessageLoop();
}
