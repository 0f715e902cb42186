#pragma once

#include <filesystem>
#include <string_view>

namespace kestrup {

// The three things kestrup asks of the system. Each throws FileError when refused.
class Platform {
 public:
  virtual ~Platform() = default;

  // The folder of the running program, where the user puts the control files.
  virtual std::filesystem::path ProgramFolder() = 0;
  // Copies `from` to the file that the Windows path `windows_to` names, replacing it.
  virtual void CopyOverwriting(const std::filesystem::path& from, std::string_view windows_to) = 0;
  // Starts `command_line` as a new process with a window style and returns at once.
  virtual void Start(std::string_view command_line, int window_style) = 0;
};

}  // namespace kestrup
