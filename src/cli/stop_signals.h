#pragma once

#include <atomic>
#include <stop_token>
#include <string>
#include <thread>

#ifndef _WIN32
#include <signal.h>
#endif

namespace frondel::cli {

// While it lives, SIGINT and SIGTERM (Ctrl-C and Ctrl-Break on Windows) no longer end the
// program: they request a stop that the work checks between its steps. Make it before any
// thread that does the work, so that on Linux those threads inherit the blocked signals and
// only the waiting thread takes them.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  std::stop_token token() const { return source_.get_token(); }
  // 0 while no stop was requested; else the exit status the stop calls for: 130 for an
  // interrupt, 143 for a termination request.
  int ExitStatus() const { return exit_status_; }
  // The name of what requested the stop, for the user: "SIGINT", "SIGTERM", "Ctrl-C".
  std::string Name() const;

  // Requests the stop as the signal that calls for `exit_status` does.
  void Request(int exit_status);

 private:
  std::stop_source source_;
  std::atomic<int> exit_status_{0};
#ifndef _WIN32
  int wake_signal_ = 0;  // one of the signals waited for, 0 when none is
  sigset_t previous_mask_;
  std::atomic<bool> over_{false};
  std::jthread waiter_;
#endif
};

}  // namespace frondel::cli
