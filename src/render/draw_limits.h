#pragma once
// Bounds for the drawing arithmetic. Values read from files can be far
// beyond anything visible (the picture shows about 2.9 world units each
// way), and a float counter stepping by 0.02 stops moving past a few hundred
// thousand: every loop that steps through a length stops after
// kMaxDrawSteps steps, and whole metres are taken within a range where the
// sheet and label arithmetic cannot overflow.

#include <cmath>
#include <cstdint>

namespace borvik::render {

inline constexpr int kMaxDrawSteps = 10000;

// Whole metres of a depth as C truncation gives them, held within ±1e15;
// NaN counts as 0.
inline std::int64_t TruncatedMetres(float metres) {
  constexpr double kLimit = 1e15;
  if (std::isnan(metres)) return 0;
  return static_cast<std::int64_t>(
      std::trunc(std::fmax(-kLimit, std::fmin(kLimit, static_cast<double>(metres)))));
}

}  // namespace borvik::render
