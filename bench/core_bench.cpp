// Packing and unpacking-plus-extraction of a realistic payload, beside raw zlib on the same
// bytes, and the peak heap of a build. Prints the ratios that the targets are set on.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>
#include <zlib.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <new>
#include <string>

#include "bench_texture.h"
#include "building/menu_format.h"
#include "building/payload_assembly.h"
#include "building/working_folder.h"
#include "export/dds_extraction.h"
#include "platform/heap_tuning.h"
#include "platform/prompts.h"

// Heap accounting for the peak-memory figure.
namespace {
std::atomic<std::size_t> heap_now{0}, heap_peak{0};
}
void* operator new(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  const std::size_t now = heap_now += malloc_usable_size(p);
  std::size_t peak = heap_peak;
  while (now > peak && !heap_peak.compare_exchange_weak(peak, now)) {
  }
  return p;
}
void operator delete(void* p) noexcept {
  if (p) heap_now -= malloc_usable_size(p);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace frondel {
namespace {

namespace fs = std::filesystem;

class SilentPrompts : public Prompts {
 public:
  fs::path ChooseFile(DialogKind, std::string_view) override { return {}; }
  Answer MessageBox(std::string_view, BoxStyle, std::string_view) override { return Answer::Ok; }
};

struct Fixture {
  Fixture() {
    folder = fs::temp_directory_path() / ("frondel-bench-" + std::to_string(getpid()));
    for (const char* sub : {"temp/dataimport", "temp/dataexport", "temp/dataentery"}) {
      fs::create_directories(folder / sub);
    }
    Bytes head(48), place_template(64 * 1024);
    for (std::size_t i = 0; i < head.size(); ++i) head[i] = static_cast<std::uint8_t>(i * 5);
    for (std::size_t i = 0; i < place_template.size(); ++i) {
      place_template[i] = static_cast<std::uint8_t>((i % 24 < 8) ? i / 24 : i * 31 >> 3);
    }
    WriteWholeFile(WorkingPath(folder, WorkFile::HeadBlock), {head});
    WriteWholeFile(WorkingPath(folder, WorkFile::ImportTexture), {MakeTexture()});
    WriteWholeFile(WorkingPath(folder, "temp/dataentery/EXDATA"), {place_template});
    BuildPlacePayload(codec, folder, *FindMenuPlace("Exhibition"));
    payload_bytes = ReadWholeFile(WorkingPath(folder, WorkFile::ImportPayload));
    packed = ReadWholeFile(WorkingPath(folder, WorkFile::ImportPacked));
  }
  ~Fixture() { fs::remove_all(folder); }

  fs::path folder;
  Zlib codec;
  Bytes payload_bytes, packed;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void RawCompress(benchmark::State& state) {
  Fixture& f = Shared();
  Bytes out(compressBound(f.payload_bytes.size()));
  for (auto _ : state) {
    uLongf length = out.size();
    compress(out.data(), &length, f.payload_bytes.data(), f.payload_bytes.size());
    benchmark::DoNotOptimize(out.data());
  }
}

void Packing(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) PackPayload(f.codec, f.folder);
}

void RawUncompress(benchmark::State& state) {
  Fixture& f = Shared();
  Bytes out(f.payload_bytes.size());
  for (auto _ : state) {
    uLongf length = out.size();
    uncompress(out.data(), &length, f.packed.data() + 16, f.packed.size() - 16);
    benchmark::DoNotOptimize(out.data());
  }
}

void UnpackingAndExtraction(benchmark::State& state) {
  Fixture& f = Shared();
  WriteWholeFile(WorkingPath(f.folder, WorkFile::ExportPacked), {f.packed});
  SilentPrompts prompts;
  for (auto _ : state) {
    UnpackMenuFile(f.codec, f.folder);
    ExtractDds(f.folder, prompts);
  }
}

BENCHMARK(RawCompress)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(Packing)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(RawUncompress)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(UnpackingAndExtraction)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Keeps each benchmark's time per iteration (or median of repetitions) for the ratios.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      // With --benchmark_repetitions the median stands for the benchmark.
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      const std::string name = run.benchmark_name();
      const std::string base = name.substr(0, name.find('/'));
      real[base] = run.GetAdjustedRealTime();
      cpu[base] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> real, cpu;
};

void PrintBuildPeak() {
  Fixture& f = Shared();
  const std::size_t before = heap_now;
  heap_peak = before;
  BuildPlacePayload(f.codec, f.folder, *FindMenuPlace("Exhibition"));
  const double peak = double(heap_peak - before) / double(f.payload_bytes.size());
  std::printf("build peak heap: %.2f x payload size (target under 3.00)\n", peak);
}

}  // namespace
}  // namespace frondel

int main(int argc, char** argv) {
  // As the program does at start.
  frondel::KeepWorkBuffersMapped();
  benchmark::Initialize(&argc, argv);
  frondel::RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto ratio = [&](const char* what, const char* ours, const char* raw, double target) {
    if (!reporter.real.count(ours) || !reporter.real.count(raw)) return;
    std::printf("%s: %.3f real time, %.3f CPU time (target at most %.2f)\n", what,
                reporter.real[ours] / reporter.real[raw], reporter.cpu[ours] / reporter.cpu[raw],
                target);
  };
  ratio("packing / raw compress", "Packing", "RawCompress", 1.10);
  ratio("unpacking+extraction / raw uncompress", "UnpackingAndExtraction", "RawUncompress", 1.25);
  frondel::PrintBuildPeak();
  benchmark::Shutdown();
}
