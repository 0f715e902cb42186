#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace frondel {

// How much the backups of replaced files may take: at most this many bytes and this many days,
// the oldest going first, but never one younger than kBackupSafeAge.
inline constexpr std::int64_t kBackupRoomBytes = std::int64_t{1} << 30;
inline constexpr std::chrono::days kBackupKeepDays{90};
inline constexpr std::chrono::hours kBackupSafeAge{24};

// A file kept in `backups/` of the working root just before it was replaced.
struct Backup {
  int id = 0;                      // unique in the record, never reused while kept
  std::chrono::sys_seconds time;   // when it was kept
  std::filesystem::path original;  // where it was, in full
  std::int64_t size = 0;
  std::string sha256;          // 64 lowercase hexadecimal digits
  std::filesystem::path file;  // the kept file, in backups/
};

std::filesystem::path BackupsFolder(const std::filesystem::path& root);

// Keeps the file at `target` in backups/ of `root` before the caller replaces it with
// `replacement` (bytes, or a file holding them): a hard link where the file system allows
// one, so the old file stays with the backup when the new one is renamed over it, a copy
// otherwise. Nothing is kept when `target` is not there, already holds `replacement`, or the
// replacement file is not there. Then
// makes room (see PruneBackups). Throws FileError when the backup cannot be made, so that
// the caller replaces nothing.
std::optional<Backup> KeepReplacedFile(
    const std::filesystem::path& root, const std::filesystem::path& target, ByteView replacement,
    std::chrono::sys_seconds now =
        std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()));
std::optional<Backup> KeepReplacedFile(
    const std::filesystem::path& root, const std::filesystem::path& target,
    const std::filesystem::path& replacement,
    std::chrono::sys_seconds now =
        std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()));

// Deletes, oldest first, the backups older than kBackupKeepDays and then as many as keep the
// rest within `room_bytes`, sparing every one younger than kBackupSafeAge; forgets those whose
// file is gone. A backup that cannot be deleted stays recorded. Throws FileError when the
// record cannot be read or written.
void PruneBackups(const std::filesystem::path& root, std::chrono::sys_seconds now,
                  std::int64_t room_bytes = kBackupRoomBytes);

// The recorded backups whose file is there, newest first. Throws FileError when the record is
// there but cannot be read.
std::vector<Backup> ListBackups(const std::filesystem::path& root);

// Puts the backup's bytes at `to`, after checking that they are still what was kept. An
// existing file at `to` is replaced only with Replace::Existing, and is then kept itself
// first. The backup stays. Throws FileError.
void RestoreBackup(const std::filesystem::path& root, const Backup& backup,
                   const std::filesystem::path& to, Replace replace);

// A backup's time as the lists show it, in local time: "2026-12-07 21:50:10".
std::string BackupTimeText(std::chrono::sys_seconds time);
// As the record keeps it, in UTC: "2026-12-07T21:50:10Z".
std::string BackupTimeUtc(std::chrono::sys_seconds time);

}  // namespace frondel
