#pragma once
// The drawing divided into its sheets and the legend, each with what it
// shows once: every entry of a sheet draws the sheet's axis and captions
// again, and on paper each text and line is set once.

#include <string>
#include <vector>

#include "render/vector/paper_geometry.h"
#include "render/vector/vector_drawing.h"

namespace borvik::render::vector {

// The shapes of one sheet (or of the legend), in the order drawn.
struct ShapeGroup {
  std::string id;  // "sheet-1", ..., "legend"
  std::vector<Shape> shapes;
  Box bounds;  // the room the shapes take (Extent)
};

struct SheetGroups {
  std::vector<ShapeGroup> sheets;  // the sheets with something on them, first sheet first
  ShapeGroup legend;               // what lies right of the last sheet
  Box bounds;                      // of everything
};

// The band of the world that sheet k (from 1) occupies, from its depth
// labels to the next sheet's: 0.7 wide, sheet 1 from x = -1.43.
inline constexpr float kSheetPitch = 0.7f;
inline constexpr float kFirstSheetLeft = -1.3f - 0.13f;

// Far enough for any log: a sheet further right counts as this one.
inline constexpr int kMaxSheets = 1000000;

// Sheet index (from 0) of the band that holds x; below the first band, 0.
int SheetBand(float x);

// Splits the drawing by the band of each shape's left edge: bands 0 to
// sheetCount - 1 are sheets, anything further right is the legend (drawn
// right of the last sheet). Within
// a group, a line or text equal to an earlier one (same place, colour,
// width, stipple) is dropped, and pattern tiles that continue one another
// become one quad with the image repeating.
SheetGroups GroupBySheet(const VectorDrawing& drawing, int sheetCount);

}  // namespace borvik::render::vector
