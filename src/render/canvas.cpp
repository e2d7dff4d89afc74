#include "render/canvas.h"

#include "render/bitmap_text.h"

namespace borvik::render {

void Canvas::Text(float x, float y, const char* utf8) { DrawBitmapText(*this, x, y, utf8); }

}  // namespace borvik::render
