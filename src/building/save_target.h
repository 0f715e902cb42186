#pragma once

#include <filesystem>
#include <optional>

#include "platform/file_system.h"
#include "platform/prompts.h"

namespace frondel {

// Asks before a save replaces an existing file. Gives how the move may treat the target,
// or nothing when the user did not answer Yes.
std::optional<Replace> AskToReplace(Prompts& prompts, const std::filesystem::path& target);

}  // namespace frondel
