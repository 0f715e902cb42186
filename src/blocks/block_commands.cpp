#include "blocks/block_commands.h"

#include <algorithm>
#include <string>
#include <vector>

#include "blocks/game_blocks.h"
#include "building/working_folder.h"
#include "platform/file_error.h"

namespace frondel {
namespace {

constexpr char kTitle[] = "Blocks...";

// The question comes before the action, which takes the answer as a value.
bool AskToTake(Prompts& prompts, std::string_view place, std::string_view file,
               bool replaces_game_head) {
  std::string question =
      "Take The Game's Blocks For " + std::string(place) + " From \"" + std::string(file) + "\"?";
  if (replaces_game_head) {
    question +=
        "\r\nThe Installed Head Block Is The Game's And This File's Differs: It Will Be Replaced "
        "For Every Place.";
  }
  return prompts.MessageBox(question, BoxStyle::YesNoInformation, kTitle) == Answer::Yes;
}

std::string ChangeText(BlockChange change) {
  switch (change) {
    case BlockChange::Unchanged:
      return "Already The Same";
    case BlockChange::Added:
      return "Added";
    case BlockChange::ReplacedStandIn:
      return "Replaced The Stand-in";
    case BlockChange::ReplacedGame:
      return "Replaced The Game's Block Taken Before";
  }
  return {};
}

}  // namespace

void TakeBlocksFromOpenedFile(const Zlib& codec, const std::filesystem::path& program_folder,
                              const std::filesystem::path& opened_file, std::string_view list_text,
                              Prompts& prompts) {
  const auto copy = WorkingPath(program_folder, WorkFile::ExportPacked);
  if (opened_file.empty() || !FileExists(copy)) {
    prompts.MessageBox("Please Open A BIN File First", BoxStyle::Information, "Data...");
    return;
  }
  const MenuPlace* place = FindMenuPlace(list_text);
  if (!place) {
    prompts.MessageBox("Please Select A Data From List", BoxStyle::Information, "Data...");
    return;
  }
  const std::string name = PathText(opened_file.filename());
  const MenuBlocks blocks = BlocksOfMenuBytes(codec, ReadWholeFile(copy));
  if (blocks.problem != BlocksProblem::None) {
    prompts.MessageBox("Blocks Cannot Be Taken From \"" + name + "\":\r\nThe file " +
                           std::string(DescribeProblem(blocks.problem)) + ".",
                       BoxStyle::Critical, "Error...");
    return;
  }
  const bool replaces_game_head = WouldReplaceGameHead(program_folder, blocks.head);
  if (!AskToTake(prompts, place->list_text, name, replaces_game_head)) return;
  const TakeOutcome outcome =
      TakeBlocks(program_folder, *place, blocks, {name, Today()}, replaces_game_head);
  if (!outcome.taken) {
    prompts.MessageBox("The Head Block Changed Meanwhile: Nothing Was Taken.", BoxStyle::Critical,
                       "Error...");
    return;
  }
  prompts.MessageBox("Blocks Taken For " + std::string(place->list_text) + " From \"" + name +
                         "\".\r\nHead Block: " + ChangeText(outcome.head) +
                         "\r\nTemplate: " + ChangeText(outcome.place_template),
                     BoxStyle::Information, kTitle);
}

void ShowBlocks(const std::filesystem::path& program_folder, Prompts& prompts) {
  const BlocksList list = ListBlocks(program_folder);
  std::string text;
  for (const BlockStatus& status : list.blocks) {
    if (!text.empty()) text += "\r\n";
    text += BlockLabel(status.file) + ": " + DescribeState(status);
  }
  if (!list.record_problem.empty()) {
    text +=
        "\r\nThe Record Of Where The Blocks Came From Cannot Be Read: " + list.record_problem + ".";
  }
  if (list.damaged_record_lines > 0) {
    text += "\r\n" + std::to_string(list.damaged_record_lines) +
            " Line(s) Of The Record Could Not Be Read.";
  }
  prompts.MessageBox(text, BoxStyle::Information, kTitle);
}

void RestoreStandInBlocks(const std::filesystem::path& program_folder, Prompts& prompts) {
  const std::vector<BlockFile> files = BlockFiles();
  if (std::ranges::none_of(files, [&](const BlockFile& file) {
        return FileExists(KeptStandInPath(program_folder, file));
      })) {
    prompts.MessageBox("There Are No Replaced Stand-in Blocks To Restore.", BoxStyle::Information,
                       kTitle);
    return;
  }
  if (prompts.MessageBox("Put Back Every Stand-in Block That Was Replaced?\r\nThe Game's Blocks "
                         "Taken For Them Will Be Removed.",
                         BoxStyle::YesNoInformation, kTitle) != Answer::Yes) {
    return;
  }
  std::string restored;
  for (const BlockFile& file : RestoreStandIns(program_folder, files)) {
    restored += (restored.empty() ? "" : ", ") + BlockLabel(file);
  }
  prompts.MessageBox("Stand-in Blocks Restored: " + restored + ".", BoxStyle::Information, kTitle);
}

void TellOfStandIns(const std::filesystem::path& program_folder, std::string_view list_text,
                    Prompts& prompts) {
  const MenuPlace* place = FindMenuPlace(list_text);
  if (!place || !UsesStandIns(program_folder, *place)) return;
  prompts.MessageBox("Built With Stand-in Blocks For " + std::string(place->list_text) +
                         ".\r\nThe Game Will Not Read This File: Take The Game's Own Blocks First "
                         "(Blocks > Take Blocks From Opened File).",
                     BoxStyle::Information, "Data...");
}

}  // namespace frondel
