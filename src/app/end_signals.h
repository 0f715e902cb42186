#pragma once

#include <signal.h>

#include <QSocketNotifier>
#include <array>
#include <functional>
#include <memory>

namespace frondel {

// While it lives, SIGTERM and SIGHUP (what a desktop session sends its programs as it ends)
// call `end` from the event loop instead of killing the program at once, so that the window
// ends as its Exit does and lets go of what it holds in the working folder. A signal that the
// program was started with ignored (as nohup starts it with SIGHUP) stays ignored. One at a
// time.
class EndSignals {
 public:
  explicit EndSignals(std::function<void()> end);
  ~EndSignals();
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

 private:
  // The handler writes a byte to the pipe, the one thing it may safely do; the notifier
  // reads it in the event loop.
  int ends_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
  std::array<struct sigaction, 2> previous_{};  // of SIGTERM and SIGHUP
};

}  // namespace frondel
