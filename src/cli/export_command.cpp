#include <memory>

#include "building/payload_parts.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "platform/file_error.h"

namespace frondel::cli {
namespace {

struct ExportOptions {
  std::vector<std::string> menu_files;
  std::string out;
  bool force = false;
  bool verbose = false;
};

int RunExport(const ExportOptions& options) {
  const auto outputs = OutputsFor(options.menu_files, options.out, ".dds");
  const Zlib codec;
  OutputWriter writer(options.force);
  return ForEachInput(options.menu_files, [&](const std::string& input, std::size_t i) {
    writer.Write(outputs[i], ExtractTexture(UnpackComplete(codec, PathFromUtf8(input))));
    Tell(options.verbose, "exported " + PathText(outputs[i]) + " from " + input);
  });
}

}  // namespace

void AddExportCommand(CLI::App& app, int& status) {
  CLI::App* command =
      app.add_subcommand("export", "Writes the DDS texture of each menu texture file");
  auto options = std::make_shared<ExportOptions>();
  command->add_option("MENU", options->menu_files, "Menu texture files (.bin)")->required();
  command->add_option("-o,--output", options->out, "Output file, or folder for several files")
      ->required();
  command->add_flag("--force", options->force, "Replace existing outputs");
  command->add_flag("-v,--verbose", options->verbose, "Print what was done");
  command->callback([options, &status] { status = RunExport(*options); });
}

}  // namespace frondel::cli
