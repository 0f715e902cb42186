#include "codec/stream_codec.h"

#include <zlib.h>

#include <algorithm>
#include <new>

#include "codec/parallel_deflate.h"
#include "platform/little_endian.h"

#ifdef FRONDEL_WITH_LIBDEFLATE
#include "codec/libdeflate_buffers.h"
#endif

namespace frondel {
namespace {

constexpr std::size_t kLengthField = 4;
// Deflate cannot expand data by more than about 1032 to 1, so a stored length beyond that
// of the compressed bytes is a forgery; the work buffer never needs to be larger.
constexpr std::uint64_t kMaxInflateRatio = 1032;

}  // namespace

Bytes StreamCodec::CompressStream(ByteView data) const {
  if (PaysToSplit(data.size(), deflate_threads_)) {
    Bytes out(kLengthField);
    AppendZlibInPieces(data, deflate_threads_, out);
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
  if (stored <= 0) return {Bytes(body.begin(), body.end()), UncompressStatus::NotDecoded};

  const std::uint64_t bound = (body.size() + 1) * kMaxInflateRatio;
  const auto capacity = static_cast<uLongf>(std::min<std::uint64_t>(stored, bound));
  Bytes out;
  try {
    out.resize(capacity);
  } catch (const std::bad_alloc&) {
    return {Bytes(body.begin(), body.end()), UncompressStatus::NotDecoded};
  }
#ifdef FRONDEL_WITH_LIBDEFLATE
  // The usual case, a whole good stream of exactly the stored length. Every other case is
  // zlib's: what it keeps of a cut or damaged stream is the output callers have always had.
  if (capacity == static_cast<std::uint64_t>(stored) &&
      DeflateDecompressor().DecodesToExactly(body, out)) {
    return {std::move(out), UncompressStatus::Complete};
  }
#endif
  uLongf produced = capacity;
  const int rc = uncompress(out.data(), &produced, body.data(), static_cast<uLong>(body.size()));
  out.resize(produced);
  switch (rc) {
    case Z_OK:
      return {std::move(out), UncompressStatus::Complete};
    case Z_BUF_ERROR:  // the buffer filled before the stream ended
      return {std::move(out), UncompressStatus::CutAtStoredLength};
    default:
      return {std::move(out), UncompressStatus::Damaged};
  }
}

}  // namespace frondel
