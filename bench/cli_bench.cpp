// The whole processes `frondel-cli build` and `frondel-cli export` on a realistic texture and
// the shipped blocks, beside a Python script doing the same work with Python's zlib. Prints
// the medians and the two ratios. Usage: cli_bench [runs]
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_texture.h"
#include "building/menu_format.h"
#include "platform/file_system.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

struct Times {
  double wall_ms, cpu_ms;  // medians; CPU is the process's user and system time
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs a shell command `runs` times. CPU time is reported too: on a shared machine the wall
// time of a whole process says more about the neighbours than about the process.
Times Measure(const std::string& command, int runs) {
  std::vector<double> wall, cpu;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
    int status = -1;
    rusage usage{};
    if (posix_spawn(&child, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0 ||
        wait4(child, &status, 0, &usage) != child || status != 0) {
      std::fprintf(stderr, "failed: %s\n", command.c_str());
      std::exit(1);
    }
    wall.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    cpu.push_back(ms(usage.ru_utime) + ms(usage.ru_stime));
  }
  return {Median(wall), Median(cpu)};
}

void PrintRatio(const char* what, Times cli, Times python) {
  std::printf(
      "  %s: frondel-cli %.1f ms wall, %.1f ms CPU; Python %.1f ms wall, %.1f ms CPU; "
      "ratio %.2f wall, %.2f CPU (target at most 1.00)\n",
      what, cli.wall_ms, cli.cpu_ms, python.wall_ms, python.cpu_ms, cli.wall_ms / python.wall_ms,
      cli.cpu_ms / python.cpu_ms);
}

}  // namespace
}  // namespace frondel

int main(int argc, char** argv) {
  using namespace frondel;
  const int runs = argc > 1 ? std::atoi(argv[1]) : 9;
  const fs::path work =
      fs::temp_directory_path() / ("frondel-cli-bench-" + std::to_string(getpid()));
  fs::create_directories(work);
  WriteWholeFile(work / "texture.dds", {MakeTexture()});
  const fs::path blocks = fs::path(FRONDEL_DATA_DIR) / "temp" / "dataentery";
  const std::string cli = Quoted(FRONDEL_CLI_PROGRAM);
  const std::string python = "python3 " + Quoted(FRONDEL_CLI_BENCH_SCRIPT);

  const Times cli_build =
      Measure(cli + " build " + Quoted(work / "texture.dds") + " --place Exhibition --blocks " +
                  Quoted(blocks) + " -o " + Quoted(work / "cli.bin") + " --force",
              runs);
  const Times python_build = Measure(
      python + " build " + Quoted(blocks / "TOPDATA1") + " " + Quoted(work / "texture.dds") + " " +
          Quoted(blocks / "EXDATA") + " " + Quoted(work / "python.bin"),
      runs);
  const Times cli_export = Measure(
      cli + " export " + Quoted(work / "cli.bin") + " -o " + Quoted(work / "cli.dds") + " --force",
      runs);
  const Times python_export = Measure(
      python + " export " + Quoted(work / "cli.bin") + " " + Quoted(work / "python.dds"), runs);
  // The two packers make different streams of the same payload, so the files are compared
  // unpacked.
  const Zlib codec;
  const Uncompressed ours = UnpackMenuBytes(codec, ReadWholeFile(work / "cli.bin"));
  const Uncompressed theirs = UnpackMenuBytes(codec, ReadWholeFile(work / "python.bin"));
  const bool same = ours.status == UncompressStatus::Complete && ours.bytes == theirs.bytes &&
                    ReadWholeFile(work / "cli.dds") == ReadWholeFile(work / "python.dds");
  fs::remove_all(work);

  std::printf("medians of %d runs, whole processes:\n", runs);
  PrintRatio("build", cli_build, python_build);
  PrintRatio("export", cli_export, python_export);
  std::printf("  outputs %s\n", same ? "the same payload and texture" : "DIFFER");
  return same ? 0 : 1;
}
