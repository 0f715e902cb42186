#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace frondel {

// What tells the programs of one working root apart from those of another: a hash of the
// folder's full path, case-blind as Windows' file names are.
std::wstring FolderTag(const std::filesystem::path& working_root);

// The main window's class name for a working root and the user, by which a later start of
// the same user finds it.
std::wstring MainWindowClass(const std::filesystem::path& working_root);

// Marks WM_COPYDATA that carries a file handed over by a later start (UTF-16, no NUL).
inline constexpr ULONG_PTR kHandOverData = 0x46524e44;

// The file such a message hands over: its name read to the size the message declares, then
// checked as the session's HandedFile does (a NUL is a control character). Nothing when it is
// refused, also for an odd size.
std::optional<std::filesystem::path> HandedFile(const COPYDATASTRUCT& data);

// A named mutex per working root and user, that only the user may open: the first program
// to take it leads, a later one hands its file over to the leader's window.
class InstanceLock {
 public:
  explicit InstanceLock(const std::filesystem::path& working_root);
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

  bool leads() const { return leads_; }

 private:
  HANDLE mutex_ = nullptr;
  bool leads_ = false;
};

// Hands `file` (empty: none, as for a name that HandedFile refuses) to the window of the
// program of the same user that leads in `working_root`, waiting up to `patience` for it to
// appear, and lets it come forward. False when no window answered.
bool HandOver(const std::filesystem::path& working_root, const std::filesystem::path& file,
              std::chrono::milliseconds patience = std::chrono::seconds(5));

}  // namespace frondel
