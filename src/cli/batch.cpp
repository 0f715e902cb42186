#include "cli/batch.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>
#include <thread>

#include "cli/command_line.h"
#include "cli/console.h"
#include "cli/progress_line.h"
#include "cli/stop_signals.h"
#include "codec/parallel_deflate.h"
#include "platform/file_error.h"

namespace frondel::cli {
namespace {

// A bound well beyond any machine's cores, so that a mistyped -j is refused rather than
// taken as that many threads.
constexpr unsigned kMostJobs = 1024;

enum class Outcome { Pending, Done, Failed, Stopped };

struct Result {
  Outcome outcome = Outcome::Pending;
  InputLines lines;

  bool Finished() const { return outcome == Outcome::Done || outcome == Outcome::Failed; }
};

Result RunOne(const std::string& name, std::size_t index, std::stop_token stop,
              const std::function<InputEnd(const BatchInput&)>& one) {
  Result result;
  std::string failure;
  try {
    const InputEnd end = one(BatchInput{name, index, result.lines, stop});
    result.outcome = end == InputEnd::Done ? Outcome::Done : Outcome::Stopped;
    return result;
  } catch (const Failure& e) {
    failure = e.what();
  } catch (const std::bad_alloc&) {
    // Several inputs at once take several times the memory; one that finds none fails alone.
    failure = "not enough memory";
  } catch (const std::exception& e) {
    // A fault of the program's own fails its input, not the whole batch and its other outputs.
    failure = std::string("something went wrong inside the program: ") + e.what();
  }
  result.lines.Err("frondel-cli: " + name + ": " + failure + "\n");
  result.outcome = Outcome::Failed;
  return result;
}

}  // namespace

void AddBatchOptions(CLI::App& command, BatchOptions& options) {
  options.jobs = HardwareThreads();
  command
      .add_option("-j,--jobs", options.jobs,
                  "Inputs worked on at once (default: one per hardware thread, here " +
                      std::to_string(options.jobs) + ")")
      ->check(CLI::Range(1u, kMostJobs));
  command.add_flag("-q,--quiet", options.quiet, "No progress line on a terminal");
}

void AddThreadsOption(CLI::App& command, unsigned& threads) {
  command
      .add_option("--threads", threads,
                  "Threads that stretching and packing one input may use (default: one per "
                  "hardware thread for a single input, one for each input of a batch)")
      ->check(CLI::Range(1u, kMostJobs));
}

unsigned PackingThreads(unsigned asked, std::size_t inputs) {
  if (asked != 0) return asked;
  return inputs == 1 ? HardwareThreads() : 1;
}

void InputLines::Print() const {
  for (const Line& line : lines_) line.err ? WriteErr(line.text) : WriteOut(line.text);
}

int ForEachInput(const std::vector<std::string>& inputs, const BatchOptions& options,
                 const std::function<InputEnd(const BatchInput&)>& one) {
  // Before the workers start, so that they inherit its blocked signals.
  StopSignals signals;
  const std::stop_token stop = signals.token();
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<Result> results(inputs.size());
  std::size_t started = 0, finished = 0, failed = 0;
  std::size_t running = std::min<std::size_t>(std::max(options.jobs, 1u), inputs.size());
  const auto work = [&] {
    for (;;) {
      std::size_t i = 0;
      {
        const std::lock_guard lock(mutex);
        if (started == inputs.size() || stop.stop_requested()) break;
        i = started++;
      }
      Result result = RunOne(inputs[i], i, stop, one);
      {
        const std::lock_guard lock(mutex);
        finished += result.Finished();
        failed += result.outcome == Outcome::Failed;
        results[i] = std::move(result);
      }
      changed.notify_one();
    }
    {
      const std::lock_guard lock(mutex);
      --running;
    }
    changed.notify_one();
  };
  std::vector<std::jthread> workers;
  for (std::size_t n = running; n > 0; --n) workers.emplace_back(work);

  ProgressLine progress(!options.quiet && inputs.size() > 1 && ErrIsTerminal());
  std::size_t printed = 0;  // inputs whose lines are out, in input order
  std::size_t shown = inputs.size() + 1;
  std::unique_lock lock(mutex);
  for (;;) {
    changed.wait(lock, [&] { return finished != shown || running == 0; });
    // Once every worker has left, an input that was not finished is passed over.
    const bool over = running == 0;
    std::vector<Result> ready;
    while (printed < inputs.size() && (over || results[printed].Finished())) {
      ready.push_back(std::move(results[printed++]));
    }
    shown = finished;
    const std::size_t failures = failed;
    lock.unlock();
    for (const Result& result : ready) {
      if (!result.Finished() || result.lines.empty()) continue;
      progress.Clear();
      result.lines.Print();
    }
    progress.Show(shown, failures, inputs.size());
    // What follows would be lost as well, so a failed write stops the batch as a signal does.
    if (const std::optional<OutputFault> fault = FirstOutputFault()) {
      signals.Request(OutputFaultStatus(*fault), std::string("a write error on ") + fault->stream);
    }
    if (over) break;
    lock.lock();
  }
  progress.Clear();
  workers.clear();
  if (signals.ExitStatus() != 0) {
    WriteErr("frondel-cli: stopped by " + signals.Name() + " with " + std::to_string(finished) +
             " of " + std::to_string(inputs.size()) + " inputs done\n");
    return signals.ExitStatus();
  }
  return failed > 0 ? kFailed : kDone;
}

}  // namespace frondel::cli
