// The whole processes `frondel-cli build` and `frondel-cli export` on a realistic texture and
// the shipped blocks, beside a Python script doing the same work with Python's zlib; a build
// of a 1920x1080 16-bit PNG beside ImageMagick's convert of it to an uncompressed DDS, where
// convert is installed; then a batch of 40 textures built and exported with -j 1 and with
// the default number of jobs, and the outputs of such a batch written with and without
// syncing. Prints the medians and the ratios.
// Usage: cli_bench [runs] [batch runs]
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "bench_texture.h"
#include "building/menu_format.h"
#include "platform/file_system.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;

struct Times {
  double wall_ms, cpu_ms;  // medians; CPU is the process's user and system time
  double peak_mib;         // the largest resident memory of any run
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs each program in turn, `runs` rounds, so that a change in the load of a shared machine
// falls on all of them alike. CPU time is reported too: on a shared machine the wall time of a
// whole process says more about the neighbours than about the process.
std::vector<Times> Measure(const std::vector<std::vector<std::string>>& commands, int runs) {
  std::vector<std::vector<double>> wall(commands.size()), cpu(commands.size());
  std::vector<long> peak_kib(commands.size(), 0);
  for (int i = 0; i < runs; ++i) {
    for (std::size_t c = 0; c < commands.size(); ++c) {
      std::vector<char*> argv;
      for (const std::string& argument : commands[c]) {
        argv.push_back(const_cast<char*>(argument.c_str()));
      }
      argv.push_back(nullptr);
      const auto start = std::chrono::steady_clock::now();
      pid_t child = 0;
      int status = -1;
      rusage usage{};
      if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0 ||
          wait4(child, &status, 0, &usage) != child || status != 0) {
        std::fprintf(stderr, "failed: %s %s\n", argv[0], argv[1]);
        std::exit(1);
      }
      wall[c].push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
      const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
      cpu[c].push_back(ms(usage.ru_utime) + ms(usage.ru_stime));
      peak_kib[c] = std::max(peak_kib[c], usage.ru_maxrss);
    }
  }
  std::vector<Times> times;
  for (std::size_t c = 0; c < commands.size(); ++c) {
    times.push_back({Median(wall[c]), Median(cpu[c]), peak_kib[c] / 1024.0});
  }
  return times;
}

void PrintRatio(const char* what, Times cli, Times other, const char* other_name = "Python") {
  std::printf(
      "  %s: frondel-cli %.1f ms wall, %.1f ms CPU, %.1f MiB peak; %s %.1f ms wall, %.1f ms CPU, "
      "%.1f MiB peak; ratio %.2f wall, %.2f CPU\n",
      what, cli.wall_ms, cli.cpu_ms, cli.peak_mib, other_name, other.wall_ms, other.cpu_ms,
      other.peak_mib, cli.wall_ms / other.wall_ms, cli.cpu_ms / other.cpu_ms);
}

// A 1920x1080 16-bit RGB PNG of gradients with grain, as a photo or a painting a modder starts
// from.
Bytes MakeWidePng() {
  constexpr std::uint32_t kWidth = 1920, kHeight = 1080;
  Bytes rows;
  rows.reserve(kHeight * (1 + kWidth * 6));
  std::uint32_t grain = 777;
  for (std::uint32_t y = 0; y < kHeight; ++y) {
    rows.push_back(0);  // no filter
    for (std::uint32_t x = 0; x < kWidth; ++x) {
      grain = grain * 1664525u + 1013904223u;
      const std::uint32_t values[] = {x * 34 + (grain >> 26), y * 60 + (grain >> 27),
                                      (x + y) * 21 + (grain >> 25)};
      for (const std::uint32_t v : values) {
        rows.push_back(static_cast<std::uint8_t>(v >> 8));
        rows.push_back(static_cast<std::uint8_t>(v));
      }
    }
  }
  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  const auto chunk = [&png](const char* type, const Bytes& data) {
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(std::uint8_t(data.size() >> shift));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    const uLong crc = crc32(0, png.data() + start, static_cast<uInt>(png.size() - start));
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(std::uint8_t(crc >> shift));
  };
  Bytes header{0, 0, kWidth >> 8, kWidth & 0xff, 0, 0, kHeight >> 8, kHeight & 0xff, 16, 2, 0,
               0, 0};
  chunk("IHDR", header);
  uLongf length = compressBound(static_cast<uLong>(rows.size()));
  Bytes stream(length);
  compress(stream.data(), &length, rows.data(), static_cast<uLong>(rows.size()));
  stream.resize(length);
  chunk("IDAT", stream);
  chunk("IEND", {});
  return png;
}

// True when `convert` on the path is ImageMagick's.
bool HaveImageMagick() {
  FILE* version = popen("convert -version 2>/dev/null", "r");
  if (!version) return false;
  char line[256] = {};
  const bool found = std::fgets(line, sizeof line, version) &&
                     std::string(line).find("ImageMagick") != std::string::npos;
  pclose(version);
  return found;
}

void PrintBatch(const char* what, Times one, Times all, unsigned jobs) {
  std::printf(
      "  batch %s: -j 1 %.0f ms wall, %.0f ms CPU, %.1f MiB peak; default (%u jobs) %.0f ms "
      "wall, %.0f ms CPU, %.1f MiB peak; ratio %.2f wall (target at most 0.60), peak %.1f MiB "
      "(target at most %.1f MiB)\n",
      what, one.wall_ms, one.cpu_ms, one.peak_mib, jobs, all.wall_ms, all.cpu_ms, all.peak_mib,
      all.wall_ms / one.wall_ms, all.peak_mib, jobs * one.peak_mib + 16);
}

// What syncing costs a batch: its outputs written as the user's files (flushed to disk with
// their folder, as frondel-cli writes them) and as working files (not flushed), in turn.
// Returns the medians in milliseconds, synced first.
std::pair<double, double> SyncCost(const fs::path& folder, const Bytes& output, int count,
                                   int runs) {
  std::vector<double> synced, unsynced;
  for (int run = 0; run < runs; ++run) {
    for (std::vector<double>* times : {&synced, &unsynced}) {
      fs::remove_all(folder);
      fs::create_directories(folder);
      const auto start = std::chrono::steady_clock::now();
      for (int i = 0; i < count; ++i) {
        const fs::path file = folder / ("t" + std::to_string(i) + ".bin");
        times == &synced ? (void)WriteUserFile(file, {output}, Replace::Existing)
                         : WriteWholeFile(file, {output});
      }
      times->push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
    }
  }
  return {Median(synced), Median(unsynced)};
}

}  // namespace
}  // namespace frondel

int main(int argc, char** argv) {
  using namespace frondel;
  const int runs = argc > 1 ? std::atoi(argv[1]) : 9;
  const int batch_runs = argc > 2 ? std::atoi(argv[2]) : 5;
  const fs::path work =
      fs::temp_directory_path() / ("frondel-cli-bench-" + std::to_string(getpid()));
  fs::create_directories(work);
  const Bytes texture = MakeTexture();
  WriteWholeFile(work / "texture.dds", {texture});
  const std::string blocks = (fs::path(FRONDEL_DATA_DIR) / "temp" / "dataentery").string();
  const std::string cli = FRONDEL_CLI_PROGRAM;
  const auto python = [](std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"python3", FRONDEL_CLI_BENCH_SCRIPT});
    return arguments;
  };
  const auto in_work = [&](const char* name) { return (work / name).string(); };

  const std::vector<Times> single =
      Measure({{cli, "build", in_work("texture.dds"), "--place", "Exhibition", "--blocks", blocks,
                "-o", in_work("cli.bin"), "--force"},
               python({"build", blocks + "/TOPDATA1", in_work("texture.dds"), blocks + "/EXDATA",
                       in_work("python.bin")})},
              runs);
  const std::vector<Times> single_export =
      Measure({{cli, "export", in_work("cli.bin"), "-o", in_work("cli.dds"), "--force"},
               python({"export", in_work("cli.bin"), in_work("python.dds")})},
              runs);
  // The two packers make different streams of the same payload, so the files are compared
  // unpacked.
  const StreamCodec codec;
  const Uncompressed ours = UnpackMenuBytes(codec, ReadWholeFile(work / "cli.bin"));
  const Uncompressed theirs = UnpackMenuBytes(codec, ReadWholeFile(work / "python.bin"));
  bool same = ours.status == UncompressStatus::Complete && ours.bytes == theirs.bytes &&
              ReadWholeFile(work / "cli.dds") == ReadWholeFile(work / "python.dds");

  // The batch: 40 textures, each with a pixel of its own so that no two outputs are alike.
  constexpr int kBatch = 40;
  for (const char* folder : {"textures", "built", "exported", "built-1", "exported-1"}) {
    fs::create_directories(work / folder);
  }
  std::vector<std::string> build{cli,        "build", "--place", "Exhibition",
                                 "--blocks", blocks,  "--force", "-o"};
  std::vector<std::string> exports{cli, "export", "--force", "-o"};
  std::vector<std::string> build_one = build, export_one = exports;
  build.push_back(in_work("built"));
  build_one.push_back(in_work("built-1"));
  exports.push_back(in_work("exported"));
  export_one.insert(export_one.end(), {in_work("exported-1"), "-j", "1"});
  build_one.insert(build_one.end(), {"-j", "1"});
  for (int i = 0; i < kBatch; ++i) {
    Bytes own = texture;
    own[200] = static_cast<std::uint8_t>(i);
    const std::string name = "t" + std::to_string(i);
    WriteWholeFile(work / "textures" / (name + ".dds"), {own});
    build.push_back(in_work("textures") + "/" + name + ".dds");
    build_one.push_back(build.back());
    exports.push_back(in_work("built") + "/" + name + ".bin");
    export_one.push_back(in_work("built-1") + "/" + name + ".bin");
  }
  const std::vector<Times> batch_build = Measure({build_one, build}, batch_runs);
  const std::vector<Times> batch_export = Measure({export_one, exports}, batch_runs);
  for (int i = 0; i < kBatch && same; ++i) {
    const std::string name = "t" + std::to_string(i);
    same = ReadWholeFile(work / "built" / (name + ".bin")) ==
               ReadWholeFile(work / "built-1" / (name + ".bin")) &&
           ReadWholeFile(work / "exported" / (name + ".dds")) ==
               ReadWholeFile(work / "textures" / (name + ".dds")) &&
           ReadWholeFile(work / "exported-1" / (name + ".dds")) ==
               ReadWholeFile(work / "textures" / (name + ".dds"));
  }
  const auto [synced_ms, unsynced_ms] =
      SyncCost(work / "synced", ReadWholeFile(work / "built" / "t0.bin"), kBatch, batch_runs);
  std::vector<Times> wide;
  const bool image_magick = HaveImageMagick();
  if (image_magick) {
    // Made in a child of its own: a spawned program's peak counts the pages of the process
    // that spawned it, which the picture would grow.
    const pid_t maker = fork();
    if (maker == 0) {
      WriteWholeFile(work / "wide.png", {MakeWidePng()});
      _exit(0);
    }
    int status = -1;
    if (maker < 0 || waitpid(maker, &status, 0) != maker || status != 0) {
      std::fprintf(stderr, "failed to make the PNG\n");
      return 1;
    }
    wide = Measure({{cli, "build", in_work("wide.png"), "--place", "Exhibition", "--blocks", blocks,
                     "-o", in_work("wide.bin"), "--force"},
                    {"convert", in_work("wide.png"), "-resize", "1024x1024!", "-define",
                     "dds:compression=none", in_work("wide.dds")}},
                   runs);
  }
  fs::remove_all(work);

  const unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
  std::printf("medians of %d runs (batches: %d runs), whole processes:\n", runs, batch_runs);
  PrintRatio("build (target at most 0.40)", single[0], single[1]);
  PrintRatio("export (target at most 0.40)", single_export[0], single_export[1]);
  if (image_magick) {
    PrintRatio("build of a 1920x1080 16-bit PNG (target at most 0.50)", wide[0], wide[1],
               "ImageMagick's convert to DDS");
  } else {
    std::printf(
        "  build of a 1920x1080 PNG: not compared, ImageMagick's convert is not installed\n");
  }
  PrintBatch("build of 40", batch_build[0], batch_build[1], jobs);
  PrintBatch("export of 40", batch_export[0], batch_export[1], jobs);
  std::printf("  the 40 built outputs written synced %.0f ms, not synced %.0f ms\n", synced_ms,
              unsynced_ms);
  std::printf("  outputs %s\n", same ? "the same payloads and textures" : "DIFFER");
  return same ? 0 : 1;
}
