#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace kestrup {

// A path as UTF-8 text, for messages, whatever the platform's own path encoding.
inline std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

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

// The system's words for an error number, e.g. "No such file or directory".
inline std::string SystemReason(int error_number) {
  return std::generic_category().message(error_number);
}

}  // namespace kestrup
