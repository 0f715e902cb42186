#pragma once

#include <filesystem>
#include <string_view>

#include "codec/zlib_codec.h"
#include "platform/prompts.h"

namespace frondel {

// The Blocks menu of the window. Each tells the user what it did through `prompts` and throws
// FileError for a failed file access.

// "Take Blocks From Opened File": takes the head block and the template of the menu file that
// the export job opened (`opened_file`, empty when none; its copy is temp/dataexport/file.bin)
// for the place whose list text is `list_text`, after one Yes/No question.
void TakeBlocksFromOpenedFile(const Zlib& codec, const std::filesystem::path& program_folder,
                              const std::filesystem::path& opened_file, std::string_view list_text,
                              Prompts& prompts);

// "Show Blocks": the head block and the thirteen places, the game's or stand-ins. Never throws.
void ShowBlocks(const std::filesystem::path& program_folder, Prompts& prompts);

// "Restore Stand-in Blocks": puts every kept stand-in back after a Yes/No question.
void RestoreStandInBlocks(const std::filesystem::path& program_folder, Prompts& prompts);

// After Create File built for the place `list_text`: tells the user when a stand-in went in.
void TellOfStandIns(const std::filesystem::path& program_folder, std::string_view list_text,
                    Prompts& prompts);

}  // namespace frondel
