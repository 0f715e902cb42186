#include "cli/progress_line.h"

#include <string>

#include "cli/console.h"

namespace frondel::cli {

void ProgressLine::Show(std::size_t done, std::size_t failed, std::size_t total) {
  if (!shown_) return;
  std::string line = std::to_string(done) + "/" + std::to_string(total) + " done";
  if (failed > 0) line += ", " + std::to_string(failed) + " failed";
  // Blanks over what is left of a longer line; no terminal escapes, which not every console
  // takes.
  const std::size_t width = line.size();
  if (width < width_) line.append(width_ - width, ' ');
  WriteErr("\r" + line);
  width_ = width;
}

void ProgressLine::Clear() {
  if (width_ == 0) return;
  WriteErr("\r" + std::string(width_, ' ') + "\r");
  width_ = 0;
}

}  // namespace frondel::cli
