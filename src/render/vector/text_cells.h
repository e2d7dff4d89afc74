#pragma once
// A text of the drawing as the cells the bitmap text fills: the same
// conversion to Shift_JIS, the same half- and full-width cells, each
// character given back in Unicode so that a real font can set it there.

#include <vector>

#include "render/vector/vector_drawing.h"

namespace borvik::render::vector {

// The cells of a zero-terminated UTF-8 text, as DrawBitmapText places its
// glyphs. A cell the bitmap text leaves blank holds a space (half-width) or
// an ideographic space (full-width); 0x5C and 0x7E are the yen sign and the
// overline, as the bitmap font draws them. Empty when nothing is drawn.
std::vector<TextCell> TextCells(const char* utf8);

}  // namespace borvik::render::vector
