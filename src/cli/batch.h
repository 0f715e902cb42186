#pragma once

#include <CLI/CLI.hpp>
#include <cstddef>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

// How frondel-cli works on its inputs: up to N at once, what each one says reported in input
// order, and a stop on a signal or a failed write to the console that leaves finished outputs
// and nothing half done.
namespace frondel::cli {

struct BatchOptions {
  unsigned jobs = 1;   // inputs worked on at once
  bool quiet = false;  // no progress line
};

// Adds -j/--jobs (default: the number of hardware threads) and -q/--quiet to a subcommand that
// takes several inputs.
void AddBatchOptions(CLI::App& command, BatchOptions& options);

// Adds --threads to a subcommand that packs: the threads that stretching and packing one
// input may use.
void AddThreadsOption(CLI::App& command, unsigned& threads);

// The threads to stretch and pack each input on: `asked` when it was given (not 0); otherwise one
// per hardware thread for a single input, and one in a batch of several, whose inputs already share
// the cores out.
unsigned PackingThreads(unsigned asked, std::size_t inputs);

// How the work on one input ended, when it did not fail: a failure is thrown, a Failure whose
// words name what failed.
enum class InputEnd { Done, Stopped };

// What the work on one input says, kept until the inputs before it are reported.
class InputLines {
 public:
  void Out(std::string_view text) { lines_.push_back({false, std::string(text)}); }
  void Err(std::string_view text) { lines_.push_back({true, std::string(text)}); }
  bool empty() const { return lines_.empty(); }
  void Print() const;

 private:
  struct Line {
    bool err;
    std::string text;
  };
  std::vector<Line> lines_;
};

// One input of a batch, as the work on it sees it.
struct BatchInput {
  const std::string& name;
  std::size_t index;
  InputLines& lines;
  std::stop_token stop;

  // Asked between the steps of the work, which ends with InputEnd::Stopped once it is true.
  bool StopRequested() const { return stop.stop_requested(); }
};

// Runs `one` for each input, on up to options.jobs threads. A Failure (or running out of
// memory) becomes one line on standard error naming the input, and the other inputs still run. Each
// input's lines are printed once those of every input before it are. Returns kDone or kFailed; on a
// stop signal (see StopSignals) or a failed write to standard output or error, once the inputs
// in flight have stopped, says how many were done and returns the status the stop calls for.
int ForEachInput(const std::vector<std::string>& inputs, const BatchOptions& options,
                 const std::function<InputEnd(const BatchInput& input)>& one);

}  // namespace frondel::cli
