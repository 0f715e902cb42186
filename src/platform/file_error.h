#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace frondel {

// A failed file access: what was being done, to which file, and the system's reason.
// The core throws it; the window turns it into words once.
class FileError : public std::runtime_error {
 public:
  FileError(std::string action, std::filesystem::path path, std::string reason);

  const std::string& action() const { return action_; }
  const std::filesystem::path& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string action_;
  std::filesystem::path path_;
  std::string reason_;
};

// What failed, on which file and why, to follow "could not ": `read "/x/y": No such file or
// directory`. `quote` goes around the path: a quote mark in a box, nothing on a console line.
std::string FailureWords(const FileError& error, std::string_view quote);

// The system's words for an error number, e.g. "No such file or directory".
std::string SystemReason(int error_number);

// A path as UTF-8 text, for messages, whatever the platform's own path encoding.
std::string PathText(const std::filesystem::path& path);

}  // namespace frondel
