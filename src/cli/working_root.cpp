#include "cli/working_root.h"

#include "blocks/working_root.h"
#include "platform/executable_folder.h"
#include "platform/file_error.h"

namespace frondel::cli {

const std::filesystem::path& WorkingRootInUse() {
  static const std::filesystem::path root = WorkingRoot(ExecutableFolder(), ProcessEnvironment());
  return root;
}

std::string DescribeWorkingFolder() {
  const WorkingRootChoice choice = ChooseWorkingRoot(ExecutableFolder(), ProcessEnvironment());
  return "working folder: " + PathText(choice.root / "temp") +
         (choice.shipped.empty() ? " (portable)" : " (per user)");
}

}  // namespace frondel::cli
