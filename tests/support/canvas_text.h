#pragma once
// Finds text in a RecordingCanvas: the glyph bitmaps that DrawBitmapText
// would draw for it, one after the other at 0.024 per half-width cell.

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "render/bitmap_text.h"
#include "render/canvas.h"
#include "render/recording_canvas.h"

namespace borvik::testing {

inline std::vector<render::op::Bitmap> GlyphsOf(const std::string& text) {
  render::RecordingCanvas canvas;
  render::DrawBitmapText(canvas, 0, 0, text.c_str());
  return canvas.All<render::op::Bitmap>();
}

// Every place (lower-left corner of the first glyph) where the text is drawn.
inline std::vector<render::Point> FindText(const render::RecordingCanvas& canvas,
                                           const std::string& text) {
  const auto want = GlyphsOf(text);
  const auto have = canvas.All<render::op::Bitmap>();
  std::vector<render::Point> found;
  if (want.empty()) return found;
  for (std::size_t i = 0; i + want.size() <= have.size(); ++i) {
    bool match = true;
    for (std::size_t k = 0; k < want.size() && match; ++k) {
      const auto& a = have[i + k];
      const auto& b = want[k];
      match = a.width == b.width && a.rows == b.rows && a.y == have[i].y &&
              std::fabs((a.x - have[i].x) - (b.x - want[0].x)) < 1e-5f;
    }
    if (match) found.push_back({have[i].x, have[i].y});
  }
  return found;
}

}  // namespace borvik::testing
