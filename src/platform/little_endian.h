#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace frondel {

// Fields of the on-disk formats (menu texture files, DDS headers) are little-endian and are
// read and written byte by byte at a named offset, never by casting a buffer.

inline std::uint32_t GetU32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
         std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

inline std::uint16_t GetU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// The few big-endian fields: sizes in the headers of PNG and JPEG pictures.
inline std::uint16_t GetU16BigEndian(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

inline std::uint32_t GetU32BigEndian(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::uint32_t{GetU16BigEndian(bytes, at)} << 16 | GetU16BigEndian(bytes, at + 2);
}

inline std::int32_t GetInt32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::int32_t>(GetU32(bytes, at));
}

inline void PutU32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void PutInt32(std::span<std::uint8_t> bytes, std::size_t at, std::int32_t value) {
  PutU32(bytes, at, static_cast<std::uint32_t>(value));
}

inline void PutInt16(std::span<std::uint8_t> bytes, std::size_t at, std::int16_t value) {
  const auto v = static_cast<std::uint16_t>(value);
  bytes[at] = static_cast<std::uint8_t>(v);
  bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace frondel
