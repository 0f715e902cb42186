#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace frondel::testing {

enum class Apart { Threads, Processes };

// Runs every piece of work at once and returns how many failed: threw, or, in a process, ended
// otherwise. Processes (where there is fork; threads elsewhere) are as programs started
// together are.
inline int RunAtOnce(const std::vector<std::function<void()>>& work, Apart apart) {
#ifndef _WIN32
  if (apart == Apart::Processes) {
    std::vector<pid_t> children;
    for (const auto& piece : work) {
      const pid_t child = fork();
      if (child == 0) {
        try {
          piece();
        } catch (const std::exception&) {
          _exit(1);
        }
        _exit(0);
      }
      children.push_back(child);
    }
    int failed = 0;
    for (pid_t child : children) {
      int status = -1;
      failed += child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
                WEXITSTATUS(status) != 0;
    }
    return failed;
  }
#endif
  std::atomic<int> failed{0};
  std::vector<std::thread> threads;
  for (const auto& piece : work) {
    threads.emplace_back([&failed, &piece] {
      try {
        piece();
      } catch (const std::exception&) {
        ++failed;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  return failed;
}

}  // namespace frondel::testing
