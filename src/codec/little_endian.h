#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace frondel {

// Fields of the on-disk formats are little-endian and read byte by byte, never by casting.

inline std::int32_t GetInt32(std::span<const std::uint8_t> bytes, std::size_t at) {
  const std::uint32_t v = std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
                          std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
  return static_cast<std::int32_t>(v);
}

inline void PutInt32(std::span<std::uint8_t> bytes, std::size_t at, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void PutInt16(std::span<std::uint8_t> bytes, std::size_t at, std::int16_t value) {
  const auto v = static_cast<std::uint16_t>(value);
  bytes[at] = static_cast<std::uint8_t>(v);
  bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace frondel
