#include "building/save_target.h"

namespace frondel {

std::optional<Replace> AskToReplace(Prompts& prompts, const std::filesystem::path& target) {
  if (!FileExists(target)) return Replace::Never;
  if (prompts.MessageBox("File Already Exists, Overwrite Existing File?",
                         BoxStyle::YesNoInformation) != Answer::Yes) {
    return std::nullopt;
  }
  return Replace::Existing;
}

}  // namespace frondel
