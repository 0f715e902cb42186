#include <memory>

#include "building/payload_parts.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "platform/file_error.h"
#include "texture/conversion.h"

namespace frondel::cli {
namespace {

struct ExportOptions {
  std::vector<std::string> menu_files;
  std::string out;
  std::string format = "dds";
  const CLI::Option* format_option = nullptr;
  bool force = false;
  bool verbose = false;
  BatchOptions batch;
};

// One input: its output's name says the format, and --format may not contradict it.
bool WritesPng(const ExportOptions& options) {
  if (options.menu_files.size() > 1) return options.format == "png";
  const bool png = HasExtension(PathFromUtf8(options.out), ".png");
  if (options.format_option->count() > 0 && png != (options.format == "png")) {
    throw CLI::ValidationError("--format", "--format " + options.format +
                                               " does not match the output's name " + options.out);
  }
  return png;
}

int RunExport(const ExportOptions& options) {
  const bool png = WritesPng(options);
  const OutputWriter writer(OutputsFor(options.menu_files, options.out, png ? ".png" : ".dds"),
                            options.force);
  const StreamCodec codec;
  return ForEachInput(options.menu_files, options.batch, [&](const BatchInput& input) {
    Bytes texture = ExtractTexture(UnpackComplete(codec, PathFromUtf8(input.name)));
    if (input.StopRequested()) return InputEnd::Stopped;
    if (png) {
      Conversion encoded = EncodePng(texture);
      if (encoded.status != ConversionStatus::Done) {
        throw Failure("could not write its texture as a PNG: " +
                      std::string(RefusalReason(encoded.status)));
      }
      texture = std::move(encoded.bytes);
      if (input.StopRequested()) return InputEnd::Stopped;
    }
    if (writer.Write(input, texture) == InputEnd::Stopped) return InputEnd::Stopped;
    PrintIfVerbose(options.verbose, input,
                   "exported " + PathText(writer.OutputOf(input)) + " from " + input.name);
    return InputEnd::Done;
  });
}

}  // namespace

Subcommands AddExportCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand(
      "export", "Writes the texture of each menu texture file, as a DDS or as a PNG");
  auto options = std::make_shared<ExportOptions>();
  command->add_option("MENU", options->menu_files, "Menu texture files (.bin)")->required();
  command
      ->add_option("-o,--output", options->out,
                   "Output file (a PNG when its name ends in .png), or folder for several files")
      ->required();
  options->format_option =
      command->add_option("--format", options->format, "dds or png, for several files")
          ->transform(CLI::IsMember({"dds", "png"}, CLI::ignore_case));
  command->add_flag("--force", options->force, "Replace existing outputs");
  command->add_flag("-v,--verbose", options->verbose, "Print what was done");
  AddBatchOptions(*command, options->batch);
  return {{command, [options] { return RunExport(*options); }}};
}

}  // namespace frondel::cli
