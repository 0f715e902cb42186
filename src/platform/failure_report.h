#pragma once

#include <string>
#include <string_view>

#include "platform/file_error.h"
#include "platform/prompts.h"

namespace frondel {

// The words a user sees for a failed operation: what was being done, the file, the reason.
std::string DescribeFailure(std::string_view doing, const FileError& error);

// Runs `operation`; a FileError it throws is shown once in a critical box titled "Error..."
// and the program goes on. Returns whether the operation ran to its end.
template <typename Operation>
bool RunReported(Prompts& prompts, std::string_view doing, Operation&& operation) {
  try {
    operation();
    return true;
  } catch (const FileError& error) {
    prompts.MessageBox(DescribeFailure(doing, error), BoxStyle::Critical, "Error...");
    return false;
  }
}

}  // namespace frondel
