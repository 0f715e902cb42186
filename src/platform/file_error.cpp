#include "platform/file_error.h"

#include <system_error>

namespace frondel {

FileError::FileError(std::string action, std::filesystem::path path, std::string reason)
    : std::runtime_error("Could not " + action + " " + path.string() + ": " + reason),
      action_(std::move(action)),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

std::string SystemReason(int error_number) {
  return std::generic_category().message(error_number);
}

}  // namespace frondel
