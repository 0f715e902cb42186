#include <gtest/gtest.h>
#include <zlib.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>
#include <optional>

#include "codec/stream_codec.h"
#include "platform/little_endian.h"
#include "support/bytes.h"
#include "support/temp_folder.h"

// Records the largest single allocation, to show that a forged length cannot make the codec
// ask for gigabytes.
namespace {
std::atomic<std::size_t> largest_allocation{0};
}
void* operator new(std::size_t size) {
  std::size_t seen = largest_allocation.load();
  while (size > seen && !largest_allocation.compare_exchange_weak(seen, size)) {
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
// The image library that the core links allocates with this form; the library's own would
// not pair with the free below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace frondel {
namespace {

using testing::PatternBytes;
using testing::SameBytes;
using testing::TempFolder;
using testing::WriteBytes;

// A length-prefixed stream: `stored`, then the zlib stream of `data` made by zlib itself, so
// that where a test's damage lands does not depend on the library the codec packs with.
Bytes StreamWithStoredLength(const Bytes& data, std::int32_t stored) {
  uLongf length = compressBound(data.size());
  Bytes stream(4 + length);
  compress(stream.data() + 4, &length, data.data(), data.size());
  stream.resize(4 + length);
  PutInt32(stream, 0, stored);
  return stream;
}

// What zlib's uncompress alone makes of a length-prefixed stream with a positive stored length.
Uncompressed ZlibAlone(const Bytes& stream) {
  Bytes out(std::min<std::size_t>(GetInt32(stream, 0), (stream.size() - 3) * 1032));
  uLongf length = out.size();
  const int rc = uncompress(out.data(), &length, stream.data() + 4, stream.size() - 4);
  out.resize(length);
  return {out, rc == Z_OK          ? UncompressStatus::Complete
               : rc == Z_BUF_ERROR ? UncompressStatus::CutAtStoredLength
                                   : UncompressStatus::Damaged};
}

TEST(CodecEngines, EveryStoredLengthAndDamageGivesWhatZlibGives) {
  const Bytes data = PatternBytes(30'000, 42);
  const auto n = static_cast<std::int32_t>(data.size());
  const auto flip = [](std::size_t at) { return [at](Bytes& s) { s[at % s.size()] ^= 0x5a; }; };
  const struct {
    const char* name;
    std::int32_t stored;
    std::function<void(Bytes&)> edit;
    std::optional<UncompressStatus> expected;  // where it does not depend on the packer
  } cases[] = {
      {"whole", n, [](Bytes&) {}, UncompressStatus::Complete},
      {"stored larger", n + 999, [](Bytes&) {}, UncompressStatus::Complete},
      {"stored forged", std::int32_t{kMaxUnpackedLength}, [](Bytes&) {},
       UncompressStatus::Complete},
      {"stored smaller", 1000, [](Bytes&) {}, UncompressStatus::CutAtStoredLength},
      {"stored one short", n - 1, [](Bytes&) {}, UncompressStatus::CutAtStoredLength},
      {"bad checksum", n, flip(std::size_t(-1)), std::nullopt},
      {"bad header", n, flip(4), UncompressStatus::Damaged},
      {"damaged middle", n, flip(10'000), std::nullopt},
      {"truncated", n, [](Bytes& s) { s.resize(s.size() / 3); }, UncompressStatus::Damaged},
      {"trailing bytes", n, [](Bytes& s) { s.resize(s.size() + 777, 9); },
       UncompressStatus::Complete},
  };
  for (const bool by_codec : {false, true}) {
    for (const auto& c : cases) {
      Bytes stream =
          by_codec ? StreamCodec().CompressStream(data) : StreamWithStoredLength(data, 0);
      PutInt32(stream, 0, c.stored);
      c.edit(stream);
      SCOPED_TRACE(std::string(c.name) + (by_codec ? ", packed by the codec" : ""));
      const Uncompressed ours = StreamCodec().UncompressStream(stream);
      const Uncompressed zlib = ZlibAlone(stream);
      EXPECT_EQ(ours.status, zlib.status);
      EXPECT_EQ(ours.status, c.expected.value_or(zlib.status));
      EXPECT_TRUE(SameBytes(zlib.bytes, ours.bytes));
    }
  }
}

class CodecStreams : public ::testing::Test {
 protected:
  // Decodes `stream`; Out() gives the bytes.
  Uncompressed Uncompress(const Bytes& stream) {
    last = codec.UncompressStream(stream);
    return last;
  }
  const Bytes& Out() const { return last.bytes; }

  Uncompressed last;
  TempFolder dir;
  StreamCodec codec;
  const Bytes data = PatternBytes(300'000, 42);
};

TEST_F(CodecStreams, CompressedIsLengthThenOneZlibStream) {
  const Bytes packed = codec.CompressStream(data);
  ASSERT_GT(packed.size(), 4u);
  EXPECT_EQ(GetInt32(packed, 0), static_cast<std::int32_t>(data.size()));

  // The rest is exactly one stream that zlib itself decodes.
  Bytes decoded(data.size());
  uLongf length = decoded.size();
  EXPECT_EQ(uncompress(decoded.data(), &length, packed.data() + 4, packed.size() - 4), Z_OK);
  EXPECT_TRUE(SameBytes(data, decoded));
}

TEST_F(CodecStreams, StoredLengthIsOnlyACapacity) {
  // Larger than the truth: the true length comes out.
  EXPECT_EQ(Uncompress(StreamWithStoredLength(data, data.size() + 999)).status,
            UncompressStatus::Complete);
  EXPECT_TRUE(SameBytes(data, Out()));

  // Smaller: exactly the leading bytes, and the cut is told.
  EXPECT_EQ(Uncompress(StreamWithStoredLength(data, 1000)).status,
            UncompressStatus::CutAtStoredLength);
  EXPECT_TRUE(SameBytes(Bytes(data.begin(), data.begin() + 1000), Out()));
}

TEST_F(CodecStreams, StoredLengthOfZeroOrLessPassesTheBytesOnUndecoded) {
  for (std::int32_t stored : {0, -5, std::numeric_limits<std::int32_t>::min()}) {
    const Bytes stream = StreamWithStoredLength(data, stored);
    EXPECT_EQ(Uncompress(stream).status, UncompressStatus::NotDecoded) << stored;
    EXPECT_TRUE(SameBytes(Bytes(stream.begin() + 4, stream.end()), Out())) << stored;
  }
}

TEST_F(CodecStreams, TrailingBytesAfterTheStreamAreIgnored) {
  Bytes stream = StreamWithStoredLength(data, data.size());
  const Bytes junk = PatternBytes(777, 5);
  stream.insert(stream.end(), junk.begin(), junk.end());
  EXPECT_EQ(Uncompress(stream).status, UncompressStatus::Complete);
  EXPECT_TRUE(SameBytes(data, Out()));
}

TEST_F(CodecStreams, DamagedAndTruncatedStreamsAreToldApart) {
  Bytes damaged = StreamWithStoredLength(data, data.size());
  for (std::size_t i = damaged.size() / 2; i < damaged.size() / 2 + 64; ++i) damaged[i] ^= 0x5a;
  EXPECT_EQ(Uncompress(damaged).status, UncompressStatus::Damaged);

  Bytes truncated = StreamWithStoredLength(data, data.size());
  truncated.resize(truncated.size() / 3);
  EXPECT_EQ(Uncompress(truncated).status, UncompressStatus::Damaged);
  EXPECT_LT(Out().size(), data.size());

  EXPECT_EQ(Uncompress(Bytes{1, 0, 0, 0}).status, UncompressStatus::Damaged);
}

TEST_F(CodecStreams, InputShorterThanItsLengthFieldGivesNothing) {
  EXPECT_EQ(Uncompress(Bytes{1, 2, 3}).status, UncompressStatus::TooShort);
  EXPECT_TRUE(Out().empty());
}

TEST_F(CodecStreams, StoredLengthPastTheCapIsRefusedBeforeAnyBuffer) {
  const Bytes small = PatternBytes(5'000, 3);
  for (const std::int32_t stored : {std::int32_t{kMaxUnpackedLength} + 1, 0x7fffffff}) {
    const Bytes stream = StreamWithStoredLength(small, stored);
    largest_allocation = 0;
    EXPECT_EQ(Uncompress(stream).status, UncompressStatus::TooLarge) << stored;
    EXPECT_LE(largest_allocation.load(), stream.size()) << stored;
    EXPECT_TRUE(SameBytes(Bytes(stream.begin() + 4, stream.end()), Out())) << stored;
  }
}

TEST_F(CodecStreams, BufferGrowsWithWhatTheStreamProducesNotWithWhatItClaims) {
  const struct {
    const char* name;
    Bytes stream;
    UncompressStatus status;
    std::size_t produced;
  } cases[] = {
      // A stream far smaller than its claim, highly compressible and ordinary.
      {"zeros", StreamWithStoredLength(Bytes(3'000'000, 0), kMaxUnpackedLength),
       UncompressStatus::Complete, 3'000'000},
      {"pattern", StreamWithStoredLength(data, kMaxUnpackedLength), UncompressStatus::Complete,
       data.size()},
      // Cut short: what decoded before the end of the input.
      {"truncated",
       [&] {
         Bytes s = StreamWithStoredLength(Bytes(3'000'000, 0), kMaxUnpackedLength);
         s.resize(s.size() / 2);
         return s;
       }(),
       UncompressStatus::Damaged, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    largest_allocation = 0;
    EXPECT_EQ(Uncompress(c.stream).status, c.status);
    if (c.produced != 0) {
      EXPECT_EQ(Out().size(), c.produced);
    }
    EXPECT_LE(largest_allocation.load(), 2 * std::max<std::size_t>(Out().size(), 64 << 10));
  }
  // All-zero data compresses near deflate's limit; the grown buffer still holds it whole.
  const Bytes zeros(20'000'000, 0);
  EXPECT_EQ(Uncompress(StreamWithStoredLength(zeros, kMaxUnpackedLength)).status,
            UncompressStatus::Complete);
  EXPECT_EQ(Out().size(), zeros.size());
}

}  // namespace
}  // namespace frondel
