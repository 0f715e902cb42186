#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>

namespace frondel {

// The longest file name a later start may hand over to the running program, in bytes of
// UTF-8: one path, with room to spare. Bounds what a message may cost the receiver.
inline constexpr std::size_t kLongestHandOver = 32 * 1024;

// What a later start's message asks the running program for: `file` itself, empty for
// nothing but to come forward. Nothing when it is refused: longer than kLongestHandOver,
// holding a control character (a line break would cut it), not a full path, or not naming an
// existing file.
std::optional<std::filesystem::path> HandedFile(const std::filesystem::path& file);

}  // namespace frondel
