#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace frondel::testing {

// Deterministic bytes with structure: not all zero, not constant, compressible but not trivially.
inline Bytes PatternBytes(std::size_t n, std::uint32_t seed) {
  Bytes out(n);
  std::uint32_t x = seed * 2654435761u + 1;
  for (std::size_t i = 0; i < n; ++i) {
    x = x * 1664525u + 1013904223u;
    out[i] = static_cast<std::uint8_t>((i / 64 + seed) ^ (x >> 28));
  }
  return out;
}

inline Bytes Join(std::initializer_list<ByteView> parts) {
  Bytes joined;
  for (ByteView part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

inline void WriteBytes(const std::filesystem::path& file, const Bytes& bytes) {
  WriteWholeFile(file, {bytes});
}

// Every file below `folder` with its bytes, to show that an operation changed nothing.
inline std::map<std::string, Bytes> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, Bytes> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string name = entry.path().lexically_relative(folder).generic_string();
    files[name] = entry.is_regular_file() ? ReadWholeFile(entry.path()) : Bytes{};
  }
  return files;
}

// Equality that names the first differing byte instead of dumping two megabytes.
inline ::testing::AssertionResult SameBytes(const Bytes& expected, const Bytes& actual) {
  const std::size_t common = std::min(expected.size(), actual.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (expected[i] != actual[i]) {
      return ::testing::AssertionFailure() << "first difference at byte " << i << ": expected "
                                           << int(expected[i]) << ", got " << int(actual[i]);
    }
  }
  if (expected.size() != actual.size()) {
    return ::testing::AssertionFailure()
           << "lengths differ: expected " << expected.size() << ", got " << actual.size();
  }
  return ::testing::AssertionSuccess();
}

}  // namespace frondel::testing
