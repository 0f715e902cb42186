#include <memory>

#include "backups/backup_store.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/json.h"
#include "cli/working_root.h"
#include "platform/file_error.h"

namespace frondel::cli {
namespace {

namespace fs = std::filesystem;

struct BackupsOptions {
  bool json = false;
  int id = 0;
  std::string to;
  bool force = false;
};

int RunList(const BackupsOptions& options) {
  const std::vector<Backup> backups = ListBackups(WorkingRootInUse());
  std::vector<JsonObject> objects;
  std::string text;
  for (const Backup& backup : backups) {
    objects.push_back(JsonObject()
                          .Number("id", backup.id)
                          .String("time", BackupTimeUtc(backup.time))
                          .String("original", PathText(backup.original))
                          .Number("size", backup.size)
                          .String("sha256", backup.sha256)
                          .String("file", PathText(backup.file)));
    text += std::to_string(backup.id) + "  " + BackupTimeText(backup.time) + "  " +
            std::to_string(backup.size) + "  " + PathText(backup.original) + "\n";
  }
  if (!options.json && backups.empty()) {
    text = "no backups in " + PathText(BackupsFolder(WorkingRootInUse())) + "\n";
  }
  WriteOut(options.json ? JsonArray(objects) : text);
  return kDone;
}

int RunRestore(const BackupsOptions& options) {
  const std::vector<Backup> backups = ListBackups(WorkingRootInUse());
  const auto backup = std::ranges::find(backups, options.id, &Backup::id);
  if (backup == backups.end()) {
    WriteErr("frondel-cli: there is no backup " + std::to_string(options.id) +
             " (see frondel-cli backups list)\n");
    return kFailed;
  }
  const fs::path to = options.to.empty() ? backup->original : PathFromUtf8(options.to);
  std::error_code ec;
  if (fs::is_directory(to, ec)) {
    WriteErr("frondel-cli: " + PathText(to) + " is a folder\n");
    return kFailed;
  }
  if (!options.force && fs::exists(fs::symlink_status(to, ec))) {
    WriteErr("frondel-cli: " + PathText(to) + " exists; use --force to replace it\n");
    return kFailed;
  }
  RestoreBackup(WorkingRootInUse(), *backup, to,
                options.force ? Replace::Existing : Replace::Never);
  WriteOut("restored " + PathText(to) + " from backup " + std::to_string(backup->id) + " of " +
           BackupTimeText(backup->time) + "\n");
  return kDone;
}

}  // namespace

Subcommands AddBackupsCommand(CLI::App& app) {
  CLI::App* backups = app.add_subcommand(
      "backups", "The files that frondel replaced, kept in backups/ beside the working folder");
  backups->require_subcommand(1);
  auto options = std::make_shared<BackupsOptions>();

  CLI::App* list = backups->add_subcommand("list", "The backups, newest first");
  list->add_flag("--json", options->json,
                 "One JSON array of {id, time (UTC), original, size, sha256, file}");

  CLI::App* restore = backups->add_subcommand(
      "restore", "Puts a backup back where it came from, or elsewhere with --to");
  restore->add_option("ID", options->id, "The backup's number (see 'list')")
      ->required()
      ->check(CLI::PositiveNumber);
  restore->add_option("--to", options->to, "Where to put it instead of where it came from");
  restore->add_flag("--force", options->force,
                    "Replace an existing file, which is then kept as a backup too");
  return {{list, [options] { return RunList(*options); }},
          {restore, [options] { return RunRestore(*options); }}};
}

}  // namespace frondel::cli
