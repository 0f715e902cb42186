#include "codec/deflate_blocks.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

namespace frondel {
namespace {

// The word loads below take the stream's bytes in order, lowest bit first.
static_assert(std::endian::native == std::endian::little);

constexpr unsigned kLongestCode = 15;
// The first-level tables look up this many bits; longer codes take the slow path.
constexpr unsigned kTableBits = 10;
constexpr std::size_t kLiteralLengthSymbols = 288;

// The stream as bits, the next one lowest in a 64-bit buffer; past its end it reads as zeros,
// which Past() then tells.
class BitReader {
 public:
  explicit BitReader(ByteView bytes) : bytes_(bytes) {}

  std::size_t Position() const { return at_ * 8 - held_; }
  bool Past() const { return Position() > bytes_.size() * 8; }

  // Tops the buffer up to at least 56 bits. The bits above those it counts are the stream's
  // next ones too, so loading them again changes nothing.
  void Refill() {
    buffer_ |= Load() << held_;
    at_ += (63 - held_) / 8;
    held_ |= 56;
  }

  std::uint64_t Bits() const { return buffer_; }

  // At most the bits held.
  void Skip(unsigned bits) {
    buffer_ >>= bits;
    held_ -= bits;
  }

  // Up to 32 bits.
  std::uint32_t Take(unsigned bits) {
    Refill();
    const auto value = static_cast<std::uint32_t>(buffer_ & ((std::uint64_t{1} << bits) - 1));
    Skip(bits);
    return value;
  }

  // Skips to the next byte edge, then `bytes` more.
  void SkipBytes(std::size_t bytes) {
    at_ = (Position() + 7) / 8 + bytes;
    buffer_ = 0;
    held_ = 0;
  }

 private:
  std::uint64_t Load() const {
    std::uint64_t word = 0;
    if (at_ + sizeof word <= bytes_.size()) {
      std::memcpy(&word, bytes_.data() + at_, sizeof word);
    } else if (at_ < bytes_.size()) {
      std::memcpy(&word, bytes_.data() + at_, bytes_.size() - at_);
    }
    return word;
  }

  ByteView bytes_;
  std::size_t at_ = 0;  // the first byte not yet in the buffer
  std::uint64_t buffer_ = 0;
  unsigned held_ = 0;
};

enum class Kind : std::uint8_t {
  kInvalid,  // no code, or a symbol no stream may hold
  kLong,     // a code longer than the table looks up
  kPlain,    // a literal, a distance or a code length symbol
  kLength,   // a distance code follows
  kEnd,      // the end of the block
};

enum class Alphabet { kLiteralLength, kDistance, kCodeLength };

// What a symbol is, and the bits it takes: its code and, since the walk only skips them, the
// extra bits of a length or distance (none for a code length symbol, whose extra bits count).
struct Entry {
  std::uint16_t symbol = 0;
  std::uint8_t skip = 0;
  Kind kind = Kind::kInvalid;
};

Entry Describe(Alphabet alphabet, unsigned symbol, unsigned length) {
  const auto entry = [symbol](unsigned skip, Kind kind) {
    return Entry{static_cast<std::uint16_t>(symbol), static_cast<std::uint8_t>(skip), kind};
  };
  switch (alphabet) {
    case Alphabet::kCodeLength:
      return entry(length, Kind::kPlain);
    case Alphabet::kDistance:
      if (symbol >= 30) return {};
      return entry(length + (symbol < 4 ? 0 : symbol / 2 - 1), Kind::kPlain);
    case Alphabet::kLiteralLength:
      if (symbol < 256) return entry(length, Kind::kPlain);
      if (symbol == 256) return entry(length, Kind::kEnd);
      if (symbol >= 286) return {};
      return entry(length + (symbol < 265 || symbol == 285 ? 0 : (symbol - 261) / 4),
                   Kind::kLength);
  }
  return {};
}

unsigned Reversed(unsigned code, unsigned length) {
  unsigned out = 0;
  for (unsigned i = 0; i < length; ++i, code >>= 1) out = out << 1 | (code & 1);
  return out;
}

// A canonical prefix code: a table indexed by the next kTableBits bits, and the symbols in
// code order for the codes longer than that.
class Code {
 public:
  // False for lengths that make no prefix code: too many codes of some length, or too few to
  // fill the code space, which only a code of one symbol (of one bit) or a distance code of
  // none may have.
  bool Build(std::span<const std::uint8_t> lengths, Alphabet alphabet) {
    count_.fill(0);
    for (const std::uint8_t length : lengths) ++count_[length];
    const unsigned used = static_cast<unsigned>(lengths.size()) - count_[0];
    count_[0] = 0;
    int left = 1;
    for (unsigned length = 1; length <= kLongestCode; ++length) {
      left = 2 * left - count_[length];
      if (left < 0) return false;
    }
    const bool lone = used == 1 && count_[1] == 1;
    if (left > 0 && (alphabet == Alphabet::kCodeLength || !(lone || used == 0))) return false;

    std::array<std::uint16_t, kLongestCode + 2> next{};
    for (unsigned length = 1; length <= kLongestCode; ++length) {
      next[length + 1] = next[length] + count_[length];
    }
    for (unsigned symbol = 0; symbol < lengths.size(); ++symbol) {
      if (const unsigned length = lengths[symbol]; length > 0) {
        in_order_[next[length]++] = Describe(alphabet, symbol, length);
      }
    }
    table_.fill({});
    unsigned code = 0, index = 0;
    for (unsigned length = 1; length <= kLongestCode; ++length, code <<= 1) {
      for (unsigned n = 0; n < count_[length]; ++n, ++code, ++index) {
        const unsigned reversed = Reversed(code, length);
        if (length > kTableBits) {
          table_[reversed % table_.size()].kind = Kind::kLong;
          continue;
        }
        for (unsigned at = reversed; at < table_.size(); at += 1u << length) {
          table_[at] = in_order_[index];
        }
      }
    }
    return true;
  }

  Entry Decode(std::uint64_t bits) const {
    const Entry entry = Look(bits);
    return entry.kind == Kind::kLong ? DecodeLong(bits) : entry;
  }

  // The table's entry alone, which may send to DecodeLong().
  Entry Look(std::uint64_t bits) const { return table_[bits % table_.size()]; }

 private:
  // A bit at a time, counting the codes of each length.
  Entry DecodeLong(std::uint64_t bits) const {
    unsigned code = 0, first = 0, index = 0;
    for (unsigned length = 1; length <= kLongestCode; ++length, bits >>= 1) {
      code |= bits & 1;
      if (code - first < count_[length]) return in_order_[index + code - first];
      index += count_[length];
      first = (first + count_[length]) << 1;
      code <<= 1;
    }
    return {};
  }

  std::array<Entry, 1u << kTableBits> table_;
  std::array<std::uint16_t, kLongestCode + 1> count_;
  std::array<Entry, kLiteralLengthSymbols> in_order_;
};

struct FixedCodes {
  FixedCodes() {
    std::array<std::uint8_t, kLiteralLengthSymbols> lengths;
    std::fill(lengths.begin(), lengths.begin() + 144, 8);
    std::fill(lengths.begin() + 144, lengths.begin() + 256, 9);
    std::fill(lengths.begin() + 256, lengths.begin() + 280, 7);
    std::fill(lengths.begin() + 280, lengths.end(), 8);
    literal_length.Build(lengths, Alphabet::kLiteralLength);
    std::fill(lengths.begin(), lengths.begin() + 32, 5);
    distance.Build(std::span(lengths).first(32), Alphabet::kDistance);
  }
  Code literal_length, distance;
};

bool SkipStored(BitReader& in) {
  in.SkipBytes(0);
  const std::uint32_t lengths = in.Take(32);
  const std::uint32_t length = lengths & 0xffff;
  if (lengths >> 16 != (~length & 0xffff)) return false;
  in.SkipBytes(length);
  return true;
}

// The code lengths at the head of a dynamic block, and the two codes they make.
bool ReadCodes(BitReader& in, Code& literal_length, Code& distance) {
  constexpr std::uint8_t kOrder[] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                     11, 4,  12, 3, 13, 2, 14, 1, 15};
  const unsigned literals = in.Take(5) + 257, distances = in.Take(5) + 1, codes = in.Take(4) + 4;
  if (literals > 286 || distances > 30) return false;
  std::array<std::uint8_t, 19> code_lengths{};
  for (unsigned i = 0; i < codes; ++i)
    code_lengths[kOrder[i]] = static_cast<std::uint8_t>(in.Take(3));
  Code code_length;
  if (!code_length.Build(code_lengths, Alphabet::kCodeLength)) return false;

  std::array<std::uint8_t, 286 + 30> lengths{};
  const unsigned total = literals + distances;
  for (unsigned n = 0; n < total;) {
    in.Refill();
    const Entry entry = code_length.Decode(in.Bits());
    if (entry.kind != Kind::kPlain) return false;
    in.Skip(entry.skip);
    if (entry.symbol < 16) {
      lengths[n++] = static_cast<std::uint8_t>(entry.symbol);
      continue;
    }
    std::uint8_t repeated = 0;
    unsigned times;
    if (entry.symbol == 16) {
      if (n == 0) return false;
      repeated = lengths[n - 1];
      times = 3 + in.Take(2);
    } else {
      times = entry.symbol == 17 ? 3 + in.Take(3) : 11 + in.Take(7);
    }
    if (times > total - n) return false;
    std::fill_n(lengths.begin() + n, times, repeated);
    n += times;
  }
  if (lengths[256] == 0) return false;  // no end-of-block code
  return literal_length.Build(std::span(lengths).first(literals), Alphabet::kLiteralLength) &&
         distance.Build(std::span(lengths).subspan(literals, distances), Alphabet::kDistance);
}

bool SkipCoded(BitReader& reader, const Code& literal_length, const Code& distance) {
  BitReader in = reader;  // a copy of its own, which the loop keeps in registers
  bool ended = false;
  while (!in.Past()) {
    // A refill holds a length and its distance, each with their extra bits.
    in.Refill();
    const Entry entry = literal_length.Decode(in.Bits());
    in.Skip(entry.skip);
    if (entry.kind != Kind::kPlain && entry.kind != Kind::kLength) {
      ended = entry.kind == Kind::kEnd;
      break;
    }
    // Literals and lengths come mixed with no pattern to predict: both look a distance up,
    // and a literal skips none of it.
    const bool length = entry.kind == Kind::kLength;
    Entry far = distance.Look(in.Bits());
    if (length & (far.kind != Kind::kPlain)) {
      far = distance.Decode(in.Bits());
      if (far.kind != Kind::kPlain) break;
    }
    in.Skip(far.skip & -unsigned{length});
  }
  reader = in;
  return ended;
}

}  // namespace

std::optional<DeflateBlocks> WalkDeflateBlocks(ByteView stream) {
  static const FixedCodes fixed;
  BitReader in(stream);
  Code literal_length, distance;
  for (;;) {
    const std::size_t start = in.Position();
    const std::uint32_t header = in.Take(3);
    bool walked = false;
    switch (header >> 1) {
      case 0:
        walked = SkipStored(in);
        break;
      case 1:
        walked = SkipCoded(in, fixed.literal_length, fixed.distance);
        break;
      case 2:
        walked = ReadCodes(in, literal_length, distance) && SkipCoded(in, literal_length, distance);
        break;
    }
    if (!walked || in.Past()) return std::nullopt;
    if ((header & 1) != 0) return DeflateBlocks{start, in.Position()};
  }
}

}  // namespace frondel
