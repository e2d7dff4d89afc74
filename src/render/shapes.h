#pragma once
// Shapes the column, the marks and the legend draw alike.

#include <array>
#include <vector>

#include "render/canvas.h"

namespace borvik::render {

// The quad of an image shown upright (texture coordinates from the
// coordinate array) between the given edges.
std::array<TexPoint, 4> UprightImageQuad(float left, float bottom, float right, float top);

// The wavy line of an erosional base: from (x, y), a point every 0.0095
// while the run stays within `length` (at most kMaxDrawSteps points), each
// moved by amplitude x sin(500 t) up from y.
std::vector<Point> ErosionalWave(float x, float y, float length, float amplitude);

}  // namespace borvik::render
