// frondel-cli: builds, exports, replaces and describes menu texture files from the command
// line, over the same core as the window. It never prompts and never touches the window's
// working files.
#include <algorithm>
#include <iterator>
#include <sstream>

#ifndef _WIN32
#include <csignal>
#endif

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/working_root.h"
#include "platform/file_error.h"
#include "platform/heap_tuning.h"
#include "platform/version.h"

namespace frondel::cli {
namespace {

int Run(const std::vector<std::string>& arguments) {
  CLI::App app("Builds, exports, replaces and describes menu texture files.", "frondel-cli");
  // Taken as soon as it is read, so that the version, told only once the line is parsed, sees
  // it wherever it stands.
  bool verbose_version = false;
  app.add_flag("-v", verbose_version, "With --version: also the working folder in use")
      ->trigger_on_parse();
  app.set_version_flag("--version", [&verbose_version] {
    return std::string("frondel-cli " FRONDEL_VERSION) +
           (verbose_version ? "\n" + DescribeWorkingFolder() : "");
  });
  // Checked after parsing rather than with require_subcommand, so that a mistyped subcommand
  // is named in the message.
  app.require_subcommand(0, 1);
  Subcommands commands;
  for (const auto add : {AddBuildCommand, AddExportCommand, AddReplaceCommand, AddInfoCommand,
                         AddPlacesCommand, AddBlocksCommand, AddBackupsCommand}) {
    std::ranges::move(add(app), std::back_inserter(commands));
  }
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
    const auto given =
        std::ranges::find_if(commands, [](const Subcommand& c) { return c.parser->parsed(); });
    if (given == commands.end()) throw CLI::RequiredError("A subcommand");
    // A usage error found by the work (outputs that cannot be named) is told as the parser's.
    return given->run();
  } catch (const CLI::ParseError& e) {
    // Help and version are "errors" that end parsing with status 0.
    std::ostringstream out, err;
    const int code = app.exit(e, out, err);
    WriteOut(out.str());
    WriteErr(err.str());
    return code == 0 ? kDone : kUsage;
  } catch (const Failure& e) {
    WriteErr("frondel-cli: " + std::string(e.what()) + "\n");
    return kFailed;
  }
}

}  // namespace
}  // namespace frondel::cli

int main(int argc, char** argv) {
#ifndef _WIN32
  // A closed pipe is a failed write like any other, which a batch stops cleanly on.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  frondel::KeepWorkBuffersMapped();
  const int status = frondel::cli::Run(frondel::cli::Utf8Arguments(argc, argv));
  // A command that wrote what nobody received did not succeed.
  if (const auto fault = frondel::cli::FirstOutputFault(); fault && status == frondel::cli::kDone) {
    return frondel::cli::OutputFaultStatus(*fault);
  }
  return status;
}
