#include <atomic>
#include <memory>

#include "blocks/game_blocks.h"
#include "building/menu_format.h"
#include "building/menu_places.h"
#include "building/payload_assembly.h"
#include "building/working_folder.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/working_root.h"
#include "platform/file_error.h"

namespace frondel::cli {
namespace {

namespace fs = std::filesystem;

struct BuildOptions {
  std::vector<std::string> textures;
  std::string place;
  std::string out;
  std::string blocks;
  bool force = false;
  bool as_is = false;
  bool verbose = false;
  unsigned threads = 0;  // not given
  BatchOptions batch;
};

struct BlockFiles {
  fs::path head, place_template;
};

// The installed blocks of the working folder, or those of the folder given with --blocks.
BlockFiles BlocksOf(const MenuPlace& place, const std::string& blocks) {
  if (blocks.empty()) {
    const fs::path folder = WorkingRootInUse();
    return {WorkingPath(folder, WorkFile::HeadBlock), WorkingPath(folder, place.template_file)};
  }
  const fs::path folder = PathFromUtf8(blocks);
  return {folder / WorkingPath({}, WorkFile::HeadBlock).filename(),
          folder / PathFromUtf8(TemplateName(place))};
}

int RunBuild(const BuildOptions& options) {
  const MenuPlace& place = *FindMenuPlaceByName(options.place);
  const OutputWriter writer(OutputsFor(options.textures, options.out, ".bin"), options.force);
  const BlockFiles blocks = BlocksOf(place, options.blocks);
  const unsigned threads = PackingThreads(options.threads, options.textures.size());
  const StreamCodec codec(threads);
  std::atomic<bool> used_stand_in = false;
  const int status = ForEachInput(options.textures, options.batch, [&](const BatchInput& input) {
    // Read as the window's Create File reads them, so the payload is the window's.
    const Bytes head = ReadPayloadBlock(blocks.head);
    const Bytes texture = TextureToPack(input.name, options.as_is, input.lines, threads);
    const Bytes place_template = ReadPayloadBlock(blocks.place_template);
    if (input.StopRequested()) return InputEnd::Stopped;
    const BuiltMenuFile built = BuildMenuFile(codec, head, texture, place_template);
    if (input.StopRequested() || writer.Write(input, built.packed) == InputEnd::Stopped) {
      return InputEnd::Stopped;
    }
    if (IsStandIn(head) || IsStandIn(place_template)) used_stand_in = true;
    PrintIfVerbose(options.verbose, input,
                   "built " + PathText(writer.OutputOf(input)) + " from " + input.name + " for " +
                       std::string(place.list_text));
    return InputEnd::Done;
  });
  if (used_stand_in && (status == kDone || status == kFailed)) {
    WriteErr("frondel-cli: built with stand-in blocks for " + std::string(place.list_text) +
             ", which the game does not read; take the game's own first (frondel-cli blocks "
             "take MENU.bin --place PLACE)\n");
  }
  return status;
}

}  // namespace

Subcommands AddBuildCommand(CLI::App& app) {
  CLI::App* build = app.add_subcommand(
      "build", "Builds a menu texture file from each texture or picture for one menu place");
  auto options = std::make_shared<BuildOptions>();
  build->add_option("TEXTURE", options->textures, "DDS textures or pictures")->required();
  build
      ->add_option("--place", options->place,
                   "Menu place: list text or template file name, any case (see 'places')")
      ->required()
      ->check(PlaceValidator());
  build->add_option("-o,--output", options->out, "Output file, or folder for several textures")
      ->required();
  build->add_option("--blocks", options->blocks,
                    "Folder of TOPDATA1 and the place templates (default: temp/dataentery "
                    "of the working folder, see --version -v)");
  build->add_flag("--force", options->force, "Replace existing outputs");
  build->add_flag("--as-is", options->as_is, kAsIsHelp);
  build->add_flag("-v,--verbose", options->verbose, "Print what was done");
  AddBatchOptions(*build, options->batch);
  AddThreadsOption(*build, options->threads);
  return {{build, [options] { return RunBuild(*options); }}};
}

}  // namespace frondel::cli
