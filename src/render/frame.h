#pragma once
// The whole log drawn from scratch: every drawing entry, in order, through a
// Canvas.

#include <optional>
#include <unordered_map>
#include <vector>

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

// A stretch of world x, ends included.
struct WorldRange {
  double min = 0;
  double max = 0;

  // Whether the two overlap; a NaN end counts as overlapping.
  bool Meets(const WorldRange& other) const { return !(max < other.min || min > other.max); }
  WorldRange Widened(double by) const { return {min - by, max + by}; }
  static WorldRange Everything();
};

// How RenderLog works.
struct FrameOptions {
  FrameMode mode = FrameMode::kLiteral;
  // kFast only: the world x to draw. Entries whose drawing cannot reach into
  // it are skipped (the last one is drawn while its legend can). nullopt:
  // what the camera shows.
  std::optional<WorldRange> range;

  // Every entry, all the work done: the reference for every other mode.
  static FrameOptions Literal() { return {}; }
  // The same pixels with the work that cannot change them skipped: the
  // picture and the export.
  static FrameOptions Fast() { return {FrameMode::kFast, std::nullopt}; }
  // The same shortcuts, but every entry drawn wherever it lies, each
  // sheet's axis and captions once: a drawing of the whole log (print).
  static FrameOptions EveryEntry() { return {FrameMode::kFast, WorldRange::Everything()}; }
};

class ColumnRenderer {
 public:
  static constexpr int kExportWidth = 880;
  static constexpr int kExportHeight = 831;

  explicit ColumnRenderer(FrameOptions options = FrameOptions::Literal()) : options_(options) {}

  void RenderLog(Canvas& canvas, const Scene& scene, int width, int height);

 private:
  void RenderLiteral(Canvas& canvas, const Scene& scene, int width, int height, float cameraX);
  void RenderFast(Canvas& canvas, const Scene& scene, int width, int height, float cameraX);
  // For each entry up to `last`: whether it draws its sheet's axis and
  // captions, which no later entry of the sheet draws as deep.
  void PlanSheetDecorations(const DrawTable& drawing, int last);

  FrameOptions options_;
  int scaleIndex_ = model::kDefaultScaleIndex;  // kept while the view's is unknown
  std::vector<bool> decorates_;
  std::unordered_map<float, float> deepestLater_;  // sheet offset -> bottom
};

}  // namespace borvik::render
