#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>

namespace frondel {

// The longest file name a later start may hand over to the running program, in bytes of
// UTF-8: one path, with room to spare. Bounds what a message may cost the receiver.
inline constexpr std::size_t kLongestHandOver = 32 * 1024;

// What a later start's message asks the running program for.
struct HandOverRequest {
  enum class Status { Taken, Refused };
  Status status;
  // Taken: the file to open, or none when the start only asks it to come forward.
  std::optional<std::filesystem::path> file;
};

// Whether a later start may hand `file` over: no longer than kLongestHandOver, holding no
// control character (a line break would cut it), and a full path naming an existing file.
bool CanHandOver(const std::filesystem::path& file);

// A message naming `file`: taken with it when CanHandOver(file), else refused.
HandOverRequest RequestToOpen(const std::filesystem::path& file);

}  // namespace frondel
