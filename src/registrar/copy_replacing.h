#pragma once

#include <filesystem>

namespace kestrup {

// Copies `from` to `to`, replacing `to` if it exists. The bytes are flushed to disk under a
// temporary name beside `to` and renamed into place, so `to` is never left half written.
// Throws FileError naming `from` when it cannot be read and `to` when it cannot be written.
void CopyReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace kestrup
