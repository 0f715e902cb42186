// Building a payload for a menu place, and cutting the texture back out of one.
#include <gtest/gtest.h>

#include "building/menu_format.h"
#include "building/payload_assembly.h"
#include "building/payload_parts.h"
#include "building/working_folder.h"
#include "export/dds_extraction.h"
#include "export/open_menu_file.h"
#include "platform/file_error.h"
#include "support/bytes.h"
#include "support/program_folder.h"

namespace frondel {
namespace {

using testing::Join;
using testing::PatternBytes;
using testing::ProgramFolder;
using testing::SameBytes;
using testing::WriteBytes;

class Payload : public ::testing::Test {
 protected:
  std::filesystem::path At(WorkFile file) { return WorkingPath(folder.path(), file); }
  Bytes Shipped(std::string_view relative) {
    return ReadWholeFile(WorkingPath(folder.path(), relative));
  }
  // What unpacking the built file gives, on the export side.
  Bytes UnpackBuilt() {
    EXPECT_EQ(OpenMenuFile(codec, folder.path(), At(WorkFile::ImportPacked)).payload.status,
              UncompressStatus::Complete);
    return ReadWholeFile(At(WorkFile::ExportPayload));
  }

  ProgramFolder folder;
  StreamCodec codec;
  const Bytes texture = PatternBytes(payload::kTextureLength, 77);
};

TEST_F(Payload, EveryPlaceBuildsHeadTextureAndItsOwnTemplate) {
  WriteBytes(At(WorkFile::ImportTexture), texture);
  const Bytes head = Shipped(RelativeName(WorkFile::HeadBlock));
  ASSERT_EQ(head.size(), payload::kTextureOffset);
  ASSERT_EQ(MenuPlaces().size(), 13u);
  for (const MenuPlace& place : MenuPlaces()) {
    EXPECT_EQ(CreateMenuFile(codec, folder.path(), &place), CreateStatus::Built);
    const Bytes expected = Join({head, texture, Shipped(place.template_file)});
    EXPECT_TRUE(SameBytes(expected, ReadWholeFile(At(WorkFile::ImportPayload)))) << place.list_text;
    EXPECT_TRUE(SameBytes(expected, UnpackBuilt())) << place.list_text;
  }
}

TEST_F(Payload, ShipsThirteenDistinctTemplates) {
  std::vector<Bytes> seen;
  for (const MenuPlace& place : MenuPlaces()) {
    const Bytes t = Shipped(place.template_file);
    EXPECT_GT(t.size(), 10'000u) << place.template_file;
    for (const Bytes& other : seen) EXPECT_NE(t, other) << place.template_file;
    seen.push_back(t);
  }
}

TEST(MenuPlaceNames, EveryPlaceIsFoundByListTextOrTemplateNameInAnyCase) {
  for (const MenuPlace& place : MenuPlaces()) {
    std::string upper(place.list_text), lower(TemplateName(place));
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(FindMenuPlaceByName(upper), &place) << upper;
    EXPECT_EQ(FindMenuPlaceByName(lower), &place) << lower;
  }
  for (std::string_view unknown : {"", "Exhibition ", "temp/dataentery/EXDATA", "TOPDATA1"}) {
    EXPECT_EQ(FindMenuPlaceByName(unknown), nullptr) << unknown;
  }
}

TEST_F(Payload, ALongerTemplateThenAShorterLeavesOnlyTheSecond) {
  WriteBytes(At(WorkFile::ImportTexture), PatternBytes(5000, 1));
  WriteBytes(WorkingPath(folder.path(), "temp/dataentery/SYSDATA"), PatternBytes(90'000, 2));
  WriteBytes(WorkingPath(folder.path(), "temp/dataentery/EXDATA"), PatternBytes(300, 3));
  CreateMenuFile(codec, folder.path(), FindMenuPlace("System Setting"));
  CreateMenuFile(codec, folder.path(), FindMenuPlace("Exhibition"));
  const Bytes expected =
      Join({Shipped("temp/dataentery/TOPDATA1"), PatternBytes(5000, 1), PatternBytes(300, 3)});
  EXPECT_TRUE(SameBytes(expected, ReadWholeFile(At(WorkFile::ImportPayload))));
  EXPECT_TRUE(SameBytes(expected, UnpackBuilt()));
}

TEST_F(Payload, NothingSelectedOrNoTextureWritesNothing) {
  EXPECT_EQ(CreateMenuFile(codec, folder.path(), nullptr), CreateStatus::NoPlace);
  EXPECT_EQ(CreateMenuFile(codec, folder.path(), FindMenuPlace("Edit")), CreateStatus::NoTexture);
  // Comparison is exact: other case or blanks match no place.
  EXPECT_EQ(FindMenuPlace("edit"), nullptr);
  EXPECT_EQ(FindMenuPlace("Edit "), nullptr);
  EXPECT_FALSE(FileExists(At(WorkFile::ImportPayload)));
  EXPECT_FALSE(FileExists(At(WorkFile::ImportPacked)));
}

TEST_F(Payload, AMissingOrEmptyInputLeavesTheEarlierBuildAsItWas) {
  WriteBytes(At(WorkFile::ImportTexture), texture);
  CreateMenuFile(codec, folder.path(), FindMenuPlace("Gallery"));
  const Bytes payload_before = ReadWholeFile(At(WorkFile::ImportPayload));
  const Bytes packed_before = ReadWholeFile(At(WorkFile::ImportPacked));

  std::filesystem::remove(WorkingPath(folder.path(), "temp/dataentery/MLDATA"));
  EXPECT_THROW(CreateMenuFile(codec, folder.path(), FindMenuPlace("Master League")), FileError);
  WriteBytes(At(WorkFile::ImportTexture), {});
  EXPECT_THROW(CreateMenuFile(codec, folder.path(), FindMenuPlace("Gallery")), FileError);

  EXPECT_TRUE(SameBytes(payload_before, ReadWholeFile(At(WorkFile::ImportPayload))));
  EXPECT_TRUE(SameBytes(packed_before, ReadWholeFile(At(WorkFile::ImportPacked))));
}

using Extraction = Payload;

TEST_F(Extraction, ABuiltTextureComesBackByteForByte) {
  WriteBytes(At(WorkFile::ImportTexture), texture);
  CreateMenuFile(codec, folder.path(), FindMenuPlace("Online"));
  UnpackBuilt();
  EXPECT_TRUE(SameBytes(texture, ExtractDds(folder.path()).value()));
  EXPECT_TRUE(SameBytes(texture, ReadWholeFile(At(WorkFile::ExportTexture))));
  // Twice gives the same, and the payload is only read.
  const Bytes payload_before = ReadWholeFile(At(WorkFile::ExportPayload));
  EXPECT_TRUE(ExtractDds(folder.path()));
  EXPECT_TRUE(SameBytes(texture, ReadWholeFile(At(WorkFile::ExportTexture))));
  EXPECT_TRUE(SameBytes(payload_before, ReadWholeFile(At(WorkFile::ExportPayload))));
}

// The window and both commands pack through this one routine: whatever texture it is given,
// the file unpacks whole to the three blocks in order.
TEST(PayloadParts, ABuiltMenuFileUnpacksToItsBlocksInOrder) {
  const StreamCodec codec(2);
  const Bytes head = PatternBytes(48, 1), texture = PatternBytes(70'000, 4);
  const Bytes tail = PatternBytes(900, 2);
  const BuiltMenuFile built = BuildMenuFile(codec, head, texture, tail);
  EXPECT_TRUE(SameBytes(Join({head, texture, tail}), built.payload));
  const Uncompressed unpacked = UnpackMenuBytes(codec, built.packed);
  EXPECT_EQ(unpacked.status, UncompressStatus::Complete);
  EXPECT_TRUE(SameBytes(built.payload, unpacked.bytes));
}

// The parts are cut at fixed places, whatever the texture really is.
TEST(PayloadParts, CutAtFixedPlacesWhateverTheTextureIs) {
  const Bytes head = PatternBytes(48, 1), tail = PatternBytes(3000, 2);
  const Bytes exact = PatternBytes(payload::kTextureLength, 7);
  const Bytes joined = AssemblePayload(head, exact, tail);
  EXPECT_TRUE(SameBytes(Join({head, exact, tail}), joined));
  EXPECT_TRUE(SameBytes(head, Bytes(HeadBlockOf(joined).begin(), HeadBlockOf(joined).end())));
  EXPECT_TRUE(SameBytes(exact, ExtractTexture(joined)));
  EXPECT_TRUE(SameBytes(tail, Bytes(TemplateOf(joined).begin(), TemplateOf(joined).end())));

  const Bytes longer = PatternBytes(payload::kTextureLength + 500, 3);
  EXPECT_TRUE(SameBytes(Bytes(longer.begin(), longer.begin() + payload::kTextureLength),
                        ExtractTexture(Join({head, longer, tail}))));
  EXPECT_EQ(TemplateOf(Join({head, longer, tail})).size(), tail.size() + 500);

  const Bytes shorter = PatternBytes(payload::kTextureLength - 1000, 4);
  Bytes expected = Join({shorter, Bytes(tail.begin(), tail.begin() + 1000)});
  EXPECT_TRUE(SameBytes(expected, ExtractTexture(Join({head, shorter, tail}))));

  // A payload too short to fill the window: the rest is zero, and there is no template.
  const Bytes little = PatternBytes(48 + 700, 5);
  expected = Bytes(little.begin() + 48, little.end());
  expected.resize(payload::kTextureLength, 0);
  EXPECT_TRUE(SameBytes(expected, ExtractTexture(little)));
  EXPECT_TRUE(TemplateOf(little).empty());
  EXPECT_TRUE(SameBytes(Bytes(payload::kTextureLength, 0), ExtractTexture(PatternBytes(20, 6))));
  EXPECT_EQ(HeadBlockOf(PatternBytes(20, 6)).size(), 20u);
}

TEST_F(Extraction, NoPayloadWritesNothing) {
  EXPECT_FALSE(ExtractDds(folder.path()));
  EXPECT_FALSE(FileExists(At(WorkFile::ExportPayload)));
  EXPECT_FALSE(FileExists(At(WorkFile::ExportTexture)));
}

}  // namespace
}  // namespace frondel
