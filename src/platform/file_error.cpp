#include "platform/file_error.h"

#include <system_error>

namespace frondel {

FileError::FileError(std::string action, std::filesystem::path path, std::string reason)
    : std::runtime_error("Could not " + action + " " + PathText(path) + ": " + reason),
      action_(std::move(action)),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

std::string FailureWords(const FileError& error, std::string_view quote) {
  return error.action() + " " + std::string(quote) + PathText(error.path()) + std::string(quote) +
         ": " + error.reason();
}

std::string SystemReason(int error_number) { return std::generic_category().message(error_number); }

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace frondel
