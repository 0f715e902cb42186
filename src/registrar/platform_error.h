#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace kestrup {

// A refusal by the system: the file or program it concerns and the system's reason.
class PlatformError : public std::runtime_error {
 public:
  PlatformError(std::filesystem::path file, std::string reason)
      : std::runtime_error(file.string() + ": " + reason),
        file_(std::move(file)),
        reason_(std::move(reason)) {}

  const std::filesystem::path& file() const { return file_; }
  const std::string& reason() const { return reason_; }

 private:
  std::filesystem::path file_;
  std::string reason_;
};

// The system's words for an error number, e.g. "No such file or directory".
inline std::string SystemReason(int error_number) {
  return std::generic_category().message(error_number);
}

}  // namespace kestrup
