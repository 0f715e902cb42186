#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "building/payload_parts.h"
#include "codec/parallel_deflate.h"
#include "codec/stream_codec.h"
#include "platform/little_endian.h"
#include "support/bytes.h"
#include "support/temp_folder.h"
#ifdef FRONDEL_WITH_LIBDEFLATE
#include "codec/libdeflate_buffers.h"
#endif

namespace frondel {
namespace {

using testing::PatternBytes;
using testing::SameBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Bytes whose pieces deflate into every kind of block: noise (stored), runs of zeros and
// patterned stretches (fixed and dynamic codes), so the pieces end at every bit of a byte.
Bytes MixedBytes(std::size_t n) {
  Bytes out = PatternBytes(n, 7);
  std::uint32_t x = 99;
  for (std::size_t i = 0; i < n; ++i) {
    x = x * 1664525u + 1013904223u;
    if (i / 40'000 % 4 == 1) out[i] = static_cast<std::uint8_t>(x >> 24);
    if (i / 40'000 % 4 == 2) out[i] = 0;
  }
  return out;
}

Bytes ZlibInPieces(const Bytes& data, unsigned threads, std::size_t piece_length) {
  std::vector<std::size_t> lengths(std::max<std::size_t>(1, data.size() / piece_length),
                                   piece_length);
  lengths.back() = data.size() - (lengths.size() - 1) * piece_length;
  Bytes out;
  AppendZlibInPieces(data, lengths, threads, out);
  return out;
}

TEST(DeflatePieces, OnePieceForEachThreadTheLastLongest) {
  EXPECT_EQ(PieceLengths(5 * kDeflatePieceLength, 1).size(), 1u);
  EXPECT_EQ(PieceLengths(2 * kDeflatePieceLength - 1, 8).size(), 1u);
  for (const unsigned threads : {2u, 3u, 16u}) {
    const std::size_t length = 4 * kDeflatePieceLength + 12345;
    const std::vector<std::size_t> lengths = PieceLengths(length, threads);
    SCOPED_TRACE(threads);
    // As many as the threads, or as fit: how many fit depends on what a walk costs.
    EXPECT_GE(lengths.size(), std::min<std::size_t>(threads, 3));
    EXPECT_LE(lengths.size(), std::min<std::size_t>(threads, 4));
    std::size_t sum = 0;
    for (const std::size_t piece : lengths) {
      EXPECT_GE(piece, kDeflatePieceLength);
      EXPECT_LE(piece, lengths.back());
      sum += piece;
    }
    EXPECT_EQ(sum, length);
  }
}

TEST(DeflatePieces, JoinIntoOneStreamThatEveryInflaterReads) {
  const std::size_t payload = payload::kTemplateOffset + 64 * 1024;
  const struct {
    std::size_t size, piece_length;
  } cases[] = {{0, kDeflatePieceLength},
               {1000, kDeflatePieceLength},
               {kDeflatePieceLength, kDeflatePieceLength},
               {kDeflatePieceLength + 1, kDeflatePieceLength},
               {5 * kDeflatePieceLength + 777, kDeflatePieceLength},
               {payload, kDeflatePieceLength},
               // Hundreds of pieces, whose last bits fall on every bit of a byte.
               {300'000, 997}};
  TempFolder dir;
  std::string files;
  for (const auto& [size, piece_length] : cases) {
    SCOPED_TRACE(std::to_string(size) + " bytes in pieces of " + std::to_string(piece_length));
    const Bytes data = MixedBytes(size);
    const Bytes stream = ZlibInPieces(data, 3, piece_length);
    // The threads take the pieces in any order; the stream does not depend on it.
    EXPECT_TRUE(SameBytes(stream, ZlibInPieces(data, 1, piece_length)));
    EXPECT_TRUE(SameBytes(stream, ZlibInPieces(data, 2, piece_length)));

    Bytes out(size + 1);
    uLongf length = out.size();
    ASSERT_EQ(uncompress(out.data(), &length, stream.data(), stream.size()), Z_OK);
    out.resize(length);
    EXPECT_TRUE(SameBytes(data, out));
#ifdef FRONDEL_WITH_LIBDEFLATE
    Bytes by_libdeflate(size);
    EXPECT_EQ(DeflateDecompressor().DecodeWhole(stream, by_libdeflate), size);
    EXPECT_TRUE(SameBytes(data, by_libdeflate));
#endif
    const std::string name = std::to_string(size) + "-" + std::to_string(piece_length);
    WriteBytes(dir / (name + ".data"), data);
    WriteBytes(dir / (name + ".zlib"), stream);
    files += " " + name;
  }
  // And the single stream that the codec makes on one thread.
  const Bytes small = PatternBytes(300'000, 42);
  const Bytes packed = StreamCodec().CompressStream(small);
  WriteBytes(dir / "one.data", small);
  WriteBytes(dir / "one.zlib", Bytes(packed.begin() + 4, packed.end()));
  files += " one";
#ifndef _WIN32  // no Python beside the Windows build
  const std::string check =
      "cd '" + dir.path().string() +
      "' && python3 -c \"import sys, zlib; sys.exit(any(zlib.decompress(open(n + '.zlib', "
      "'rb').read()) != open(n + '.data', 'rb').read() for n in sys.argv[1:]))\"" +
      files;
  EXPECT_EQ(std::system(check.c_str()), 0);
#endif
}

TEST(DeflatePieces, CodecOnThreadsKeepsTheLengthFieldAndTheSize) {
  const Bytes data = MixedBytes(payload::kTemplateOffset + 64 * 1024);
  const StreamCodec one_thread(1), two_threads(2);
  const Bytes single = one_thread.CompressStream(data);
  const Bytes parallel = two_threads.CompressStream(data);
  EXPECT_EQ(GetInt32(parallel, 0), static_cast<std::int32_t>(data.size()));
  EXPECT_LE(parallel.size(), single.size() + single.size() / 100);
  const Uncompressed back = one_thread.UncompressStream(parallel);
  EXPECT_EQ(back.status, UncompressStatus::Complete);
  EXPECT_TRUE(SameBytes(data, back.bytes));
}

}  // namespace
}  // namespace frondel
