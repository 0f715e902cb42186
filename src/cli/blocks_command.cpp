#include <memory>

#include "blocks/game_blocks.h"
#include "building/menu_places.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/json.h"
#include "cli/working_root.h"
#include "platform/file_error.h"

namespace frondel::cli {
namespace {

namespace fs = std::filesystem;

struct BlocksOptions {
  std::string menu_file;
  std::string place;
  bool force = false;
  bool json = false;
};

std::string_view StateKey(BlockState state) {
  switch (state) {
    case BlockState::StandIn:
      return "stand_in";
    case BlockState::Game:
      return "game";
    case BlockState::Missing:
      return "missing";
    case BlockState::Unreadable:
      return "unreadable";
  }
  return {};
}

int RunTake(const BlocksOptions& options) {
  const MenuPlace& place = *FindMenuPlaceByName(options.place);
  return ForEachInput({options.menu_file}, {}, [&](const BatchInput& input) {
    const fs::path menu_file = PathFromUtf8(input.name);
    const MenuBlocks blocks = BlocksOfMenuBytes(StreamCodec(), ReadWholeFile(menu_file));
    if (blocks.problem != BlocksProblem::None) {
      throw Failure("the file " + std::string(DescribeProblem(blocks.problem)));
    }
    const TakeOutcome outcome =
        TakeBlocks(WorkingRootInUse(), place, blocks, {PathText(menu_file.filename()), Today()},
                   options.force);
    if (!outcome.taken) {
      throw Failure(
          "the installed head block is the game's and this file's differs; use --force to "
          "replace it for every place");
    }
    input.lines.Out(BlockName(HeadBlockFile()) + ": " + std::string(ChangeWords(outcome.head)) +
                    "\n" + BlockName(TemplateFile(place)) + ": " +
                    std::string(ChangeWords(outcome.place_template)) + "\n");
    return InputEnd::Done;
  });
}

int RunList(const BlocksOptions& options) {
  const BlocksList list = ListBlocks(WorkingRootInUse());
  std::vector<JsonObject> objects;
  std::string text;
  for (const BlockStatus& status : list.blocks) {
    JsonObject object;
    object.String("block", BlockName(status.file));
    if (status.file.place) {
      object.String("place", status.file.place->list_text);
    } else {
      object.Null("place");
    }
    object.String("state", StateKey(status.state));
    if (status.origin) {
      object.String("from_file", status.origin->file_name).String("date", status.origin->date);
    } else {
      object.Null("from_file").Null("date");
    }
    objects.push_back(std::move(object));
    const std::string name = BlockName(status.file);
    text += name + std::string(12 - name.size(), ' ') + BlockLabel(status.file) + ": " +
            DescribeState(status) + "\n";
  }
  WriteOut(options.json ? JsonArray(objects) : text);
  // What the list could not tell goes beside it, and does not fail it.
  if (!list.record_problem.empty()) {
    WriteErr("frondel-cli: the record of the blocks' files cannot be read: " + list.record_problem +
             "\n");
  }
  if (list.damaged_record_lines > 0) {
    WriteErr("frondel-cli: " + std::to_string(list.damaged_record_lines) +
             " line(s) of the record of the blocks' files could not be read\n");
  }
  return kDone;
}

int RunRestore(const BlocksOptions& options) {
  std::vector<BlockFile> which = BlockFiles();
  if (!options.place.empty()) which = {TemplateFile(*FindMenuPlaceByName(options.place))};
  const std::vector<BlockFile> restored = RestoreStandIns(WorkingRootInUse(), which);
  std::string text = restored.empty() ? "no replaced stand-in blocks to restore\n" : "";
  for (const BlockFile& file : restored) text += "restored the stand-in " + BlockName(file) + "\n";
  WriteOut(text);
  return kDone;
}

}  // namespace

Subcommands AddBlocksCommand(CLI::App& app) {
  CLI::App* blocks = app.add_subcommand(
      "blocks", "The head block and place templates in temp/dataentery of the working folder");
  blocks->require_subcommand(1);
  auto options = std::make_shared<BlocksOptions>();

  CLI::App* take = blocks->add_subcommand(
      "take", "Takes the head block and the place's template from one of the game's menu files");
  take->add_option("MENU", options->menu_file, "The game's menu file (.bin)")->required();
  take->add_option("--place", options->place, "The place the file is for")
      ->required()
      ->check(PlaceValidator());
  take->add_flag("--force", options->force,
                 "Replace an installed head block of the game's that differs");

  CLI::App* list = blocks->add_subcommand(
      "list",
      "The head block and the thirteen templates: the game's (from which file) or stand-in");
  list->add_flag("--json", options->json,
                 "One JSON array of {block, place, state, from_file, date}");

  CLI::App* restore =
      blocks->add_subcommand("restore", "Puts back the stand-ins that taking blocks replaced");
  restore->add_option("--place", options->place, "Only this place's template")
      ->check(PlaceValidator());
  return {{take, [options] { return RunTake(*options); }},
          {list, [options] { return RunList(*options); }},
          {restore, [options] { return RunRestore(*options); }}};
}

}  // namespace frondel::cli
