#include "building/menu_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "building/working_folder.h"
#include "export/open_menu_file.h"
#include "platform/little_endian.h"
#include "support/bytes.h"
#include "support/program_folder.h"

namespace frondel {
namespace {

using testing::Join;
using testing::PatternBytes;
using testing::ProgramFolder;
using testing::SameBytes;
using testing::WriteBytes;

class MenuFormat : public ::testing::Test {
 protected:
  std::filesystem::path At(WorkFile file) { return WorkingPath(folder.path(), file); }

  // Opens `menu_file` in the export job.
  UncompressStatus Unpack(const Bytes& menu_file) {
    WriteBytes(folder / "chosen.bin", menu_file);
    return OpenMenuFile(codec, folder.path(), folder / "chosen.bin").payload.status;
  }

  ProgramFolder folder;
  StreamCodec codec;
  const Bytes payload_bytes = PatternBytes(600'000, 11);
};

TEST_F(MenuFormat, HeaderBytesAndBothLengthFields) {
  const Bytes packed = PackMenuBytes(codec, payload_bytes);
  const Bytes stream = codec.CompressStream(payload_bytes);
  const std::size_t m = stream.size() - 4;
  ASSERT_EQ(packed.size(), 16 + m);
  EXPECT_TRUE(SameBytes(Bytes{0x00, 0x01, 0x01, 'W', 'E', 'S', 'Y', 'S'},
                        Bytes(packed.begin(), packed.begin() + 8)));
  EXPECT_EQ(GetInt32(packed, 8), static_cast<std::int32_t>(4 + m));
  EXPECT_EQ(GetInt32(packed, 12), static_cast<std::int32_t>(payload_bytes.size()));
  EXPECT_TRUE(SameBytes(stream, Bytes(packed.begin() + 12, packed.end())));
  const std::optional<MenuHeader> header = ReadMenuHeader(packed);
  ASSERT_TRUE(header);
  EXPECT_TRUE(header->fixed_bytes_match);
  EXPECT_EQ(header->packed_length, static_cast<std::int32_t>(4 + m));
  EXPECT_EQ(header->payload_length, static_cast<std::int32_t>(payload_bytes.size()));
  EXPECT_FALSE(ReadMenuHeader(ByteView(packed).first(15)));
}

struct Crafted {
  const char* what;
  Bytes file;
  UncompressStatus status;
  Bytes payload;  // what unpacking gives; for a damaged stream, unknown but a prefix
};

// Every outcome of unpacking, from files made to give it.
std::vector<Crafted> CraftedFiles(const StreamCodec& codec, const Bytes& payload_bytes) {
  const Bytes packed = PackMenuBytes(codec, payload_bytes);
  Bytes foreign_header = packed;
  for (std::size_t i = 0; i < 12; ++i) foreign_header[i] = static_cast<std::uint8_t>(0xA5 ^ i);
  const Bytes trailing = Join({packed, PatternBytes(100, 2)});
  Bytes short_length = trailing;
  PutInt32(short_length, 12, 5000);
  Bytes damaged = packed;
  for (std::size_t i = 40; i < 90; ++i) damaged[i] ^= 0xff;
  Bytes unsized = packed;
  PutInt32(unsized, 12, 0);
  const Bytes none;
  return {
      {"good", packed, UncompressStatus::Complete, payload_bytes},
      {"any header", foreign_header, UncompressStatus::Complete, payload_bytes},
      {"trailing bytes", trailing, UncompressStatus::Complete, payload_bytes},
      {"stored length short", short_length, UncompressStatus::CutAtStoredLength,
       Bytes(payload_bytes.begin(), payload_bytes.begin() + 5000)},
      {"empty", {}, UncompressStatus::TooShort, none},
      {"15 bytes", Bytes(packed.begin(), packed.begin() + 15), UncompressStatus::TooShort, none},
      {"damaged stream", damaged, UncompressStatus::Damaged, none},
      {"stored length zero", unsized, UncompressStatus::NotDecoded,
       Bytes(packed.begin() + 16, packed.end())},
      {"no stream at all", Bytes(16, 0), UncompressStatus::NotDecoded, none},
  };
}

TEST_F(MenuFormat, UnpackingInMemoryGivesEachStatusAndItsBytes) {
  for (const Crafted& c : CraftedFiles(codec, payload_bytes)) {
    const Uncompressed result = UnpackMenuBytes(codec, c.file);
    EXPECT_EQ(result.status, c.status) << c.what;
    if (c.status == UncompressStatus::Damaged) {
      ASSERT_LE(result.bytes.size(), payload_bytes.size());
      EXPECT_TRUE(std::equal(result.bytes.begin(), result.bytes.end(), payload_bytes.begin()));
    } else {
      EXPECT_TRUE(SameBytes(c.payload, result.bytes)) << c.what;
    }
  }
}

// A file that is no menu texture file leaves no payload of an earlier opening behind for
// Export DDS to cut a texture from; one that is replaces a longer earlier payload whole.
TEST_F(MenuFormat, UnpackingToTheWorkingFileLeavesOnlyAUsablePayload) {
  for (const Crafted& c : CraftedFiles(codec, payload_bytes)) {
    WriteBytes(At(WorkFile::ExportPayload), PatternBytes(2'000'000, 4));
    EXPECT_EQ(Unpack(c.file), c.status) << c.what;
    const bool usable = IsMenuPayload(c.status);
    ASSERT_EQ(FileExists(At(WorkFile::ExportPayload)), usable) << c.what;
    EXPECT_TRUE(SameBytes(c.file, ReadWholeFile(At(WorkFile::ExportPacked)))) << c.what;
    if (usable) {
      EXPECT_TRUE(SameBytes(c.payload, ReadWholeFile(At(WorkFile::ExportPayload)))) << c.what;
    }
  }
}

TEST_F(MenuFormat, ReadsAFileThatAnotherProgramWrote) {
  // foreign.bin was written with Python's zlib by tests/fixtures/make_foreign_bin.py; the
  // payload formula here is the script's.
  const auto block = [](std::size_t length, int seed) {
    Bytes out(length);
    for (std::size_t i = 0; i < length; ++i) out[i] = (i * 7 + (i >> 9) + seed) % 251;
    return out;
  };
  Bytes expected = block(48, 1);
  const Bytes texture = block(4'194'432, 2), tail = block(1000, 3);
  expected.insert(expected.end(), texture.begin(), texture.end());
  expected.insert(expected.end(), tail.begin(), tail.end());

  const Bytes foreign = ReadWholeFile(std::filesystem::path(FRONDEL_FIXTURES_DIR) / "foreign.bin");
  const Uncompressed unpacked = UnpackMenuBytes(codec, foreign);
  EXPECT_EQ(unpacked.status, UncompressStatus::Complete);
  EXPECT_TRUE(SameBytes(expected, unpacked.bytes));
  // And what we pack from the same payload is laid out like theirs.
  const Bytes ours = PackMenuBytes(codec, expected);
  EXPECT_TRUE(SameBytes(Bytes(foreign.begin(), foreign.begin() + 8),
                        Bytes(ours.begin(), ours.begin() + 8)));
  EXPECT_EQ(GetInt32(ours, 12), GetInt32(foreign, 12));
}

}  // namespace
}  // namespace frondel
