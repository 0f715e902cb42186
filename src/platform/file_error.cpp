#include "platform/file_error.h"

#include <system_error>

namespace frondel {
namespace {

std::string Words(const std::string& action, const std::filesystem::path& path,
                  const std::string& reason, std::string_view quote) {
  return action + " " + std::string(quote) + PathText(path) + std::string(quote) + ": " + reason;
}

}  // namespace

FileError::FileError(std::string action, std::filesystem::path path, std::string reason)
    : Failure("could not " + Words(action, path, reason, "")),
      action_(std::move(action)),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

std::string FailureWords(const FileError& error, std::string_view quote) {
  return Words(error.action(), error.path(), error.reason(), quote);
}

std::string SystemReason(int error_number) { return std::generic_category().message(error_number); }

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace frondel
