#include "platform/temporary_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_error.h"

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace frondel {
namespace {

constexpr std::string_view kMarker = ".frondel-";
constexpr std::string_view kEnding = ".partial";
constexpr std::size_t kRandomDigits = 16;

std::string RandomDigits() {
  thread_local std::mt19937_64 generator{[] {
    std::random_device device;
    return (std::uint64_t{device()} << 32) ^ device();
  }()};
  constexpr char kHex[] = "0123456789abcdef";
  std::uint64_t value = generator();
  std::string digits(kRandomDigits, '0');
  for (char& digit : digits) {
    digit = kHex[value & 15];
    value >>= 4;
  }
  return digits;
}

fs::path TemporaryName(const fs::path& target) {
  fs::path name = target.parent_path();
  name /= fs::path(u8".");
  name += target.filename();
  name += std::string(kMarker) + RandomDigits() + std::string(kEnding);
  return name;
}

// Creates `file` for writing only when nothing at all is at its name (a link included).
int CreateExclusive(const fs::path& file) {
#ifdef _WIN32
  // The runtime's exclusive open is CreateFileW with CREATE_NEW, and its failures are errno
  // values, worded as on every other platform.
  int fd = -1;
  _wsopen_s(&fd, file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
            _SH_DENYNO, _S_IREAD | _S_IWRITE);
  return fd;
#else
  return open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
#endif
}

}  // namespace

TemporaryFile::TemporaryFile(const fs::path& target) : target_(target) {
  // Another write may have drawn the same name: draw again.
  for (int attempt = 0; attempt < 8; ++attempt) {
    path_ = TemporaryName(target);
    fd_ = CreateExclusive(path_);
    if (fd_ >= 0 || errno != EEXIST) break;
  }
  if (fd_ < 0) throw FileError("write", target, SystemReason(errno));
}

TemporaryFile::~TemporaryFile() {
#ifdef _WIN32
  if (fd_ >= 0) _close(fd_);
#else
  if (fd_ >= 0) close(fd_);
#endif
  if (kept_) return;
  std::error_code ignored;
  fs::remove(path_, ignored);
}

void TemporaryFile::Write(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    // Pieces of at most 1 GiB, which every platform's count type can hold.
    const std::size_t piece = std::min<std::size_t>(bytes.size(), std::size_t{1} << 30);
#ifdef _WIN32
    const int written = _write(fd_, bytes.data(), static_cast<unsigned>(piece));
#else
    const ssize_t written = write(fd_, bytes.data(), piece);
#endif
    if (written < 0) {
      if (errno == EINTR) continue;
      throw FileError("write", target_, SystemReason(errno));
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
}

void TemporaryFile::Sync() {
#ifdef _WIN32
  const int synced = _commit(fd_);
#else
  const int synced = fsync(fd_);
#endif
  if (synced != 0) throw FileError("write", target_, SystemReason(errno));
}

void TemporaryFile::Close() {
  const int fd = fd_;
  fd_ = -1;
#ifdef _WIN32
  const int closed = _close(fd);
#else
  const int closed = close(fd);
#endif
  // A network file system may report a failed write only here.
  if (closed != 0 && errno != EINTR) throw FileError("write", target_, SystemReason(errno));
}

bool IsTemporaryName(const fs::path& file) {
  const std::string name = PathText(file.filename());
  constexpr std::size_t kSuffix = kMarker.size() + kRandomDigits + kEnding.size();
  if (name.size() < 2 + kSuffix || name.front() != '.') return false;
  const std::string_view suffix = std::string_view(name).substr(name.size() - kSuffix);
  const std::string_view digits = suffix.substr(kMarker.size(), kRandomDigits);
  return suffix.starts_with(kMarker) && suffix.ends_with(kEnding) &&
         std::all_of(digits.begin(), digits.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

int RemoveStaleTemporaries(const fs::path& folder, std::chrono::seconds age) {
  int removed = 0;
  std::error_code ec;
  const auto now = fs::file_time_type::clock::now();
  for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end; entry.increment(ec)) {
    if (!IsTemporaryName(entry->path())) continue;
    std::error_code ignored;
    // symlink_status: a link at one of our names is not ours, whatever it points to.
    if (!fs::is_regular_file(entry->symlink_status(ignored))) continue;
    const auto written = fs::last_write_time(entry->path(), ignored);
    if (ignored || now - written <= age) continue;
    if (fs::remove(entry->path(), ignored)) ++removed;
  }
  return removed;
}

}  // namespace frondel
