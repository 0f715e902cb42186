#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace frondel {

// SHA-256 over bytes given in any number of pieces. None of the libraries the core links
// computes it, and the backups' record names each kept file by it.
class Sha256 {
 public:
  Sha256();
  void Add(std::span<const std::uint8_t> bytes);
  // The digest as 64 lowercase hexadecimal digits; the object is spent afterwards.
  std::string HexDigest();

 private:
  void Compress(const std::uint8_t* block);

  std::array<std::uint32_t, 8> state_;
  std::array<std::uint8_t, 64> block_{};
  std::size_t used_ = 0;  // bytes waiting in block_
  std::uint64_t length_ = 0;
};

// The digest of the bytes at once.
std::string Sha256Hex(std::span<const std::uint8_t> bytes);

}  // namespace frondel
