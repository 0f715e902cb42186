#include "registrar/copy_replacing.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "registrar/platform_error.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace kestrup {
namespace {

struct CloseFile {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, CloseFile>;

// Opens `file`; a refusal is reported against `named`, the file the user knows about.
FilePtr Open(const fs::path& file, const char* mode, const fs::path& named) {
#ifdef _WIN32
  const std::wstring wide_mode(mode, mode + std::char_traits<char>::length(mode));
  std::FILE* f = _wfopen(file.c_str(), wide_mode.c_str());
#else
  std::FILE* f = std::fopen(file.c_str(), mode);
#endif
  if (f == nullptr) throw PlatformError(named, SystemReason(errno));
  return FilePtr(f);
}

// Flushes and closes `f`, with its bytes on disk before the rename makes them the file.
void FinishWriting(FilePtr f, const fs::path& named) {
  if (std::fflush(f.get()) != 0) throw PlatformError(named, SystemReason(errno));
#ifdef _WIN32
  const int synced = _commit(_fileno(f.get()));
#else
  const int synced = fsync(fileno(f.get()));
#endif
  if (synced != 0) throw PlatformError(named, SystemReason(errno));
  if (std::fclose(f.release()) != 0) throw PlatformError(named, SystemReason(errno));
}

void CopyBytes(std::FILE* source, const fs::path& from, std::FILE* target, const fs::path& to) {
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), source);
    if (std::ferror(source)) throw PlatformError(from, SystemReason(errno));
    if (got == 0) return;
    if (std::fwrite(buffer.data(), 1, got, target) != got) {
      throw PlatformError(to, SystemReason(errno));
    }
  }
}

}  // namespace

void CopyReplacing(const fs::path& from, const fs::path& to) {
  FilePtr source = Open(from, "rb", from);
  fs::path partial = to;
  partial += ".partial";
  try {
    FilePtr target = Open(partial, "wb", to);
    CopyBytes(source.get(), from, target.get(), to);
    FinishWriting(std::move(target), to);
    std::error_code ec;
    fs::rename(partial, to, ec);
    if (ec) throw PlatformError(to, ec.message());
  } catch (...) {
    std::error_code ignored;
    fs::remove(partial, ignored);
    throw;
  }
}

}  // namespace kestrup
