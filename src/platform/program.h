#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace frondel {

// A program and its arguments, started as a process of its own.
struct Command {
  std::string program;
  std::vector<std::string> arguments;

  bool operator==(const Command&) const = default;
};

// The command that opens a web address with the platform's own opener.
Command OpenAddressCommand(std::string_view address);

}  // namespace frondel
