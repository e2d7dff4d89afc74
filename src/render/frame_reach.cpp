#include "render/frame_reach.h"

#include <algorithm>
#include <cmath>

#include "render/bitmap_text.h"

namespace borvik::render {
namespace {

constexpr double kCell = 0.024;  // a half-width glyph cell across

// Room for the rounding of single-precision sums of these values.
WorldRange Around(double x0, double lo, double hi) {
  const double slack = 1e-5 * (std::fabs(x0) + std::fabs(lo) + std::fabs(hi)) + 1e-5;
  return {x0 + lo - slack, x0 + hi + slack};
}

}  // namespace

WorldRange EntryReach(const EntryValues& v) {
  const double rf1 = v.RF1;
  const double rf2 = v.RF2;
  const double prev = v.prevRF2;
  // Left: depth labels and the axis caption start 0.12 left of the column,
  // samples 0.03, ticks 0.02; anything drawn at a width may lie left of it
  // when the width is negative.
  const double lo = std::min({-0.12, rf1, rf2, prev});
  // Right: the last glyph of the longest depth label ("%4d" of a 64-bit
  // count, 20 cells) and the letter R over the grain-size scale; feature
  // icons end 0.19 right of the widest part; the outline's step reaches the
  // width of the entry before.
  const double lastLabelGlyph = -0.12 + 19 * kCell;
  const double hi = std::max({lastLabelGlyph, 0.29, rf1 + 0.19, rf2 + 0.19, prev});
  return Around(v.x0, lo, hi);
}

WorldRange LegendReach(const EntryValues& v, const settings::CategoryCatalogue& catalogue) {
  // A caption has at most as many cells as bytes. The longest fixed caption
  // is "赤色化（強風化）", 24 bytes.
  std::size_t longest = 24;
  auto measure = [&longest](const auto& slots) {
    for (const settings::CategoryEntry& slot : slots) longest = std::max(longest, slot.name.size());
  };
  measure(catalogue.bedrock);
  measure(catalogue.structures);
  measure(catalogue.features);
  longest = std::min(longest, kMaxBitmapTextBytes);
  // Header image to 1.374, right-column captions from 1.17.
  const double hi = std::max(1.374, 1.17 + static_cast<double>(longest - 1) * kCell);
  return Around(v.x0, 0.6, hi);
}

WorldRange ViewRange(float cameraX) {
  return {double{cameraX} - 1 / 0.7, double{cameraX} + 1 / 0.7};
}

double PixelsToWorld(double pixels, int width) {
  if (width <= 0) return WorldRange::Everything().max;
  return pixels * 2 / (0.7 * width);
}

}  // namespace borvik::render
