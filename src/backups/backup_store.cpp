#include "backups/backup_store.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <ctime>
#include <system_error>

#include "backups/sha256.h"
#include "platform/file_error.h"
#include "platform/folder_lock.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;
using std::chrono::sys_seconds;

constexpr char kRecordName[] = "backups.txt";
constexpr char kLockName[] = "backups.lock";
// Files are compared and hashed in pieces of this size, so a large one is never read whole.
constexpr std::size_t kPiece = std::size_t{1} << 20;

// The record: everything it held, the lines that do not read as a backup kept as they are so
// that rewriting it loses nothing.
struct Record {
  std::vector<Backup> backups;
  std::vector<std::string> other_lines;
};

fs::path RecordPath(const fs::path& root) { return BackupsFolder(root) / kRecordName; }

std::tm LocalTime(sys_seconds time) {
  const std::time_t t = std::chrono::system_clock::to_time_t(time);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  return local;
}

std::string Format(const std::tm& time, const char* pattern) {
  std::array<char, 32> text{};
  return std::string(text.data(), std::strftime(text.data(), text.size(), pattern, &time));
}

std::string UtcText(sys_seconds time) {
  const auto day = std::chrono::floor<std::chrono::days>(time);
  const std::chrono::year_month_day date{day};
  const std::chrono::hh_mm_ss clock{time - day};
  std::array<char, 32> text{};
  const int n =
      std::snprintf(text.data(), text.size(), "%04d-%02u-%02uT%02d:%02d:%02dZ", int(date.year()),
                    unsigned(date.month()), unsigned(date.day()), int(clock.hours().count()),
                    int(clock.minutes().count()), int(clock.seconds().count()));
  return std::string(text.data(), static_cast<std::size_t>(n));
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

std::optional<sys_seconds> ParseUtc(std::string_view text) {
  int year = 0;
  unsigned month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
  if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':' || text[19] != 'Z' || !ReadNumber(text.substr(0, 4), year) ||
      !ReadNumber(text.substr(5, 2), month) || !ReadNumber(text.substr(8, 2), day) ||
      !ReadNumber(text.substr(11, 2), hour) || !ReadNumber(text.substr(14, 2), minute) ||
      !ReadNumber(text.substr(17, 2), second)) {
    return std::nullopt;
  }
  const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month),
                                         std::chrono::day(day)};
  if (!date.ok() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return std::chrono::sys_days(date) + std::chrono::hours(hour) + std::chrono::minutes(minute) +
         std::chrono::seconds(second);
}

// A path on one line of the record: '%', CR and LF written as %25, %0D and %0A.
std::string EscapePath(const fs::path& path) {
  std::string text;
  for (char c : PathText(path)) {
    if (c == '%') {
      text += "%25";
    } else if (c == '\r') {
      text += "%0D";
    } else if (c == '\n') {
      text += "%0A";
    } else {
      text += c;
    }
  }
  return text;
}

fs::path UnescapePath(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const std::string_view code = text.substr(i + 1, 2);
      if (code == "25" || code == "0D" || code == "0A") {
        plain += code == "25" ? '%' : code == "0D" ? '\r' : '\n';
        i += 2;
        continue;
      }
    }
    plain += text[i];
  }
  return fs::path(std::u8string(plain.begin(), plain.end()));
}

std::vector<std::string_view> SplitTabs(std::string_view line, std::size_t fields) {
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < fields) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) break;
    parts.push_back(line.substr(0, tab));
    line.remove_prefix(tab + 1);
  }
  parts.push_back(line);
  return parts;
}

// One line: "ID<tab>TIME<tab>SIZE<tab>SHA-256<tab>KEPT FILE'S NAME<tab>ORIGINAL PATH"; the
// original path comes last, so that a tab in it reads back.
std::optional<Backup> ParseLine(const fs::path& root, std::string_view line) {
  const std::vector<std::string_view> parts = SplitTabs(line, 6);
  if (parts.size() != 6) return std::nullopt;
  Backup backup;
  const std::optional<sys_seconds> time = ParseUtc(parts[1]);
  if (!ReadNumber(parts[0], backup.id) || !time || !ReadNumber(parts[2], backup.size) ||
      parts[3].size() != 64 || parts[4].empty() || parts[5].empty()) {
    return std::nullopt;
  }
  backup.time = *time;
  backup.sha256 = std::string(parts[3]);
  const fs::path name = UnescapePath(parts[4]);
  if (name.has_parent_path()) return std::nullopt;  // never outside backups/
  backup.file = BackupsFolder(root) / name;
  backup.original = UnescapePath(parts[5]);
  return backup;
}

Record ReadRecord(const fs::path& root) {
  Record record;
  const fs::path path = RecordPath(root);
  if (!FileExists(path)) return record;
  const Bytes bytes = ReadWholeFile(path);
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty()) continue;
    if (std::optional<Backup> backup = ParseLine(root, line)) {
      record.backups.push_back(std::move(*backup));
    } else {
      record.other_lines.emplace_back(line);
    }
  }
  return record;
}

void WriteRecord(const fs::path& root, const Record& record) {
  std::string text;
  for (const std::string& line : record.other_lines) text += line + "\n";
  for (const Backup& b : record.backups) {
    text += std::to_string(b.id) + "\t" + UtcText(b.time) + "\t" + std::to_string(b.size) + "\t" +
            b.sha256 + "\t" + EscapePath(b.file.filename()) + "\t" + EscapePath(b.original) + "\n";
  }
  WriteWholeFile(RecordPath(root),
                 {ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())});
}

// Whether the file holds exactly `bytes`, read a piece at a time.
bool FileHolds(const fs::path& file, ByteView bytes) {
  if (FileLength(file) != static_cast<std::int64_t>(bytes.size())) return false;
  Bytes piece(std::min(kPiece, bytes.size()));
  for (std::size_t at = 0; at < bytes.size(); at += piece.size()) {
    const std::size_t want = std::min(piece.size(), bytes.size() - at);
    const std::span<std::uint8_t> part(piece.data(), want);
    if (ReadFileAt(file, static_cast<std::int64_t>(at), part) != want ||
        !std::equal(part.begin(), part.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at))) {
      return false;
    }
  }
  return true;
}

bool SameContent(const fs::path& a, const fs::path& b) {
  const std::int64_t length = FileLength(a);
  if (length != FileLength(b)) return false;
  Bytes pa(kPiece), pb(kPiece);
  for (std::int64_t at = 0; at < length; at += static_cast<std::int64_t>(kPiece)) {
    const std::size_t got_a = ReadFileAt(a, at, pa);
    if (ReadFileAt(b, at, pb) != got_a || !std::equal(pa.begin(), pa.begin() + got_a, pb.begin())) {
      return false;
    }
  }
  return true;
}

struct Digest {
  std::int64_t size = 0;
  std::string sha256;
};

Digest DigestOf(const fs::path& file) {
  Sha256 hash;
  Bytes piece(kPiece);
  std::int64_t at = 0;
  for (;;) {
    const std::size_t got = ReadFileAt(file, at, piece);
    if (got == 0) break;
    hash.Add({piece.data(), got});
    at += static_cast<std::int64_t>(got);
  }
  return {at, hash.HexDigest()};
}

// A name a person can read: "2026-12-07 21-50-10 menu_ex.bin", with " (2)" and on after the
// time when one of that name is there. Control characters of the original name become '_'.
fs::path FreeName(const fs::path& folder, const fs::path& original, sys_seconds time) {
  std::string name = PathText(original.filename());
  std::replace_if(
      name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '_');
  const std::string stamp = Format(LocalTime(time), "%Y-%m-%d %H-%M-%S");
  for (int n = 1;; ++n) {
    const std::string text = stamp + (n == 1 ? "" : " (" + std::to_string(n) + ")") + " " + name;
    fs::path candidate = folder / fs::path(std::u8string(text.begin(), text.end()));
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
  }
}

// Makes the backup file of `target`, linked or copied, under the lock of backups/.
Backup MakeBackup(const fs::path& root, const fs::path& target, sys_seconds now) {
  const fs::path folder = BackupsFolder(root);
  Backup backup;
  backup.time = now;
  backup.original = fs::absolute(target);
  backup.file = FreeName(folder, target, now);
  std::error_code ec;
  // A link to a symbolic link would keep the link, not what it showed: that is copied.
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    ec = std::make_error_code(std::errc::not_supported);
  } else {
    fs::create_hard_link(target, backup.file, ec);
  }
  if (ec) {
    // Another file system, or one without links: a copy, whole on disk before anything goes.
    const Bytes bytes = ReadWholeFile(target);
    WriteUserFile(backup.file, {bytes}, Replace::Never);
    backup.size = static_cast<std::int64_t>(bytes.size());
    backup.sha256 = Sha256Hex(bytes);
  } else {
    try {
      const Digest digest = DigestOf(backup.file);
      backup.size = digest.size;
      backup.sha256 = digest.sha256;
    } catch (...) {
      fs::remove(backup.file, ec);
      throw;
    }
  }
  return backup;
}

template <typename Same>
std::optional<Backup> Keep(const fs::path& root, const fs::path& target, sys_seconds now,
                           Same same_as_replacement) {
  if (!FileExists(target) || same_as_replacement()) return std::nullopt;
  const fs::path folder = BackupsFolder(root);
  MakeFolder(folder);
  std::optional<Backup> made;
  {
    const FolderLock lock(folder / kLockName);
    Record record = ReadRecord(root);
    made = MakeBackup(root, target, now);
    int last = 0;
    for (const Backup& b : record.backups) last = std::max(last, b.id);
    made->id = last + 1;
    record.backups.push_back(*made);
    try {
      WriteRecord(root, record);
    } catch (...) {
      // An unrecorded backup could never be restored: the replacement must not go ahead.
      std::error_code ignored;
      fs::remove(made->file, ignored);
      throw;
    }
  }
  try {
    PruneBackups(root, now);
  } catch (const FileError&) {
    // The backup is made and recorded; making room can wait for the next one.
  }
  return made;
}

}  // namespace

fs::path BackupsFolder(const fs::path& root) { return root / "backups"; }

std::optional<Backup> KeepReplacedFile(const fs::path& root, const fs::path& target,
                                       ByteView replacement, sys_seconds now) {
  return Keep(root, target, now, [&] { return FileHolds(target, replacement); });
}

std::optional<Backup> KeepReplacedFile(const fs::path& root, const fs::path& target,
                                       const fs::path& replacement, sys_seconds now) {
  // Without a replacement nothing will be replaced, and the caller's move says why.
  return Keep(root, target, now,
              [&] { return !FileExists(replacement) || SameContent(target, replacement); });
}

void PruneBackups(const fs::path& root, sys_seconds now, std::int64_t room_bytes) {
  const fs::path folder = BackupsFolder(root);
  if (!fs::is_directory(folder)) return;
  const FolderLock lock(folder / kLockName);
  Record record = ReadRecord(root);
  std::stable_sort(record.backups.begin(), record.backups.end(),
                   [](const Backup& a, const Backup& b) { return a.time < b.time; });
  std::int64_t total = 0;
  for (const Backup& b : record.backups) total += b.size;
  std::vector<Backup> kept;
  for (const Backup& b : record.backups) {
    const auto age = now - b.time;
    const bool too_old = age > kBackupKeepDays || total > room_bytes;
    std::error_code ec;
    const bool there = fs::exists(fs::symlink_status(b.file, ec));
    if (there && (!too_old || age < kBackupSafeAge)) {
      kept.push_back(b);
      continue;
    }
    if (there && !fs::remove(b.file, ec) && ec) {
      kept.push_back(b);
      continue;
    }
    total -= b.size;
  }
  if (kept.size() == record.backups.size()) return;
  record.backups = std::move(kept);
  WriteRecord(root, record);
}

std::vector<Backup> ListBackups(const fs::path& root) {
  const fs::path folder = BackupsFolder(root);
  if (!fs::is_directory(folder)) return {};
  Record record;
  {
    const FolderLock lock(folder / kLockName);
    record = ReadRecord(root);
  }
  std::vector<Backup> list;
  for (Backup& b : record.backups) {
    if (FileExists(b.file)) list.push_back(std::move(b));
  }
  std::stable_sort(list.begin(), list.end(), [](const Backup& a, const Backup& b) {
    return a.time != b.time ? a.time > b.time : a.id > b.id;
  });
  return list;
}

void RestoreBackup(const fs::path& root, const Backup& backup, const fs::path& to,
                   Replace replace) {
  const Bytes bytes = ReadWholeFile(backup.file);
  if (static_cast<std::int64_t>(bytes.size()) != backup.size || Sha256Hex(bytes) != backup.sha256) {
    throw FileError("restore", backup.file,
                    "the backup no longer holds what was kept (its SHA-256 differs from the "
                    "record)");
  }
  if (replace == Replace::Existing) KeepReplacedFile(root, to, bytes);
  WriteUserFile(to, {bytes}, replace);
}

std::string BackupTimeText(sys_seconds time) {
  return Format(LocalTime(time), "%Y-%m-%d %H:%M:%S");
}

std::string BackupTimeUtc(sys_seconds time) { return UtcText(time); }

}  // namespace frondel
