#include "codec/stream_codec.h"

#include <zlib.h>

#include <algorithm>
#include <memory>
#include <new>

#include "codec/parallel_deflate.h"
#include "platform/little_endian.h"

#ifdef FRONDEL_WITH_LIBDEFLATE
#include "codec/libdeflate_buffers.h"
#endif

namespace frondel {
namespace {

constexpr std::size_t kLengthField = 4;
// The first buffer of a growing decode; it doubles each time the stream fills it.
constexpr std::size_t kFirstBuffer = std::size_t{64} << 10;
#ifdef FRONDEL_WITH_LIBDEFLATE
// A menu payload of real art packs to far more than an eighth of its size. Up to that ratio
// a buffer of the stored length is made at once and decoded in one call, twice as fast as
// zlib; a stream that claims more grows its buffer as its output arrives.
constexpr std::uint64_t kWholeBufferRatio = 8;
#endif

struct EndInflate {
  void operator()(z_stream* stream) const { inflateEnd(stream); }
};

// What zlib's uncompress makes of `body` with `stored` bytes of room, with a buffer that grows
// as the output arrives instead of one of the stored length up front.
Uncompressed InflateGrowing(ByteView body, std::size_t stored) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return {{}, UncompressStatus::Damaged};
  const std::unique_ptr<z_stream, EndInflate> end(&stream);
  // The body of a file read whole is below 2 GiB, so its length fits zlib's count.
  stream.next_in = const_cast<Bytef*>(body.data());  // zlib only reads it
  stream.avail_in = static_cast<uInt>(body.size());
  Bytes out(std::min(stored, kFirstBuffer));
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  int rc = Z_OK;
  while (rc == Z_OK) {
    if (stream.avail_out == 0 && out.size() < stored) {
      const std::size_t produced = out.size();
      out.resize(std::min(stored, 2 * produced));
      stream.next_out = out.data() + produced;
      stream.avail_out = static_cast<uInt>(out.size() - produced);
    }
    rc = inflate(&stream, Z_NO_FLUSH);
  }
  out.resize(stream.total_out);
  switch (rc) {
    case Z_STREAM_END:
      return {std::move(out), UncompressStatus::Complete};
    case Z_BUF_ERROR:
      // No room left at the stored length, or no input left before the stream's end.
      return {std::move(out), stream.avail_out == 0 ? UncompressStatus::CutAtStoredLength
                                                    : UncompressStatus::Damaged};
    default:
      return {std::move(out), UncompressStatus::Damaged};
  }
}

}  // namespace

Bytes StreamCodec::CompressStream(ByteView data) const {
  if (const auto lengths = PieceLengths(data.size(), deflate_threads_); lengths.size() > 1) {
    Bytes out(kLengthField);
    AppendZlibInPieces(data, lengths, deflate_threads_, out);
    PutInt32(out, 0, static_cast<std::int32_t>(data.size()));
    return out;
  }
#ifdef FRONDEL_WITH_LIBDEFLATE
  const DeflateCompressor compressor(kPackingLevel);
  Bytes out(kLengthField + compressor.Bound(data.size()));
  const std::size_t m = compressor.Compress(data, std::span(out).subspan(kLengthField));
#else
  Bytes out(kLengthField + compressBound(static_cast<uLong>(data.size())));
  uLongf m = static_cast<uLongf>(out.size() - kLengthField);
  if (compress(out.data() + kLengthField, &m, data.data(), static_cast<uLong>(data.size())) !=
      Z_OK) {
    m = 0;
  }
#endif
  // With room for the bound, only a failed allocation inside the library stops it.
  if (m == 0) throw std::bad_alloc();
  PutInt32(out, 0, static_cast<std::int32_t>(data.size()));
  out.resize(kLengthField + m);
  return out;
}

Uncompressed StreamCodec::UncompressStream(ByteView stream) const {
  if (stream.size() < kLengthField) return {{}, UncompressStatus::TooShort};
  const std::int32_t stored = GetInt32(stream, 0);
  const ByteView body = stream.subspan(kLengthField);
  const auto undecoded = [body](UncompressStatus status) {
    return Uncompressed{Bytes(body.begin(), body.end()), status};
  };
  if (stored <= 0) return undecoded(UncompressStatus::NotDecoded);
  const auto length = static_cast<std::size_t>(stored);
  if (length > kMaxUnpackedLength) return undecoded(UncompressStatus::TooLarge);
  try {
#ifdef FRONDEL_WITH_LIBDEFLATE
    // The usual case, a whole good stream. Every other outcome is zlib's: what it keeps of a
    // cut or damaged stream is the output callers have always had.
    if (length <= body.size() * kWholeBufferRatio) {
      Bytes out(length);
      if (const auto produced = DeflateDecompressor().DecodeWhole(body, out)) {
        out.resize(*produced);
        return {std::move(out), UncompressStatus::Complete};
      }
    }
#endif
    return InflateGrowing(body, length);
  } catch (const std::bad_alloc&) {
    return undecoded(UncompressStatus::NotDecoded);
  }
}

}  // namespace frondel
