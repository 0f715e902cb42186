#include "platform/failure_report.h"

namespace frondel {

std::string DescribeFailure(std::string_view doing, const FileError& error) {
  return std::string(doing) + " Failed.\r\nCould not " + error.action() + " \"" +
         PathText(error.path()) + "\": " + error.reason() + ".";
}

}  // namespace frondel
