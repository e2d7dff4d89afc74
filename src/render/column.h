#pragma once
// The column of one entry: pattern tiles and mask, frame lines with the
// grain-size scale, the base line, the grain-size outline and the weathering
// hatching.

#include "render/canvas.h"
#include "render/draw_table.h"
#include "render/frame.h"
#include "settings/category_catalogue.h"

namespace borvik::render {

// Tiles and mask. Sets v.RF2 to v.RF1 when the entry is bedrock.
void DrawColumnTiles(Canvas& canvas, const DrawEntry& entry, EntryValues& v,
                     const settings::CategoryCatalogue& catalogue);
// In one batch; without the grain-size scale when a later entry of the
// sheet draws it.
void DrawGrainScaleAndFrameLines(Canvas& canvas, const EntryValues& v, bool withGrainScale = true);
void DrawBaseLine(Canvas& canvas, const DrawEntry& entry, const EntryValues& v);
void DrawOutline(Canvas& canvas, const DrawEntry& entry, const EntryValues& v);
void DrawWeathering(Canvas& canvas, const DrawEntry& entry, const EntryValues& v);

// The pattern for a single-lithology entry (Str 0) or for one part of a
// two-lithology entry; empty for none.
std::string_view SingleLithologyPattern(float code, float bedrockCode, int rockQuality,
                                        const settings::CategoryCatalogue& catalogue);
std::string_view PartPattern(float code, int rockQuality);

}  // namespace borvik::render
