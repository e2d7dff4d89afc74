#pragma once
// The legend right of the last entry's sheet: what the log uses, and nothing
// else.

#include "render/canvas.h"
#include "render/frame.h"

namespace borvik::render {

// Height of legend row r.
float LegendRowY(int row);

void DrawLegend(Canvas& canvas, const EntryValues& v, const Scene& scene);

}  // namespace borvik::render
