#include <memory>

#include "building/payload_assembly.h"
#include "building/payload_parts.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "platform/file_error.h"

namespace frondel::cli {
namespace {

struct ReplaceOptions {
  std::string menu_file;
  std::string texture;
  std::string out;
  bool force = false;
  bool as_is = false;
  bool verbose = false;
  unsigned threads = 0;  // not given
};

int RunReplace(const ReplaceOptions& options) {
  const unsigned threads = PackingThreads(options.threads, 1);
  const StreamCodec codec(threads);
  const OutputWriter writer({PathFromUtf8(options.out)}, options.force);
  return ForEachInput({options.menu_file}, {}, [&](const BatchInput& input) {
    const Bytes old_payload = UnpackComplete(codec, PathFromUtf8(input.name));
    // A payload that ends inside the texture window has no template to keep.
    if (old_payload.size() < payload::kTemplateOffset) {
      throw Failure("its payload of " + std::to_string(old_payload.size()) +
                    " bytes ends before the template, at byte " +
                    std::to_string(payload::kTemplateOffset));
    }
    const Bytes texture = TextureToPack(options.texture, options.as_is, input.lines, threads);
    if (input.StopRequested()) return InputEnd::Stopped;
    const BuiltMenuFile built =
        BuildMenuFile(codec, HeadBlockOf(old_payload), texture, TemplateOf(old_payload));
    if (writer.Write(input, built.packed) == InputEnd::Stopped) return InputEnd::Stopped;
    PrintIfVerbose(options.verbose, input,
                   "wrote " + PathText(writer.OutputOf(input)) + ": " + input.name +
                       " with the texture " + options.texture);
    return InputEnd::Done;
  });
}

}  // namespace

Subcommands AddReplaceCommand(CLI::App& app) {
  CLI::App* command =
      app.add_subcommand("replace",
                         "Puts a new texture into a menu texture file, keeping its head block and "
                         "template");
  auto options = std::make_shared<ReplaceOptions>();
  command->add_option("MENU", options->menu_file, "Menu texture file (.bin)")->required();
  command->add_option("TEXTURE", options->texture, "The new texture or picture")->required();
  command->add_option("-o,--output", options->out, "Output file (.bin)")->required();
  command->add_flag("--force", options->force, "Replace an existing output");
  command->add_flag("--as-is", options->as_is, kAsIsHelp);
  command->add_flag("-v,--verbose", options->verbose, "Print what was done");
  AddThreadsOption(*command, options->threads);
  return {{command, [options] { return RunReplace(*options); }}};
}

}  // namespace frondel::cli
