#pragma once

#include <cstdint>
#include <functional>

namespace frondel::testing {

struct Rgba {
  std::uint8_t r, g, b, a;
  bool operator==(const Rgba&) const = default;
};

// (x, y) counts from the top left, as people see the picture.
using PixelAt = std::function<Rgba(unsigned x, unsigned y)>;

}  // namespace frondel::testing
