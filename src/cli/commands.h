#pragma once

#include <CLI/CLI.hpp>

// Each subcommand of frondel-cli adds itself to the program's parser. Its work runs once the
// whole command line has been parsed, and sets `status` (see ExitStatus).
namespace frondel::cli {

void AddPlacesCommand(CLI::App& app, int& status);
void AddInfoCommand(CLI::App& app, int& status);
void AddBuildCommand(CLI::App& app, int& status);
void AddExportCommand(CLI::App& app, int& status);
void AddReplaceCommand(CLI::App& app, int& status);
void AddBlocksCommand(CLI::App& app, int& status);
void AddBackupsCommand(CLI::App& app, int& status);

}  // namespace frondel::cli
