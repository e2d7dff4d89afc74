#pragma once
// How far across the picture the drawing of an entry can reach, so that a
// fast frame skips the entries that cannot touch what it draws.

#include "render/draw_table.h"
#include "render/frame.h"
#include "settings/category_catalogue.h"

namespace borvik::render {

// The world x of every vertex and every glyph's raster position an entry
// draws: column, marks, frame lines, grain-size scale, axis and its labels,
// the sheet captions. Not the log name (the same for every entry) nor the
// legend. `v` as computed at the start of the entry.
WorldRange EntryReach(const EntryValues& v);

// The same for the legend drawn beside an entry: title, header image,
// swatches, signs and captions, however long the catalogue's names are.
WorldRange LegendReach(const EntryValues& v, const settings::CategoryCatalogue& catalogue);

// The world x the camera shows: the picture spans 1 / 0.7 each way.
WorldRange ViewRange(float cameraX);

// How far pixels drawn for a vertex or raster position can lie from it: a
// glyph is 16 pixels wide, a wide line 5; with room to spare.
inline constexpr double kReachPixels = 24;

// World units of a length in pixels across a picture `width` pixels wide.
double PixelsToWorld(double pixels, int width);

}  // namespace borvik::render
