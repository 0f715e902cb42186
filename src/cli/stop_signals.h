#pragma once

#include <atomic>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

#ifndef _WIN32
#include <signal.h>
#endif

namespace frondel::cli {

// While it lives, SIGINT, SIGTERM, SIGHUP and SIGQUIT (on Windows every console control
// event: Ctrl-C, Ctrl-Break, the console closed, logoff, shutdown) no longer end the program:
// they request a stop that the work checks between its steps. Make it before any thread that
// does the work, so that on Linux those threads inherit the blocked signals and only the
// waiting thread takes them.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  std::stop_token token() const { return source_.get_token(); }
  // 0 while no stop was requested; else the exit status the stop calls for, 128 and the
  // signal's number (130 for SIGINT, 143 for SIGTERM).
  int ExitStatus() const { return exit_status_; }
  // What requested the stop, for the user: "SIGINT", "SIGTERM", "Ctrl-C", ...
  std::string Name() const;

  // Requests the stop for `name`, with `exit_status`; only the first request counts.
  void Request(int exit_status, std::string name);

 private:
  std::stop_source source_;
  std::atomic<int> exit_status_{0};
  mutable std::mutex mutex_;
  std::string name_;  // under mutex_
#ifndef _WIN32
  int wake_signal_ = 0;  // one of the signals waited for, 0 when none is
  sigset_t previous_mask_;
  std::atomic<bool> over_{false};
  std::jthread waiter_;
#endif
};

}  // namespace frondel::cli
