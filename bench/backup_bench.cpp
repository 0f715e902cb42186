// What keeping the replaced file adds to "SaveFile" over a 4 MB file: the save with its
// backup beside the bare move, with the user's file on the working folder's file system (a
// hard link) and on another one (a copy).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "backups/backup_store.h"
#include "building/save_built_file.h"
#include "building/working_folder.h"
#include "median_reporter.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = 4 << 20;

Bytes Noise(unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes(kFileSize);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

// state.range(0): 1 for the user's file on /dev/shm; state.range(1): 1 to keep a backup.
void SaveOverExisting(benchmark::State& state) {
  const fs::path root = fs::temp_directory_path() / "frondel-backup-bench";
  const fs::path user = state.range(0) ? fs::path("/dev/shm/frondel-backup-bench") : root / "user";
  fs::remove_all(root);
  fs::remove_all(user);
  fs::create_directories(WorkingPath(root, WorkFile::ImportPacked).parent_path());
  fs::create_directories(user);
  const Bytes built = Noise(1), old = Noise(2);
  const fs::path target = user / "menu.bin";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(BackupsFolder(root));
    WriteWholeFile(WorkingPath(root, WorkFile::ImportPacked), {built});
    WriteWholeFile(target, {old});
    state.ResumeTiming();
    if (state.range(1)) {
      SaveBuiltFile(root, target, Replace::Existing);
    } else {
      MoveFile(WorkingPath(root, WorkFile::ImportPacked), target, Replace::Existing);
    }
  }
  fs::remove_all(root);
  fs::remove_all(user);
}

BENCHMARK(SaveOverExisting)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"other_fs", "backup"})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace frondel

int main(int argc, char** argv) {
  frondel::MedianReporter reporter;
  frondel::RunBenchmarks(argc, argv, reporter);
  benchmark::Shutdown();
}
