#include "codec/deflate_blocks.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "support/bytes.h"

namespace frondel {
namespace {

using testing::PatternBytes;

// A raw stream by zlib of `parts`, each but the last ended by `flush`, and where each of those
// parts' blocks end, in bits: Z_BLOCK holds up to seven of them back.
struct Deflated {
  Bytes stream;
  std::vector<std::size_t> ends;
};

Deflated Deflate(const std::vector<Bytes>& parts, int flush, int level, int strategy) {
  z_stream z{};
  EXPECT_EQ(deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, strategy), Z_OK);
  Deflated out;
  out.stream.resize(1 << 20);
  z.next_out = out.stream.data();
  z.avail_out = static_cast<uInt>(out.stream.size());
  for (std::size_t i = 0; i < parts.size(); ++i) {
    z.next_in = const_cast<Bytef*>(parts[i].data());
    z.avail_in = static_cast<uInt>(parts[i].size());
    const bool last = i + 1 == parts.size();
    EXPECT_EQ(deflate(&z, last ? Z_FINISH : flush), last ? Z_STREAM_END : Z_OK);
    unsigned pending = 0;
    int bits = 0;
    deflatePending(&z, &pending, &bits);
    if (!last) out.ends.push_back((z.total_out + pending) * 8 + bits);
  }
  out.stream.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

Bytes Text(std::size_t n, int seed) {
  const std::string words = "the walk skips every code and writes nothing out ";
  Bytes out(n);
  for (std::size_t i = 0; i < n; ++i) out[i] = words[(i * 7 / 5 + seed * (i / 300)) % words.size()];
  return out;
}

unsigned BlockType(const Bytes& stream, std::size_t bit) {
  const auto at = [&](std::size_t b) { return stream[b / 8] >> b % 8 & 1u; };
  return at(bit + 1) | at(bit + 2) << 1;
}

TEST(DeflateBlocks, FindsTheFinalBlockAndTheEnd) {
  // "abc" in fixed codes: the header, three 8-bit literals and the 7-bit end code.
  const Deflated fixed = Deflate({{'a', 'b', 'c'}}, Z_NO_FLUSH, 9, Z_FIXED);
  const auto tiny = WalkDeflateBlocks(fixed.stream);
  ASSERT_TRUE(tiny);
  EXPECT_EQ(tiny->final_block, 0u);
  EXPECT_EQ(tiny->end, 3u + 3 * 8 + 7);

  // Stored blocks, an empty one after each full flush; the last ends on a byte edge.
  const Deflated stored =
      Deflate({PatternBytes(70'000, 1), PatternBytes(300, 2), PatternBytes(10, 3)}, Z_FULL_FLUSH, 0,
              Z_DEFAULT_STRATEGY);
  const auto edge = WalkDeflateBlocks(stored.stream);
  ASSERT_TRUE(edge);
  EXPECT_EQ(edge->final_block, stored.ends.back());
  EXPECT_EQ(edge->end, stored.stream.size() * 8);

  // Dynamic codes, the blocks ending anywhere in a byte; bytes after the end are not read.
  Deflated dynamic = Deflate({Text(20'000, 1), Text(9'000, 2), Text(5'000, 3)}, Z_BLOCK,
                             Z_DEFAULT_COMPRESSION, Z_DEFAULT_STRATEGY);
  ASSERT_EQ(BlockType(dynamic.stream, dynamic.ends.back()), 2u);
  ASSERT_NE(dynamic.ends.back() % 8, 0u);
  const std::size_t length = dynamic.stream.size();
  dynamic.stream.insert(dynamic.stream.end(), {0xff, 0x07, 0x00});
  const auto coded = WalkDeflateBlocks(dynamic.stream);
  ASSERT_TRUE(coded);
  EXPECT_EQ(coded->final_block, dynamic.ends.back());
  EXPECT_GT(coded->end, (length - 1) * 8);
  EXPECT_LE(coded->end, length * 8);
}

TEST(DeflateBlocks, RefusesCutAndDamagedStreams) {
  const Deflated dynamic =
      Deflate({Text(3'000, 1), Text(1'000, 2)}, Z_BLOCK, 6, Z_DEFAULT_STRATEGY);
  const Deflated stored = Deflate({PatternBytes(500, 3)}, Z_NO_FLUSH, 0, Z_DEFAULT_STRATEGY);
  for (const Bytes* whole : {&dynamic.stream, &stored.stream}) {
    // Copies of their exact length, so that a sanitizer sees any read past the end.
    for (std::size_t cut = 0; cut < whole->size(); ++cut) {
      EXPECT_FALSE(WalkDeflateBlocks(Bytes(whole->begin(), whole->begin() + cut))) << cut;
    }
    // A flipped bit may still make a stream; then it ends inside the bytes given.
    for (std::size_t bit = 0; bit < whole->size() * 8; ++bit) {
      Bytes damaged = *whole;
      damaged[bit / 8] ^= static_cast<std::uint8_t>(1u << bit % 8);
      if (const auto blocks = WalkDeflateBlocks(damaged)) {
        EXPECT_LT(blocks->final_block, blocks->end);
        EXPECT_LE(blocks->end, damaged.size() * 8);
      }
    }
  }

  const struct {
    const char* what;
    Bytes stream;
  } malformed[] = {
      {"no bytes", {}},
      {"the reserved block type", {0x07, 0x00}},
      {"stored lengths that disagree", {0x01, 0x01, 0x00, 0xff, 0xff, 0x61}},
      {"stored bytes past the end", {0x01, 0x05, 0x00, 0xfa, 0xff, 0x61, 0x62}},
      {"no final block", {0x00, 0x00, 0x00, 0xff, 0xff}},
      {"code length codes that make no code", {0x05, 0x00, 0x00, 0x00, 0x00}},
      // Fixed codes: the literal/length symbol 286, and the distance symbol 30, each with room
      // after it for the extra bits and the end code it would have.
      {"a length symbol out of range", {0x1b, 0x03, 0x00, 0x00, 0x00, 0x00}},
      {"a distance symbol out of range", {0x03, 0x3e, 0x00, 0x00, 0x00, 0x00}},
  };
  for (const auto& [what, stream] : malformed) EXPECT_FALSE(WalkDeflateBlocks(stream)) << what;
}

}  // namespace
}  // namespace frondel
