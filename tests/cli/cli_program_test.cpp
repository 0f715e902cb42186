// frondel-cli run as a user runs it: the built program copied into a program folder whose
// name holds blanks and characters outside ASCII, its outputs and statuses checked.
#include <gtest/gtest.h>

#include "building/menu_format.h"
#include "building/payload_assembly.h"
#include "building/payload_parts.h"
#include "building/working_folder.h"
#include "cli/run_program.h"
#include "platform/little_endian.h"
#include "support/bytes.h"
#include "support/program_folder.h"
#include "support/scripted_prompts.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;
using testing::Join;
using testing::PatternBytes;
using testing::SameBytes;
using testing::WriteBytes;

std::string Utf8(const fs::path& path) { return PathText(path); }

class CliProgram : public ::testing::Test {
 protected:
  CliProgram() {
    fs::copy_file(FRONDEL_CLI_PROGRAM, program.path() / fs::path(FRONDEL_CLI_PROGRAM).filename());
    fs::create_directories(out);
  }

  testing::ProgramRun Cli(const std::vector<std::string>& arguments) {
    return testing::RunProgram(program.path() / fs::path(FRONDEL_CLI_PROGRAM).filename(), arguments,
                               scratch.path());
  }
  std::vector<fs::path> OutputFiles() const {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(out)) files.push_back(entry.path());
    return files;
  }
  Bytes Installed(std::string_view relative) {
    return ReadWholeFile(WorkingPath(program.path(), relative));
  }

  testing::ProgramFolder program{fs::temp_directory_path(), u8"frondel program ñ 日本"};
  testing::TempFolder work{fs::temp_directory_path(), u8"frondel work ü"};
  testing::TempFolder scratch;
  const fs::path out = work / "out";
  const Bytes texture = PatternBytes(payload::kTextureLength, 5);
  Zlib codec;
};

TEST_F(CliProgram, BuildsAFolderOfTexturesAndExportsThemBack) {
  const std::vector<fs::path> textures{work / "a b.dds", work / u8"ñ 日本.dds"};
  for (std::uint32_t i = 0; i < textures.size(); ++i) {
    WriteBytes(textures[i], PatternBytes(payload::kTextureLength, i));
  }
  auto run = Cli(
      {"build", Utf8(textures[0]), Utf8(textures[1]), "--place", "master LEAGUE", "-o", Utf8(out)});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out + run.err, "");
  const std::vector<fs::path> built{out / "a b.bin", out / u8"ñ 日本.bin"};
  const fs::path back = work / "back";
  fs::create_directories(back);
  run = Cli({"export", Utf8(built[0]), Utf8(built[1]), "-o", Utf8(back), "-v"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("a b.dds"), std::string::npos) << run.out;
  for (std::uint32_t i = 0; i < textures.size(); ++i) {
    const Uncompressed payload_bytes = UnpackMenuBytes(codec, ReadWholeFile(built[i]));
    EXPECT_TRUE(SameBytes(Join({Installed("temp/dataentery/TOPDATA1"), ReadWholeFile(textures[i]),
                                Installed("temp/dataentery/MLDATA")}),
                          payload_bytes.bytes));
    EXPECT_TRUE(SameBytes(ReadWholeFile(textures[i]),
                          ReadWholeFile(back / textures[i].filename().replace_extension(".dds"))));
  }
}

TEST_F(CliProgram, BuildsTheWindowsFileForTheSameBlocks) {
  WriteBytes(WorkingPath(program.path(), WorkFile::ImportTexture), texture);
  testing::ScriptedPrompts prompts;
  CreateMenuFile(codec, program.path(), "Edit", prompts);
  const auto run = Cli({"build", Utf8(WorkingPath(program.path(), WorkFile::ImportTexture)),
                        "--place", "editdata", "-o", Utf8(out / "edit.bin")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(SameBytes(ReadWholeFile(WorkingPath(program.path(), WorkFile::ImportPacked)),
                        ReadWholeFile(out / "edit.bin")));
}

TEST_F(CliProgram, ReplaceKeepsTheFilesOwnHeadAndTemplate) {
  const fs::path blocks = work / "game blocks";
  fs::create_directories(blocks);
  const Bytes head = PatternBytes(48, 1), place_template = PatternBytes(7000, 2);
  WriteBytes(blocks / "TOPDATA1", head);
  WriteBytes(blocks / "SYSDATA", place_template);
  WriteBytes(work / "old.dds", PatternBytes(payload::kTextureLength, 3));
  WriteBytes(work / "new.dds", texture);
  auto run = Cli({"build", Utf8(work / "old.dds"), "--place", "System Setting", "--blocks",
                  Utf8(blocks), "-o", Utf8(work / "game.bin")});
  ASSERT_EQ(run.status, 0) << run.err;
  run = Cli(
      {"replace", Utf8(work / "game.bin"), Utf8(work / "new.dds"), "-o", Utf8(out / u8"ü.bin")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(SameBytes(Join({head, texture, place_template}),
                        UnpackMenuBytes(codec, ReadWholeFile(out / u8"ü.bin")).bytes));
}

TEST_F(CliProgram, NeverOverwritesWithoutForceAndStillDoesTheOtherInputs) {
  WriteBytes(work / "a.dds", texture);
  WriteBytes(work / "b.dds", texture);
  WriteBytes(out / "a.bin", {1, 2, 3});
  const std::vector<std::string> build{"build",   Utf8(work / "a.dds"), Utf8(work / "b.dds"),
                                       "--place", "Exhibition",         "-o",
                                       Utf8(out)};
  auto run = Cli(build);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "frondel-cli: " + Utf8(work / "a.dds") + ": " + Utf8(out / "a.bin") +
                         " exists; use --force to replace it\n");
  EXPECT_EQ(ReadWholeFile(out / "a.bin"), (Bytes{1, 2, 3}));
  EXPECT_TRUE(FileExists(out / "b.bin"));
  auto forced = build;
  forced.push_back("--force");
  run = Cli(forced);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadWholeFile(out / "a.bin"), ReadWholeFile(out / "b.bin"));
  // One input names its output file; a folder there is never replaced.
  run = Cli({"build", Utf8(work / "a.dds"), "--place", "Edit", "-o", Utf8(out), "--force"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(Utf8(out) + " is a folder"), std::string::npos) << run.err;
}

TEST_F(CliProgram, UsageErrorsExitWithTwoAndWriteNothing) {
  WriteBytes(work / "a.dds", texture);
  const std::string dds = Utf8(work / "a.dds");
  const struct {
    std::vector<std::string> arguments;
    std::string says;
  } cases[] = {
      {{"build", dds, "--place", "Stadium", "-o", Utf8(out / "a.bin")}, "System Setting (SYSDATA)"},
      {{"build", dds, dds, "--place", "Edit", "-o", Utf8(out / "none")}, "existing folder"},
      {{"export", Utf8(work / "a.bin")}, "--output is required"},
      {{"rebuild"}, "rebuild"},
  };
  for (const auto& c : cases) {
    const auto run = Cli(c.arguments);
    EXPECT_EQ(run.status, 2) << c.says;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
  }
  EXPECT_TRUE(OutputFiles().empty());
}

TEST_F(CliProgram, InfoDescribesGoodAndDamagedFilesAndExportRefusesIncompleteOnes) {
  WriteBytes(work / "a.dds", texture);
  const fs::path good = work / "good.bin";
  ASSERT_EQ(Cli({"build", Utf8(work / "a.dds"), "--place", "gallery", "-o", Utf8(good)}).status, 0);
  const Bytes packed = ReadWholeFile(good);
  Bytes short_length = packed;
  PutInt32(short_length, menu_file::kPayloadLengthOffset, 1000);
  Bytes zero_length = packed;
  PutInt32(zero_length, menu_file::kPayloadLengthOffset, 0);
  const struct {
    std::string name;
    Bytes bytes;
    std::string status;
  } bad[] = {
      {"damaged.bin", Bytes(packed.begin(), packed.begin() + 200), "damaged"},
      {"cut.bin", short_length, "cut at the stored length"},
      {"zero.bin", zero_length, "not decoded"},
      {"short.bin", Bytes(packed.begin(), packed.begin() + 10), "too short"},
  };
  for (const auto& file : bad) {
    WriteBytes(work / file.name, file.bytes);
    const auto run = Cli({"export", Utf8(work / file.name), "-o", Utf8(out / "t.dds")});
    EXPECT_EQ(run.status, 1) << file.name;
    EXPECT_NE(run.err.find(file.status), std::string::npos) << run.err;
  }
  EXPECT_TRUE(OutputFiles().empty());

  const auto run = Cli({"info", "--json", Utf8(good), Utf8(work / "damaged.bin")});
  EXPECT_EQ(run.status, 0) << run.err;
  for (const char* expected : {R"("kind": "menu", "length": )", R"("status": "complete")",
                               R"("place": {"list_text": "Gallery", "template_file": "GALDATA"})",
                               R"("texture": null)", R"("status": "damaged", "payload_length": )",
                               R"("header": {"fixed_bytes_match": true, "packed_length": )"}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
  }
  EXPECT_EQ(run.out.front(), '[');
}

}  // namespace
}  // namespace frondel
