#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/heap_tuning.h"

namespace frondel {

// Prints as the console reporter does and keeps each benchmark's time per iteration, the
// median where there are repetitions, under its name without the "/min_time" suffix
// ("Packing", "Convert/1920"), for the ratios the targets are set on.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      const std::string name = run.benchmark_name();
      const std::string key = name.substr(0, name.find("/min_time"));
      real[key] = run.GetAdjustedRealTime();
      cpu[key] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Prints `ours` beside `base` in real and CPU time, when both ran.
  void PrintRatio(const std::string& what, const std::string& ours, const std::string& base,
                  double target) {
    if (!real.count(ours) || !real.count(base)) return;
    std::printf("%s: %.3f real time, %.3f CPU time (target at most %.2f)\n", what.c_str(),
                real[ours] / real[base], cpu[ours] / cpu[base], target);
  }

  std::map<std::string, double> real, cpu;
};

// Runs the benchmarks that the command line asks for into `reporter`, the heap tuned as the
// programs tune it at start. Repetitions run interleaved in random order, so that a change in
// a shared machine's speed falls on both sides of a ratio alike rather than on whichever ran
// then; the command line may still turn that off.
inline void RunBenchmarks(int argc, char** argv, MedianReporter& reporter) {
  KeepWorkBuffersMapped();
  std::string interleaved = "--benchmark_enable_random_interleaving=true";
  std::vector<char*> arguments(argv, argv + argc);
  arguments.insert(arguments.begin() + 1, interleaved.data());
  int count = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);
  benchmark::Initialize(&count, arguments.data());
  benchmark::RunSpecifiedBenchmarks(&reporter);
}

}  // namespace frondel
