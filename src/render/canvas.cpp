#include "render/canvas.h"

#include "render/bitmap_text.h"

namespace borvik::render {

void Canvas::Text(float x, float y, const char* utf8) {
  DrawBitmapText(
      *this, x, y, utf8,
      mode_ == FrameMode::kFast ? GlyphSource::kDecodedOnce : GlyphSource::kDecodeEachUse);
}

}  // namespace borvik::render
