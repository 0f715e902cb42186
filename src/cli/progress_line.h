#pragma once

#include <cstddef>

namespace frondel::cli {

// The one line on standard error that tells how far a batch is ("12/60 done, 1 failed"),
// rewritten in place. It is drawn only when `shown`; other lines go out between Clear() and
// the next Show().
class ProgressLine {
 public:
  explicit ProgressLine(bool shown) : shown_(shown) {}
  void Show(std::size_t done, std::size_t failed, std::size_t total);
  void Clear();

 private:
  bool shown_;
  std::size_t width_ = 0;  // of the line on the screen, 0 when there is none
};

}  // namespace frondel::cli
