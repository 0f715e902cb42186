#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "session/hand_over.h"

namespace frondel {

// What tells the programs of one working root apart from those of another: a hash of the
// folder's full path, case-blind as Windows' file names are.
std::wstring FolderTag(const std::filesystem::path& working_root);

// The main window's class name for a working root and the user, by which a later start of
// the same user finds it.
std::wstring MainWindowClass(const std::filesystem::path& working_root);

// Marks WM_COPYDATA that carries a file handed over by a later start (UTF-16, no NUL).
inline constexpr ULONG_PTR kHandOverData = 0x46524e44;

// What such a message asks for: an empty one only to come forward, any other as RequestToOpen
// of its name read to the size the message declares (a NUL is a control character); also
// refused for an odd size.
HandOverRequest ReadHandOver(const COPYDATASTRUCT& data);

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

// Hands `file` (or none, also for a name that CanHandOver refuses) to the window of the
// program of the same user that leads in `working_root`, waiting up to `patience` for it to
// appear, and lets it come forward. False when no window answered.
bool HandOver(const std::filesystem::path& working_root,
              const std::optional<std::filesystem::path>& file,
              std::chrono::milliseconds patience = std::chrono::seconds(5));

}  // namespace frondel
