#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace frondel {

// A failure the user is told of, in words of the program's own: every failure a window's box
// or a command line's failure line shows is one. The words read on after an input's name
// ("frondel-cli: NAME: WORDS"); a failed file access is the one kind with more to it.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failed file access: what was being done, to which file, and the system's reason.
// The core throws it; the window turns it into words once.
class FileError : public Failure {
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
