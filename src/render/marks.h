#pragma once
// Structure and feature icons right of the column, sample triangles at its
// left edge.

#include "render/canvas.h"
#include "render/draw_table.h"
#include "render/frame.h"
#include "settings/category_catalogue.h"

namespace borvik::render {

void DrawStructureIcons(Canvas& canvas, const DrawEntry& entry, const EntryValues& v,
                        const settings::CategoryCatalogue& catalogue);
void DrawFeatureIcons(Canvas& canvas, const DrawEntry& entry, const EntryValues& v,
                      const settings::CategoryCatalogue& catalogue);
void DrawSamples(Canvas& canvas, const DrawEntry& entry, const EntryValues& v);

}  // namespace borvik::render
