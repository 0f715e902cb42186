#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <vector>

// Each subcommand of frondel-cli adds itself to the program's parser and gives its work, which
// runs once the whole command line has been parsed.
namespace frondel::cli {

// A subcommand that does work (for "blocks take", "take"), and that work, which gives the
// program's exit status (see ExitStatus).
struct Subcommand {
  const CLI::App* parser;
  std::function<int()> run;
};
using Subcommands = std::vector<Subcommand>;

Subcommands AddPlacesCommand(CLI::App& app);
Subcommands AddInfoCommand(CLI::App& app);
Subcommands AddBuildCommand(CLI::App& app);
Subcommands AddExportCommand(CLI::App& app);
Subcommands AddReplaceCommand(CLI::App& app);
Subcommands AddBlocksCommand(CLI::App& app);
Subcommands AddBackupsCommand(CLI::App& app);

}  // namespace frondel::cli
