#pragma once
// The whole log drawn from scratch: every drawing entry, in order, through a
// Canvas.

#include "model/document.h"
#include "render/canvas.h"
#include "render/draw_table.h"
#include "render/legend_usage.h"
#include "render/view_options.h"
#include "settings/category_catalogue.h"

namespace borvik::render {

// What a frame reads. Nothing flows back.
struct Scene {
  const DrawTable& drawing;
  const LegendUsage& usage;
  const settings::CategoryCatalogue& catalogue;
  const model::LogHeader& header;
  const ViewOptions& view;
};

// Values of one entry in world units, computed at the start of the entry.
struct EntryValues {
  float x = 0.0f;   // sheet offset
  float x0 = 0.0f;  // column's left edge
  float top = 0.0f;  // top', bottom', int' below the sheet top
  float bottom = 0.0f;
  float int_ = 0.0f;
  float RF1 = 0.0f;
  float RF2 = 0.0f;  // the column step sets it to RF1 for bedrock
  float prevRF2 = 0.0f;
  float scale = 1.0f;  // scale factor s
  std::array<float, model::kStructureMarks> DSe{};
  std::array<float, model::kFeatureMarks> DEc{};
  std::array<float, model::kSampleMarks> DSa{};
};

// World length of a depth in metres below the sheet top.
float DepthToWorld(float scale, float metres);

// The height of a world depth below the sheet top.
inline float SheetY(float worldDepth) { return 1.2f - worldDepth; }

class ColumnRenderer {
 public:
  static constexpr int kExportWidth = 880;
  static constexpr int kExportHeight = 831;

  void RenderLog(Canvas& canvas, const Scene& scene, int width, int height);

 private:
  float scale_ = 1.0f;  // an unknown scale index keeps the last factor
};

}  // namespace borvik::render
