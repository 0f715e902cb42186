#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <system_error>

#include "registrar/copy_replacing.h"
#include "registrar/host_platform.h"
#include "registrar/start_detached.h"
#include "registrar/wine.h"

namespace kestrup {

void HostPlatform::CopyOverwriting(const std::filesystem::path& from, std::string_view windows_to) {
  const std::filesystem::path drive_c = WineDriveC(std::getenv("WINEPREFIX"), std::getenv("HOME"));
  CopyReplacing(from, WinePath(windows_to, drive_c));
}

// Wine takes no window style from its command line; the started program opens its own.
void HostPlatform::Start(std::string_view command_line, int /*window_style*/) {
  StartDetached(WineArguments(command_line));
}

void ReportFailure(const std::string& line) { std::cerr << line << '\n'; }

}  // namespace kestrup
