#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/file_error.h"

namespace kestrup {

using frondel::PathText;
using frondel::SystemReason;

// A refusal by the system: the file or program it concerns and the system's reason.
class PlatformError : public std::runtime_error {
 public:
  PlatformError(std::filesystem::path file, std::string reason)
      : std::runtime_error(PathText(file) + ": " + reason),
        file_(std::move(file)),
        reason_(std::move(reason)) {}

  const std::filesystem::path& file() const { return file_; }
  const std::string& reason() const { return reason_; }

 private:
  std::filesystem::path file_;
  std::string reason_;
};

}  // namespace kestrup
