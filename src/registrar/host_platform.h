#pragma once

#include <string>

#include "platform/executable_folder.h"
#include "registrar/platform.h"

namespace kestrup {

// The platform kestrup runs on. On Windows the paths and command lines are used as they
// stand; elsewhere "C:\" is the Wine prefix's drive_c and commands are started under Wine.
class HostPlatform : public Platform {
 public:
  std::filesystem::path ProgramFolder() override { return frondel::ExecutableFolder(); }
  void CopyOverwriting(const std::filesystem::path& from, std::string_view windows_to) override;
  void Start(std::string_view command_line, int window_style) override;
};

// Tells the user the one line that says why the program stopped.
void ReportFailure(const std::string& line);

}  // namespace kestrup
