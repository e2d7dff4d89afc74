#pragma once
// The depth or elevation scale left of the column, and the captions above
// it: the log name, the grain-size letters and the axis caption.

#include <vector>

#include "model/document.h"
#include "render/canvas.h"
#include "render/draw_table.h"
#include "render/frame.h"
#include "render/view_options.h"

namespace borvik::render {

struct AxisLabel {
  float y;           // height of the label's lower edge
  long long value;   // metres of depth or elevation, drawn with %4d
};

struct AxisLayout {
  std::vector<Point> ticks;  // segment ends, two per tick
  std::vector<AxisLabel> labels;
  float labelX = 0.0f;
};

// Where the ticks and labels of an entry's axis go.
AxisLayout LayOutDepthAxis(const DrawEntry& entry, const EntryValues& v, const ViewOptions& view,
                           float elevation);
void DrawDepthAxis(Canvas& canvas, const DrawEntry& entry, const EntryValues& v,
                   const ViewOptions& view, float elevation);
// The log name, then the sheet captions.
void DrawCaptions(Canvas& canvas, const EntryValues& v, const ViewOptions& view,
                  const model::LogHeader& header);
// The log name at the top left of sheet 1, the same place for every entry.
void DrawLogName(Canvas& canvas, const model::LogHeader& header);
// The grain-size letters and the axis caption of the entry's sheet.
void DrawSheetCaptions(Canvas& canvas, const EntryValues& v, const ViewOptions& view);

// The sheet that starts at a sheet offset x: 0 for the first.
long long SheetIndex(float x);

}  // namespace borvik::render
