#include "cli/stop_signals.h"

#include <utility>

#ifdef _WIN32
#include <condition_variable>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace frondel::cli {
namespace {

#ifdef _WIN32
struct ControlEvent {
  DWORD type;
  int exit_status;
  const char* name;
  // The system ends the process as soon as the handler returns from these, so the handler
  // waits for the batch to finish cleaning up first.
  bool ends_process;
};

constexpr ControlEvent kControlEvents[] = {
    {CTRL_C_EVENT, 130, "Ctrl-C", false},
    {CTRL_BREAK_EVENT, 130, "Ctrl-Break", false},
    {CTRL_CLOSE_EVENT, 129, "closing the console", true},
    {CTRL_LOGOFF_EVENT, 129, "logoff", true},
    {CTRL_SHUTDOWN_EVENT, 143, "shutdown", true},
};

// The console calls its handlers on a thread of its own, with no room for a context. The
// mutex keeps the stop object alive while a handler uses it: the destructor clears `current`
// under it before the object goes.
std::mutex handler_mutex;
std::condition_variable handler_released;
StopSignals* current = nullptr;

BOOL WINAPI OnConsoleControl(DWORD type) {
  for (const ControlEvent& event : kControlEvents) {
    if (event.type != type) continue;
    std::unique_lock lock(handler_mutex);
    // No batch running: the default handling ends the program.
    if (current == nullptr) return FALSE;
    current->Request(event.exit_status, event.name);
    if (event.ends_process) handler_released.wait(lock, [] { return current == nullptr; });
    return TRUE;
  }
  return FALSE;
}
#else
struct StopSignal {
  int signal;
  const char* name;
};

constexpr StopSignal kStopSignals[] = {
    {SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}, {SIGQUIT, "SIGQUIT"}};

// The stop signals, but not one that the program was started with ignored (as a shell starts
// a background job with SIGINT, or nohup with SIGHUP): blocked, it would be taken all the same.
sigset_t StopSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const StopSignal& stop : kStopSignals) {
    struct sigaction action {};
    if (sigaction(stop.signal, nullptr, &action) == 0 && action.sa_handler != SIG_IGN) {
      sigaddset(&set, stop.signal);
    }
  }
  return set;
}
#endif

}  // namespace

#ifdef _WIN32
StopSignals::StopSignals() {
  {
    const std::lock_guard lock(handler_mutex);
    current = this;
  }
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

StopSignals::~StopSignals() {
  {
    const std::lock_guard lock(handler_mutex);
    current = nullptr;
  }
  handler_released.notify_all();
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
}
#else
StopSignals::StopSignals() {
  const sigset_t set = StopSet();
  for (const StopSignal& stop : kStopSignals) {
    if (sigismember(&set, stop.signal)) wake_signal_ = stop.signal;
  }
  if (wake_signal_ == 0) return;
  pthread_sigmask(SIG_BLOCK, &set, &previous_mask_);
  waiter_ = std::jthread([this, set] {
    int signal = 0;
    if (sigwait(&set, &signal) != 0 || over_) return;
    for (const StopSignal& stop : kStopSignals) {
      if (stop.signal == signal) Request(128 + signal, stop.name);
    }
  });
}

StopSignals::~StopSignals() {
  if (wake_signal_ == 0) return;
  // Wakes the waiter when no signal came; one that came meanwhile stays pending and acts as
  // usual once the mask is restored.
  over_ = true;
  pthread_kill(waiter_.native_handle(), wake_signal_);
  waiter_.join();
  pthread_sigmask(SIG_SETMASK, &previous_mask_, nullptr);
}
#endif

std::string StopSignals::Name() const {
  const std::lock_guard lock(mutex_);
  return name_;
}

void StopSignals::Request(int exit_status, std::string name) {
  {
    // The name before the status, so that whoever sees the status finds the name.
    const std::lock_guard lock(mutex_);
    if (exit_status_ == 0) {
      name_ = std::move(name);
      exit_status_ = exit_status;
    }
  }
  source_.request_stop();
}

}  // namespace frondel::cli
