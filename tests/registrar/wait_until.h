#pragma once

#include <chrono>
#include <thread>

namespace kestrup::testing {

// Polls `done` until it holds or ten seconds pass; a detached process needs a moment to run.
template <typename Condition>
bool WaitUntil(Condition done) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace kestrup::testing
