#include "building/menu_format.h"

#include <gtest/gtest.h>

#include "building/working_folder.h"
#include "platform/little_endian.h"
#include "support/bytes.h"
#include "support/program_folder.h"

namespace frondel {
namespace {

using testing::PatternBytes;
using testing::ProgramFolder;
using testing::SameBytes;
using testing::WriteBytes;

class MenuFormat : public ::testing::Test {
 protected:
  std::filesystem::path At(WorkFile file) { return WorkingPath(folder.path(), file); }

  // Packs `payload_bytes` on the build side and hands the result to the export side.
  Bytes Pack(const Bytes& payload_bytes) {
    PackPayload(codec, folder.path(), payload_bytes);
    return ReadWholeFile(At(WorkFile::ImportPacked));
  }
  UncompressStatus Unpack(const Bytes& menu_file) {
    WriteBytes(At(WorkFile::ExportPacked), menu_file);
    return UnpackMenuFile(codec, folder.path());
  }

  ProgramFolder folder;
  Zlib codec;
  const Bytes payload_bytes = PatternBytes(600'000, 11);
};

TEST_F(MenuFormat, HeaderBytesAndBothLengthFields) {
  const Bytes packed = Pack(payload_bytes);
  const Bytes stream = codec.CompressStream(payload_bytes);
  const std::size_t m = stream.size() - 4;
  ASSERT_EQ(packed.size(), 16 + m);
  EXPECT_TRUE(SameBytes(Bytes{0x00, 0x01, 0x01, 'W', 'E', 'S', 'Y', 'S'},
                        Bytes(packed.begin(), packed.begin() + 8)));
  EXPECT_EQ(GetInt32(packed, 8), static_cast<std::int32_t>(4 + m));
  EXPECT_EQ(GetInt32(packed, 12), static_cast<std::int32_t>(payload_bytes.size()));
  EXPECT_TRUE(SameBytes(stream, Bytes(packed.begin() + 12, packed.end())));
}

TEST_F(MenuFormat, PackingTheWorkingPayloadFileGivesTheSameFile) {
  WriteBytes(At(WorkFile::ImportPayload), payload_bytes);
  PackPayload(codec, folder.path());
  const Bytes from_file = ReadWholeFile(At(WorkFile::ImportPacked));
  EXPECT_TRUE(SameBytes(Pack(payload_bytes), from_file));
}

TEST_F(MenuFormat, UnpackingGivesThePayloadBackWhateverTheHeaderSays) {
  Bytes packed = Pack(payload_bytes);
  for (std::size_t i = 0; i < 12; ++i) packed[i] = static_cast<std::uint8_t>(0xA5 ^ (i * 31));
  EXPECT_EQ(Unpack(packed), UncompressStatus::Complete);
  EXPECT_TRUE(SameBytes(payload_bytes, ReadWholeFile(At(WorkFile::ExportPayload))));
}

TEST_F(MenuFormat, TrailingBytesAndAShortPayloadLength) {
  Bytes packed = Pack(payload_bytes);
  const Bytes junk = PatternBytes(100, 2);
  packed.insert(packed.end(), junk.begin(), junk.end());
  EXPECT_EQ(Unpack(packed), UncompressStatus::Complete);
  EXPECT_TRUE(SameBytes(payload_bytes, ReadWholeFile(At(WorkFile::ExportPayload))));

  PutInt32(packed, 12, 5000);
  EXPECT_EQ(Unpack(packed), UncompressStatus::CutAtStoredLength);
  EXPECT_TRUE(SameBytes(Bytes(payload_bytes.begin(), payload_bytes.begin() + 5000),
                        ReadWholeFile(At(WorkFile::ExportPayload))));
}

TEST_F(MenuFormat, UnpackingReplacesALongerEarlierPayloadWhole) {
  WriteBytes(At(WorkFile::ExportPayload), PatternBytes(2'000'000, 4));
  const Bytes small = PatternBytes(1000, 5);
  EXPECT_EQ(Unpack(Pack(small)), UncompressStatus::Complete);
  EXPECT_TRUE(SameBytes(small, ReadWholeFile(At(WorkFile::ExportPayload))));
}

// Each kind of file that is not a menu texture file, told apart, and none of them leaves the
// payload of an earlier opening behind for Export DDS to cut a texture from.
TEST_F(MenuFormat, NotAMenuFileLeavesNoEarlierPayload) {
  Bytes damaged = Pack(payload_bytes);
  for (std::size_t i = 40; i < 90; ++i) damaged[i] ^= 0xff;
  const Bytes packed = Pack(payload_bytes);
  Bytes unsized = packed;
  PutInt32(unsized, 12, 0);
  const struct {
    const char* what;
    Bytes file;
    UncompressStatus status;
  } cases[] = {
      {"empty", {}, UncompressStatus::TooShort},
      {"15 bytes", Bytes(packed.begin(), packed.begin() + 15), UncompressStatus::TooShort},
      {"damaged stream", damaged, UncompressStatus::Damaged},
      {"stored length zero", unsized, UncompressStatus::NotDecoded},
      {"no stream at all", Bytes(16, 0), UncompressStatus::NotDecoded},
  };
  for (const auto& c : cases) {
    WriteBytes(At(WorkFile::ExportPayload), payload_bytes);
    EXPECT_EQ(Unpack(c.file), c.status) << c.what;
    EXPECT_FALSE(IsMenuPayload(c.status)) << c.what;
    EXPECT_FALSE(FileExists(At(WorkFile::ExportPayload))) << c.what;
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
  EXPECT_EQ(Unpack(foreign), UncompressStatus::Complete);
  EXPECT_TRUE(SameBytes(expected, ReadWholeFile(At(WorkFile::ExportPayload))));
  // And what we pack from the same payload is laid out like theirs.
  const Bytes ours = Pack(expected);
  EXPECT_TRUE(SameBytes(Bytes(foreign.begin(), foreign.begin() + 8),
                        Bytes(ours.begin(), ours.begin() + 8)));
  EXPECT_EQ(GetInt32(ours, 12), GetInt32(foreign, 12));
}

TEST_F(MenuFormat, MissingWorkingFileIsAFileError) {
  EXPECT_THROW(UnpackMenuFile(codec, folder.path()), FileError);
  EXPECT_THROW(PackPayload(codec, folder.path()), FileError);
}

}  // namespace
}  // namespace frondel
