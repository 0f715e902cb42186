// frondel-cli run as a user runs it: the built program copied into a program folder whose
// name holds blanks and characters outside ASCII, its outputs and statuses checked.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "building/menu_format.h"
#include "building/payload_assembly.h"
#include "building/payload_parts.h"
#include "building/working_folder.h"
#include "cli/run_program.h"
#include "codec/parallel_deflate.h"
#include "platform/file_error.h"
#include "platform/little_endian.h"
#include "support/bytes.h"
#include "support/dds_samples.h"
#include "support/program_folder.h"
#include "support/stb_pictures.h"
#include "texture/conversion.h"
#include "texture/texture_layout.h"
#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace frondel {
namespace {

namespace fs = std::filesystem;
using testing::GameTexture;
using testing::Join;
using testing::PatternBytes;
using testing::SameBytes;
using testing::WriteBytes;

std::string Utf8(const fs::path& path) { return PathText(path); }

std::string StandInLine(const std::string& place) {
  return "frondel-cli: built with stand-in blocks for " + place +
         ", which the game does not read; take the game's own first (frondel-cli blocks take "
         "MENU.bin --place PLACE)\n";
}

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
  const Bytes texture = GameTexture(5);
  StreamCodec codec;
};

TEST_F(CliProgram, BuildsAFolderOfTexturesAndExportsThemBack) {
  const std::vector<fs::path> textures{work / "a b.dds", work / u8"ñ 日本.dds"};
  for (std::uint32_t i = 0; i < textures.size(); ++i) {
    WriteBytes(textures[i], GameTexture(i));
  }
  auto run = Cli(
      {"build", Utf8(textures[0]), Utf8(textures[1]), "--place", "master LEAGUE", "-o", Utf8(out)});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out + run.err, StandInLine("Master League"));
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
  const fs::path imported = WorkingPath(program.path(), WorkFile::ImportTexture);
  WriteBytes(imported, texture);
  // The window packs on every core, as the command line does a single input unless told.
  const struct {
    unsigned threads;
    std::vector<std::string> asked;
  } cases[] = {{HardwareThreads(), {}}, {1, {"--threads", "1"}}};
  for (const auto& c : cases) {
    CreateMenuFile(StreamCodec(c.threads), program.path(), FindMenuPlace("Edit"));
    std::vector<std::string> build{"build", Utf8(imported),         "--place", "editdata",
                                   "-o",    Utf8(out / "edit.bin"), "--force"};
    build.insert(build.end(), c.asked.begin(), c.asked.end());
    const auto run = Cli(build);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(SameBytes(ReadWholeFile(WorkingPath(program.path(), WorkFile::ImportPacked)),
                          ReadWholeFile(out / "edit.bin")))
        << c.threads;
  }
}

TEST_F(CliProgram, ReplaceKeepsTheFilesOwnHeadAndTemplate) {
  const fs::path blocks = work / "game blocks";
  fs::create_directories(blocks);
  const Bytes head = PatternBytes(48, 1), place_template = PatternBytes(7000, 2);
  WriteBytes(blocks / "TOPDATA1", head);
  WriteBytes(blocks / "SYSDATA", place_template);
  WriteBytes(work / "old.dds", GameTexture(3));
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
                         " exists; use --force to replace it\n" + StandInLine("Exhibition"));
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
      {{"blocks", "restore", "--place", "Stadium"}, "Exhibition (EXDATA)"},
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
  Bytes huge_length = packed;
  PutInt32(huge_length, menu_file::kPayloadLengthOffset, 0x7fffffff);
  const struct {
    std::string name;
    Bytes bytes;
    std::string status;
  } bad[] = {
      {"damaged.bin", Bytes(packed.begin(), packed.begin() + 40), "damaged"},
      {"cut.bin", short_length, "cut at the stored length"},
      {"zero.bin", zero_length, "not decoded"},
      {"huge.bin", huge_length, "not decoded (stored length above 64 MiB)"},
      {"short.bin", Bytes(packed.begin(), packed.begin() + 10), "too short"},
  };
  for (const auto& file : bad) {
    WriteBytes(work / file.name, file.bytes);
    const auto run = Cli({"export", Utf8(work / file.name), "-o", Utf8(out / "t.dds")});
    EXPECT_EQ(run.status, 1) << file.name;
    EXPECT_NE(run.err.find(file.status), std::string::npos) << run.err;
  }
  EXPECT_TRUE(OutputFiles().empty());

  WriteBytes(work / "junk.dat", PatternBytes(300, 2));
  const auto run =
      Cli({"info", "--json", Utf8(good), Utf8(work / "damaged.bin"), Utf8(work / "junk.dat")});
  EXPECT_EQ(run.status, 0) << run.err;
  for (const char* expected :
       {R"("kind": "menu", "length": )", R"("status": "complete")",
        R"("head_block_installed": true, "place": {"list_text": "Gallery")",
        R"("mipmap_count": 1, "game_layout": true)", R"("texture": null)",
        R"("status": "damaged", "payload_length": )",
        R"("header": {"fixed_bytes_match": true, "packed_length": )",
        R"("kind": "other", "length": 300, "description": "not a picture")"}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
  }
  EXPECT_EQ(run.out.front(), '[');
}

// Whether a texture's alpha is used, counted over its pixels, for a DDS and for the texture of
// a menu file; a fourth byte without an alpha mask is no alpha.
TEST_F(CliProgram, InfoCountsTheTexturesAlpha) {
  // A quarter transparent, a quarter half, the rest opaque; rows of 1024 pixels from the top.
  Bytes mixed = GameTexture(7);
  for (std::size_t pixel = 0; pixel < 1024 * 1024; ++pixel) {
    mixed[128 + pixel * 4 + 3] = pixel < 256 * 1024 ? 0 : pixel < 512 * 1024 ? 128 : 255;
  }
  Bytes clear = GameTexture(8);
  for (std::size_t at = 128 + 3; at < clear.size(); at += 4) clear[at] = 0;
  WriteBytes(work / "mixed.dds", mixed);
  WriteBytes(work / "clear.dds", clear);
  WriteBytes(work / "no alpha.dds", testing::MakeDds(testing::DdsKind::Bgrx32, 64, 32));
  ASSERT_EQ(
      Cli({"build", Utf8(work / "mixed.dds"), "--place", "edit", "-o", Utf8(out / "m.bin")}).status,
      0);

  auto run = Cli({"info", Utf8(work / "mixed.dds"), Utf8(work / "clear.dds"),
                  Utf8(work / "no alpha.dds"), Utf8(out / "m.bin")});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string mixed_line =
      "  alpha: mixed, 25.00% of the pixels transparent, 25.00% partly\n";
  for (const std::string& expected : std::vector<std::string>{
           "layout\n" + mixed_line + Utf8(work / "clear.dds"), "layout\n  alpha: all transparent\n",
           "not the game's layout\n  alpha: all opaque\n",
           "layout\n" + mixed_line + "  head block"}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
  }

  run = Cli({"info", "--json", Utf8(work / "mixed.dds"), Utf8(work / "no alpha.dds")});
  EXPECT_EQ(run.status, 0) << run.err;
  for (const char* expected :
       {R"("alpha": {"use": "mixed", "pixels": 1048576, "transparent": 262144, )"
        R"("partly_transparent": 262144, "transparent_share": 0.2500}})",
        R"("alpha": {"use": "opaque", "pixels": 2048, "transparent": 0, )"
        R"("partly_transparent": 0, "transparent_share": 0.0000}})"}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
  }
}

// The info command names a pixel format by its code or its channels, in its own words.
TEST_F(CliProgram, InfoNamesPixelFormats) {
  Bytes odd_code = testing::MakeDds(testing::DdsKind::Dxt5, 64, 64);
  odd_code[85] = 0x01;
  Bytes rgb565 = testing::MakeDds(testing::DdsKind::Bgr24, 4, 4);
  for (const auto& [at, value] : {std::pair{88, 16}, {92, 0xf800}, {96, 0x07e0}, {100, 0x1f}}) {
    testing::PutU32(rgb565, at, value);
  }
  WriteBytes(work / "odd.dds", odd_code);
  WriteBytes(work / "565.dds", rgb565);
  WriteBytes(work / "rgba.dds", testing::MakeDds(testing::DdsKind::Rgba32, 8, 4));
  const auto run =
      Cli({"info", Utf8(work / "odd.dds"), Utf8(work / "565.dds"), Utf8(work / "rgba.dds")});
  EXPECT_EQ(run.status, 0) << run.err;
  for (const char* expected : {" DDS 64x64 D?T5, 1 level, not the game's layout\n",
                               " DDS 4x4 RGB 16-bit, 1 level, not the game's layout\n",
                               " DDS 8x4 R8G8B8A8, 1 level, not the game's layout\n"}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
  }
}

TEST_F(CliProgram, ConvertsOtherTexturesUnlessAsIsWhichPacksOnlyADds) {
  const Bytes small = testing::MakeDds(testing::DdsKind::Dxt5, 64, 64);
  const std::string dds = Utf8(work / "small.dds"), junk = Utf8(work / "junk.dds");
  WriteBytes(work / "small.dds", small);
  WriteBytes(work / "junk.dds", PatternBytes(5000, 1));
  WriteBytes(work / "game.dds", texture);
  auto run = Cli(
      {"build", dds, junk, Utf8(work / "game.dds"), "--place", "Edit", "-o", Utf8(out), "--as-is"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "frondel-cli: " + junk + ": --as-is packs only a DDS texture, and " + junk +
                         " is not a picture\n" + StandInLine("Edit"));
  EXPECT_TRUE(SameBytes(
      Join({Installed("temp/dataentery/TOPDATA1"), small, Installed("temp/dataentery/EDITDATA")}),
      UnpackMenuBytes(codec, ReadWholeFile(out / "small.bin")).bytes));

  run = Cli({"replace", Utf8(out / "game.bin"), dds, "-o", Utf8(out / "new.bin")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "frondel-cli: " + dds + ": converted from " +
                         DescribeTexture(small).description +
                         " to the game's layout, stretched to 1024x1024\n");
  const Bytes converted = UnpackMenuBytes(codec, ReadWholeFile(out / "new.bin")).bytes;
  EXPECT_TRUE(DescribeTexture(ExtractTexture(converted)).is_game_layout);

  const Bytes tga = testing::stb::Write(testing::stb::Kind::Tga, 64, 64, [](unsigned, unsigned) {
    return testing::Rgba{1, 2, 3, 4};
  });
  WriteBytes(work / "cut.tga", Bytes(tga.begin(), tga.end() - 1));
  run = Cli({"replace", Utf8(out / "game.bin"), Utf8(work / "cut.tga"), "-o", Utf8(out / "t.bin")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cut.tga (TGA 64x64): the picture is damaged"), std::string::npos)
      << run.err;
}

TEST_F(CliProgram, BuildsAPngAndExportsItBackAsPngWithItsPixels) {
  const auto pixel = [](unsigned x, unsigned y) {
    return testing::Rgba{std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y),
                         std::uint8_t(x + y)};
  };
  const std::string png = Utf8(work / u8"ü.png");
  WriteBytes(work / u8"ü.png", testing::stb::Write(testing::stb::Kind::Png, 1024, 1024, pixel));
  WriteBytes(work / "g.dds", texture);
  auto run = Cli({"build", png, "--place", "Edit", "-o", Utf8(out / "p.bin"), "--as-is"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(png + " is PNG 1024x1024\n"), std::string::npos) << run.err;
  run = Cli({"build", png, Utf8(work / "g.dds"), "--place", "Edit", "-o", Utf8(out)});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "frondel-cli: " + png +
                         ": converted from PNG 1024x1024 to the game's layout\n" +
                         StandInLine("Edit"));

  const fs::path back = work / "back";
  fs::create_directories(back);
  run = Cli({"export", Utf8(out / u8"ü.bin"), "-o", Utf8(back / "one.PNG")});
  EXPECT_EQ(run.status, 0) << run.err;
  run = Cli(
      {"export", Utf8(out / u8"ü.bin"), Utf8(out / "g.bin"), "-o", Utf8(back), "--format", "PNG"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(FileExists(back / "g.png"));
  for (const fs::path& file : {back / "one.PNG", back / u8"ü.png"}) {
    const Bytes written = ReadWholeFile(file);
    EXPECT_EQ(DescribeTexture(written).kind, PictureKind::Png) << Utf8(file);
    const testing::stb::Decoded picture = testing::stb::ReadPng(written);
    ASSERT_EQ(picture.pixels.size(), 1024u * 1024u) << Utf8(file);
    unsigned differ = 0;
    for (unsigned i = 0; i < 1024 * 1024; ++i)
      differ += picture.pixels[i] != pixel(i % 1024, i / 1024);
    EXPECT_EQ(differ, 0u) << Utf8(file);
  }
}

TEST_F(CliProgram, ABatchGivesTheSameOutputsLinesAndStatusWithOneJobOrFour) {
  fs::create_directories(work / "sub");
  const std::vector<fs::path> inputs{work / "a.dds", work / "small.dds", work / "junk.dds",
                                     work / "b.dds", work / "sub" / "a.dds"};
  WriteBytes(inputs[0], GameTexture(1));
  WriteBytes(inputs[1], testing::MakeDds(testing::DdsKind::Dxt5, 64, 64));
  WriteBytes(inputs[2], PatternBytes(5000, 1));
  WriteBytes(inputs[3], GameTexture(2));
  WriteBytes(inputs[4], GameTexture(3));
  std::vector<std::string> build{"build", "--place", "Edit", "-o", Utf8(out), "-v"};
  for (const fs::path& input : inputs) build.push_back(Utf8(input));
  std::vector<std::string> info{"info"};
  for (const fs::path& input : inputs) info.push_back(Utf8(input));
  std::vector<testing::ProgramRun> runs;
  std::vector<std::vector<Bytes>> outputs;
  for (const char* jobs : {"1", "4"}) {
    for (std::vector<std::string>* arguments : {&build, &info}) {
      arguments->insert(arguments->end(), {"-j", jobs});
      runs.push_back(Cli(*arguments));
      arguments->resize(arguments->size() - 2);
    }
    outputs.emplace_back();
    for (const char* name : {"a.bin", "small.bin", "b.bin"}) {
      if (FileExists(out / name)) outputs.back().push_back(ReadWholeFile(out / name));
    }
    fs::remove_all(out);
    fs::create_directories(out);
  }
  EXPECT_EQ(runs[0].status, 1);
  EXPECT_NE(runs[0].err.find(Utf8(out / "a.bin") + " is the output of an earlier input"),
            std::string::npos)
      << runs[0].err;
  EXPECT_EQ(outputs[0].size(), 3u);
  EXPECT_EQ(outputs[0], outputs[1]);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(runs[i].status, runs[i + 2].status);
    EXPECT_EQ(runs[i].out, runs[i + 2].out);
    EXPECT_EQ(runs[i].err, runs[i + 2].err);
  }
}

#ifndef _WIN32
// A batch of builds, stopped by `stop` (given its process id) once a few outputs are finished
// and more are in flight: it ends with `status` and one line naming `cause`, and every output
// it left is whole and no temporary file is left.
class CliBatchStop : public CliProgram {
 protected:
  static constexpr std::uint32_t kInputs = 24;

  CliBatchStop() {
    for (std::uint32_t i = 0; i < kInputs; ++i) {
      const fs::path input = work / (std::to_string(i) + ".dds");
      WriteBytes(input, GameTexture(i));
      build.push_back(Utf8(input));
    }
  }
  std::size_t Finished() const {
    std::size_t finished = 0;
    for (const fs::path& file : OutputFiles()) finished += file.extension() == ".bin";
    return finished;
  }
  void ExpectStoppedCleanly(const std::function<void(int)>& stop, int out_fd, int status,
                            const std::string& cause) {
    const int process = testing::StartProgram(
        program.path() / fs::path(FRONDEL_CLI_PROGRAM).filename(), build, scratch.path(), out_fd);
    if (out_fd >= 0) close(out_fd);
    stop(process);
    const auto run = testing::WaitForProgram(process, scratch.path());
    EXPECT_EQ(run.status, status) << run.err;
    const std::vector<fs::path> left = OutputFiles();
    EXPECT_GE(left.size(), 2u);
    EXPECT_LT(left.size(), kInputs);
    EXPECT_EQ(run.err, "frondel-cli: stopped by " + cause + " with " + std::to_string(left.size()) +
                           " of " + std::to_string(kInputs) + " inputs done\n");
    for (const fs::path& file : left) {
      ASSERT_EQ(file.extension(), ".bin") << Utf8(file);
      const Bytes texture = ReadWholeFile(work / file.filename().replace_extension(".dds"));
      EXPECT_TRUE(SameBytes(Join({Installed("temp/dataentery/TOPDATA1"), texture,
                                  Installed("temp/dataentery/EDITDATA")}),
                            UnpackMenuBytes(codec, ReadWholeFile(file)).bytes));
    }
    fs::remove_all(out);
    fs::create_directories(out);
  }

  std::vector<std::string> build{"build", "--place", "Edit", "-o", Utf8(out), "-j", "2", "-v"};
};

TEST_F(CliBatchStop, EachStopSignalLeavesWholeOutputsAndNoTemporaryFile) {
  for (const auto& [signal, name] :
       {std::pair{SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}, {SIGQUIT, "SIGQUIT"}}) {
    SCOPED_TRACE(name);
    const auto signal_once_two_are_done = [this, signal](int process) {
      const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
      while (Finished() < 2 && std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
      kill(process, signal);
    };
    ExpectStoppedCleanly(signal_once_two_are_done, -1, 128 + signal, name);
  }
}

// As `frondel-cli build -v ... | head -2`: the reader goes after two lines.
TEST_F(CliBatchStop, AClosedOutputPipeStopsItLikeASignal) {
  int ends[2];
  // Not inherited, so that the child holds no reading end of its own.
  ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
  const auto close_after_two_lines = [&ends](int) {
    int lines = 0;
    char c = 0;
    while (lines < 2 && read(ends[0], &c, 1) == 1) lines += c == '\n';
    close(ends[0]);
  };
  ExpectStoppedCleanly(close_after_two_lines, ends[1], 141, "a write error on standard output");
}

TEST_F(CliProgram, ShowsTheProgressLineOnlyOnATerminalAndNotWhenQuiet) {
  WriteBytes(work / "a.dds", texture);
  WriteBytes(work / "b.dds", texture);
  WriteBytes(work / "junk.dds", PatternBytes(5000, 1));
  const std::vector<std::string> build{"build",
                                       Utf8(work / "a.dds"),
                                       Utf8(work / "junk.dds"),
                                       Utf8(work / "b.dds"),
                                       "--place",
                                       "Edit",
                                       "-o",
                                       Utf8(out),
                                       "--as-is",
                                       "--force"};
  const fs::path cli = program.path() / fs::path(FRONDEL_CLI_PROGRAM).filename();
  const std::string failure = "frondel-cli: " + Utf8(work / "junk.dds") + ": --as-is packs only";
  auto run = testing::RunProgramOnTerminal(cli, build, scratch.path());
  EXPECT_EQ(run.status, 1);
  const std::string last = "3/3 done, 1 failed";
  EXPECT_NE(run.err.find("\r" + last), std::string::npos) << run.err;
  // Every line starts on a cleared line, and the last clears the progress.
  EXPECT_NE(run.err.find(std::string(last.size(), ' ') + "\r" + StandInLine("Edit")),
            std::string::npos)
      << run.err;
  EXPECT_TRUE(run.err.ends_with(StandInLine("Edit"))) << run.err;
  EXPECT_NE(run.err.find("\r" + failure), std::string::npos) << run.err;
  auto quiet = build;
  quiet.push_back("--quiet");
  run = testing::RunProgramOnTerminal(cli, quiet, scratch.path());
  EXPECT_EQ(run.err.find(" done"), std::string::npos) << run.err;
  EXPECT_TRUE(run.err.starts_with(failure)) << run.err;
}
#endif

TEST_F(CliProgram, BlocksAreTakenForcedOverAnotherHeadListedAndRestored) {
  const Bytes shipped_head = Installed("temp/dataentery/TOPDATA1");
  const Bytes shipped_ml = Installed("temp/dataentery/MLDATA");
  const auto game_file = [&](const fs::path& file, const Bytes& head) {
    WriteBytes(file, PackMenuBytes(codec, Join({head, texture, PatternBytes(6000, 8)})));
    return Utf8(file);
  };
  const std::string first = game_file(work / u8"ml ü.bin", PatternBytes(48, 6));
  const std::string second = game_file(work / "ex.bin", PatternBytes(48, 7));
  auto run = Cli({"blocks", "take", first, "--place", "mldata"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "TOPDATA1: replaced the stand-in\nMLDATA: replaced the stand-in\n");
  run = Cli({"blocks", "take", second, "--place", "Exhibition"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("differs; use --force"), std::string::npos) << run.err;
  EXPECT_TRUE(SameBytes(PatternBytes(48, 6), Installed("temp/dataentery/TOPDATA1")));
  run = Cli({"blocks", "take", second, "--place", "Exhibition", "--force"});
  EXPECT_EQ(run.status, 0) << run.err;

  WriteBytes(work / "a.dds", texture);
  run = Cli({"build", Utf8(work / "a.dds"), "--place", "Exhibition", "-o", Utf8(out / "a.bin")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");

  run = Cli({"blocks", "list", "--json"});
  for (
      const char* expected :
      {R"({"block": "MLDATA", "place": "Master League", "state": "game", "from_file": "ml ü.bin")",
       R"({"block": "CLDATA", "place": "Champion League", "state": "stand_in", "from_file": null)"}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
  }
  run = Cli({"blocks", "restore"});
  EXPECT_EQ(run.out,
            "restored the stand-in TOPDATA1\nrestored the stand-in EXDATA\nrestored the stand-in "
            "MLDATA\n");
  EXPECT_TRUE(SameBytes(shipped_head, Installed("temp/dataentery/TOPDATA1")));
  EXPECT_TRUE(SameBytes(shipped_ml, Installed("temp/dataentery/MLDATA")));
}

TEST_F(CliProgram, ForcedOutputsAreKeptListedAndRestored) {
  WriteBytes(work / "a.dds", texture);
  WriteBytes(work / "b.dds", GameTexture(6));
  const std::string bin = Utf8(out / "a.bin"), dds = Utf8(out / "a.dds");
  auto run = Cli({"build", Utf8(work / "a.dds"), "--place", "Exhibition", "-o", bin});
  ASSERT_EQ(run.status, 0) << run.err;
  const Bytes first = ReadWholeFile(out / "a.bin");
  run = Cli({"export", bin, "-o", dds});
  ASSERT_EQ(run.status, 0) << run.err;
  run = Cli({"backups", "list"});
  EXPECT_EQ(run.out, "no backups in " + Utf8(program / "backups") + "\n");

  // Each replacing path keeps what it replaces; the same bytes again are not kept twice.
  run = Cli({"replace", bin, Utf8(work / "b.dds"), "-o", bin, "--force"});
  ASSERT_EQ(run.status, 0) << run.err;
  run = Cli({"export", bin, "-o", dds, "--force"});
  ASSERT_EQ(run.status, 0) << run.err;
  run = Cli({"build", Utf8(work / "a.dds"), "--place", "Exhibition", "-o", bin, "--force"});
  ASSERT_EQ(run.status, 0) << run.err;
  run = Cli({"export", bin, "-o", dds, "--force"});
  ASSERT_EQ(run.status, 0) << run.err;
  run = Cli({"backups", "list", "--json"});
  EXPECT_NE(run.out.find(R"({"id": 1, "time": ")"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find(R"({"id": 5, )"), std::string::npos) << run.out;
  std::string json_bin;  // as a JSON string holds it: a backslash doubled
  for (char c : bin) json_bin += c == '\\' ? std::string(2, c) : std::string(1, c);
  EXPECT_NE(run.out.find(R"("original": ")" + json_bin + "\""), std::string::npos) << run.out;
  EXPECT_TRUE(run.out.starts_with("[\n  {\"id\": 4, ")) << run.out;  // newest first

  // Backup 1 is the first build: back elsewhere, then over what is there now.
  run = Cli({"backups", "restore", "1", "--to", Utf8(work / "old.bin")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(SameBytes(first, ReadWholeFile(work / "old.bin")));
  WriteBytes(out / "a.bin", PatternBytes(100, 1));
  run = Cli({"backups", "restore", "1"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "frondel-cli: " + bin + " exists; use --force to replace it\n");
  run = Cli({"backups", "restore", "1", "--force"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(SameBytes(first, ReadWholeFile(out / "a.bin")));
  run = Cli({"backups", "list"});
  EXPECT_TRUE(run.out.starts_with("5  ")) << run.out;
  run = Cli({"backups", "restore", "9"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "frondel-cli: there is no backup 9 (see frondel-cli backups list)\n");
}

}  // namespace
}  // namespace frondel
