#include "codec/parallel_deflate.h"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <mutex>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#ifdef FRONDEL_WITH_LIBDEFLATE
#include "codec/deflate_blocks.h"
#include "codec/libdeflate_buffers.h"
#endif

namespace frondel {
namespace {

// What zlib's default level writes: deflate, a 32 KiB window, the default level's hint.
constexpr std::uint8_t kZlibHeader[] = {0x78, 0x9c};
constexpr std::size_t kChecksumLength = 4;

struct Piece {
  std::size_t from, length;  // in the data
  std::size_t slot, room;    // where in the output its deflate stream may go
  bool last = false;         // the one whose final block ends the stream
  std::size_t written = 0;
  uLong adler = 0;
};

#ifdef FRONDEL_WITH_LIBDEFLATE
// An empty stored block header after the last bit, then LEN 0 and NLEN 0xffff: at most a byte
// for the header and four for the lengths.
constexpr std::size_t kMostEnding = 5;

// Walking a piece takes about this share of the time deflating it took: core_bench's
// WalkPiece over DeflatePiece, in CPU time, on the first of the menu payload's two pieces.
constexpr double kWalkCost = 0.18;

// libdeflate makes each piece a whole raw deflate stream of its own. It takes no dictionary,
// which across pieces this long costs about 0.01 % in size. Such a stream's last block is
// marked final and its last bit lies inside its last byte, so every piece but the last is
// walked block by block: the final mark is cleared, and an empty stored block after the last
// bit ends the piece on a byte edge, where the next one starts.
class PieceDeflater {
 public:
  PieceDeflater() : compressor_(kPackingLevel) {}

  std::size_t Room(std::size_t length) const { return compressor_.RawBound(length) + kMostEnding; }

  static uLong Checksum(ByteView piece) { return Adler32(piece); }

  std::size_t Deflate(ByteView data, const Piece& piece, std::span<std::uint8_t> slot) {
    const std::size_t length = compressor_.CompressRaw(data.subspan(piece.from, piece.length),
                                                       slot.first(slot.size() - kMostEnding));
    // With room for the bound, only a failed allocation inside the library stops it.
    if (length == 0) throw std::bad_alloc();
    if (piece.last) return length;
    return EndOnByteEdge(slot, length);
  }

 private:
  static std::size_t EndOnByteEdge(std::span<std::uint8_t> slot, std::size_t length) {
    const std::optional<DeflateBlocks> blocks = WalkDeflateBlocks(slot.first(length));
    if (!blocks || blocks->end <= (length - 1) * 8) {
      throw std::logic_error("a deflated piece does not end in its last byte");
    }
    const std::size_t final_block = blocks->final_block;
    const std::size_t spare = length * 8 - blocks->end;
    slot[final_block / 8] &= static_cast<std::uint8_t>(~(1u << final_block % 8));
    slot[length - 1] &= static_cast<std::uint8_t>(0xff >> spare);
    // The stored block's three header bits are zero: they fit in the spare bits or spill
    // into one more zero byte; the block then starts its lengths on the next byte edge.
    if (spare < 3) slot[length++] = 0;
    for (const std::uint8_t b : {0x00, 0x00, 0xff, 0xff}) slot[length++] = b;
    return length;
  }

  DeflateCompressor compressor_;
};
#else
// Pieces end with a sync flush, which takes no walk.
constexpr double kWalkCost = 0;

struct RawDeflater {
  RawDeflater() {
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
      throw std::bad_alloc();
    }
  }
  ~RawDeflater() { deflateEnd(&z); }
  RawDeflater(const RawDeflater&) = delete;
  RawDeflater& operator=(const RawDeflater&) = delete;
  z_stream z{};
};

// zlib primes each piece with the 32 KiB before it, so the pieces together are as small as
// one stream of the whole; each but the last ends with a sync flush, on a byte edge.
class PieceDeflater {
 public:
  // The bound covers the zlib wrapper, which a raw stream leaves out; the flush's empty stored
  // block takes at most six bytes more.
  std::size_t Room(std::size_t length) const {
    return compressBound(static_cast<uLong>(length)) + 6;
  }

  static uLong Checksum(ByteView piece) {
    return adler32(adler32(0, nullptr, 0), piece.data(), static_cast<uInt>(piece.size()));
  }

  std::size_t Deflate(ByteView data, const Piece& piece, std::span<std::uint8_t> slot) const {
    RawDeflater deflater;
    z_stream& z = deflater.z;
    const std::size_t dictionary = std::min<std::size_t>(piece.from, std::size_t{1} << MAX_WBITS);
    if (dictionary > 0 && deflateSetDictionary(&z, data.data() + piece.from - dictionary,
                                               static_cast<uInt>(dictionary)) != Z_OK) {
      throw std::bad_alloc();
    }
    z.next_in = const_cast<Bytef*>(data.data() + piece.from);
    z.avail_in = static_cast<uInt>(piece.length);
    z.next_out = slot.data();
    z.avail_out = static_cast<uInt>(slot.size());
    const int rc = deflate(&z, piece.last ? Z_FINISH : Z_SYNC_FLUSH);
    // With room for the bound, only a failed allocation inside the library stops it.
    if (rc != (piece.last ? Z_STREAM_END : Z_OK) || z.avail_in != 0 || z.avail_out == 0) {
      throw std::bad_alloc();
    }
    return z.total_out;
  }
};
#endif

}  // namespace

unsigned HardwareThreads() { return std::max(1u, std::thread::hardware_concurrency()); }

std::vector<std::size_t> PieceLengths(std::size_t length, unsigned threads) {
  for (std::size_t n = std::min<std::size_t>(threads, length / kDeflatePieceLength); n > 1; --n) {
    const auto shorter = static_cast<std::size_t>(double(length) / (double(n) + kWalkCost));
    if (shorter < kDeflatePieceLength) continue;
    std::vector<std::size_t> lengths(n - 1, shorter);
    lengths.push_back(length - (n - 1) * shorter);
    return lengths;
  }
  return {length};
}

void AppendZlibInPieces(ByteView data, std::span<const std::size_t> lengths, unsigned threads,
                        Bytes& out) {
  PieceDeflater callers;  // the calling thread's, which also sizes the slots
  const std::size_t start = out.size();
  std::vector<Piece> pieces;
  std::size_t at = start + std::size(kZlibHeader);
  std::size_t from = 0;
  for (const std::size_t length : lengths) {
    pieces.push_back({from, length, at, callers.Room(length), false});
    at += pieces.back().room;
    from += length;
  }
  if (from != data.size() || pieces.empty()) {
    throw std::invalid_argument("the pieces do not cover the data");
  }
  pieces.back().last = true;
  out.resize(at + kChecksumLength);
  std::copy(std::begin(kZlibHeader), std::end(kZlibHeader), out.begin() + start);

  std::atomic<std::size_t> next = 0;
  std::mutex failed;
  std::exception_ptr failure;
  const auto work = [&](PieceDeflater* given) {
    try {
      std::optional<PieceDeflater> own;
      PieceDeflater& deflater = given ? *given : own.emplace();
      for (std::size_t i; (i = next++) < pieces.size();) {
        Piece& piece = pieces[i];
        piece.written =
            deflater.Deflate(data, piece, std::span(out).subspan(piece.slot, piece.room));
        piece.adler = PieceDeflater::Checksum(data.subspan(piece.from, piece.length));
      }
    } catch (...) {
      const std::lock_guard lock(failed);
      if (!failure) failure = std::current_exception();
      next = pieces.size();
    }
  };
  {
    std::vector<std::jthread> helpers;
    const std::size_t wanted = std::min<std::size_t>(threads, pieces.size());
    try {
      while (helpers.size() + 1 < wanted) helpers.emplace_back(work, nullptr);
    } catch (const std::system_error&) {
      // Fewer threads than asked: those running share the pieces out among them.
    }
    work(&callers);
  }
  if (failure) std::rethrow_exception(failure);

  // The slots leave room to spare; close the gaps, in order, so the pieces only move down.
  std::size_t end = start + std::size(kZlibHeader);
  uLong adler = adler32(0, nullptr, 0);
  for (const Piece& piece : pieces) {
    std::memmove(out.data() + end, out.data() + piece.slot, piece.written);
    end += piece.written;
    adler = adler32_combine(adler, piece.adler, static_cast<z_off_t>(piece.length));
  }
  for (int shift = 24; shift >= 0; shift -= 8)
    out[end++] = static_cast<std::uint8_t>(adler >> shift);
  out.resize(end);
}

}  // namespace frondel
