#include "cli/stop_signals.h"

#ifdef _WIN32
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

constexpr int kInterrupted = 130, kTerminated = 143;

#ifdef _WIN32
// The console calls its handlers on a thread of its own, with no room for a context.
std::atomic<StopSignals*> current{nullptr};

BOOL WINAPI OnConsoleControl(DWORD type) {
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
  if (StopSignals* signals = current.load()) signals->Request(kInterrupted);
  return TRUE;
}
#else
// SIGINT and SIGTERM, but not one that the program was started with ignored (as a shell
// starts a background job with SIGINT): blocked, it would be taken all the same.
sigset_t StopSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : {SIGINT, SIGTERM}) {
    struct sigaction action {};
    if (sigaction(signal, nullptr, &action) == 0 && action.sa_handler != SIG_IGN) {
      sigaddset(&set, signal);
    }
  }
  return set;
}
#endif

}  // namespace

#ifdef _WIN32
StopSignals::StopSignals() {
  current = this;
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

StopSignals::~StopSignals() {
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  current = nullptr;
}

std::string StopSignals::Name() const { return "Ctrl-C"; }
#else
StopSignals::StopSignals() {
  const sigset_t set = StopSet();
  wake_signal_ = sigismember(&set, SIGTERM) ? SIGTERM : sigismember(&set, SIGINT) ? SIGINT : 0;
  if (wake_signal_ == 0) return;
  pthread_sigmask(SIG_BLOCK, &set, &previous_mask_);
  waiter_ = std::jthread([this, set] {
    int signal = 0;
    if (sigwait(&set, &signal) != 0 || over_) return;
    Request(signal == SIGINT ? kInterrupted : kTerminated);
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

std::string StopSignals::Name() const { return exit_status_ == kTerminated ? "SIGTERM" : "SIGINT"; }
#endif

void StopSignals::Request(int exit_status) {
  int none = 0;
  exit_status_.compare_exchange_strong(none, exit_status);
  source_.request_stop();
}

}  // namespace frondel::cli
