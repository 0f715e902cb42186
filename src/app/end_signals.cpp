#include "app/end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <iterator>
#include <utility>

namespace frondel {
namespace {

constexpr std::array kEndSignals{SIGTERM, SIGHUP};

int write_end = -1;

void OnEndSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // A full pipe already holds a byte that will be read.
  [[maybe_unused]] const ssize_t written = write(write_end, &byte, 1);
  errno = saved;
}

}  // namespace

EndSignals::EndSignals(std::function<void()> end) {
  if (pipe2(ends_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  write_end = ends_[1];
  notifier_ = std::make_unique<QSocketNotifier>(ends_[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                   [this, end = std::move(end)] {
                     char bytes[16];
                     while (read(ends_[0], bytes, sizeof bytes) > 0) {
                     }
                     end();
                   });
  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kEndSignals); ++i) {
    if (sigaction(kEndSignals[i], nullptr, &previous_[i]) == 0 &&
        previous_[i].sa_handler != SIG_IGN) {
      sigaction(kEndSignals[i], &action, nullptr);
    }
  }
}

EndSignals::~EndSignals() {
  if (!notifier_) return;
  for (std::size_t i = 0; i < std::size(kEndSignals); ++i) {
    sigaction(kEndSignals[i], &previous_[i], nullptr);
  }
  notifier_.reset();
  write_end = -1;
  close(ends_[0]);
  close(ends_[1]);
}

}  // namespace frondel
