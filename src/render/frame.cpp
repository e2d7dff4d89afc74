#include "render/frame.h"

#include <limits>

#include "render/axis.h"
#include "render/column.h"
#include "render/frame_reach.h"
#include "render/legend.h"
#include "render/marks.h"

namespace borvik::render {
namespace {

EntryValues ComputeEntryValues(const DrawTable& table, int e, float scale) {
  const DrawEntry& entry = table.Entry(e);
  EntryValues v;
  v.x = entry.x;
  v.x0 = entry.x - 1.3f;
  v.scale = scale;
  v.top = DepthToWorld(scale, entry.top);
  v.bottom = DepthToWorld(scale, entry.bottom);
  v.int_ = DepthToWorld(scale, entry.int_);
  v.RF1 = entry.RF1;
  v.RF2 = entry.RF2;
  v.prevRF2 = e > 0 ? table.Entry(e - 1).RF2 : 0.0f;
  for (int i = 0; i < model::kStructureMarks; ++i) v.DSe[i] = DepthToWorld(scale, entry.DSe[i]);
  for (int i = 0; i < model::kFeatureMarks; ++i) v.DEc[i] = DepthToWorld(scale, entry.DEc[i]);
  for (int i = 0; i < model::kSampleMarks; ++i) v.DSa[i] = DepthToWorld(scale, entry.DSa[i]);
  return v;
}

}  // namespace

float DepthToWorld(float scale, float metres) {
  return static_cast<float>(scale * 0.975621 * metres / 10);
}

WorldRange WorldRange::Everything() {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  return {-kInfinity, kInfinity};
}

void ColumnRenderer::RenderLog(Canvas& canvas, const Scene& scene, int width, int height) {
  canvas.SetFrameMode(options_.mode);
  canvas.BeginFrame(width, height);
  const float cameraX = static_cast<float>(scene.view.scrollPosition) / 10;
  // An unknown scale keeps the one of the frame before, for the depths and
  // the axis alike.
  scaleIndex_ = model::ScaleIndexOr(scene.view.scaleIndex, scaleIndex_);
  ViewOptions view = scene.view;
  view.scaleIndex = scaleIndex_;
  const Scene drawn{scene.drawing, scene.usage, scene.catalogue, scene.header, view};
  if (options_.mode == FrameMode::kLiteral) {
    RenderLiteral(canvas, drawn, width, height, cameraX);
  } else {
    RenderFast(canvas, drawn, width, height, cameraX);
  }
  canvas.EndFrame();
}

void ColumnRenderer::RenderLiteral(Canvas& canvas, const Scene& scene, int width, int height,
                                   float cameraX) {
  const int last = scene.drawing.LastEntry();
  for (int e = 0; e <= last && e < DrawTable::kCapacity; ++e) {
    const DrawEntry& entry = scene.drawing.Entry(e);
    EntryValues v = ComputeEntryValues(scene.drawing, e, model::kScales[scaleIndex_].factor);
    canvas.ResetEntryState();
    canvas.BeginEntry(width, height, cameraX);
    DrawColumnTiles(canvas, entry, v, scene.catalogue);
    if (scene.view.showStructures) DrawStructureIcons(canvas, entry, v, scene.catalogue);
    if (scene.view.showFeatures) DrawFeatureIcons(canvas, entry, v, scene.catalogue);
    if (e == last && scene.view.showLegend) DrawLegend(canvas, v, scene);
    DrawGrainScaleAndFrameLines(canvas, v);
    DrawDepthAxis(canvas, entry, v, scene.view, scene.header.elevation);
    DrawBaseLine(canvas, entry, v);
    DrawOutline(canvas, entry, v);
    DrawWeathering(canvas, entry, v);
    if (scene.view.showSamples) DrawSamples(canvas, entry, v);
    DrawCaptions(canvas, v, scene.view, scene.header);
    canvas.EndEntry();
  }
}

// The literal frame with what cannot change a pixel left out:
//   * entries whose drawing cannot reach into the range drawn;
//   * a sheet's axis, grain-size scale and captions where a later entry of
//     the sheet draws them again, at least as deep. They are black and
//     opaque, so only their last drawing shows; an entry's axis is a prefix
//     of a deeper entry's;
//   * the log name in every entry but the last: it is drawn once, after
//     everything, which is where the last entry's name stands but for black
//     text after it.
void ColumnRenderer::RenderFast(Canvas& canvas, const Scene& scene, int width, int height,
                                float cameraX) {
  const int last = std::min(scene.drawing.LastEntry(), DrawTable::kCapacity - 1);
  const WorldRange range = options_.range.value_or(ViewRange(cameraX));
  const double reach = PixelsToWorld(kReachPixels, width);
  const bool legend = scene.view.showLegend;
  PlanSheetDecorations(scene.drawing, last);
  for (int e = 0; e <= last; ++e) {
    const DrawEntry& entry = scene.drawing.Entry(e);
    EntryValues v = ComputeEntryValues(scene.drawing, e, model::kScales[scaleIndex_].factor);
    const bool withLegend = e == last && legend;
    if (!EntryReach(v).Widened(reach).Meets(range) &&
        !(withLegend && LegendReach(v, scene.catalogue).Widened(reach).Meets(range))) {
      continue;
    }
    const bool decorates = decorates_[e];
    canvas.ResetEntryState();
    canvas.BeginEntry(width, height, cameraX);
    DrawColumnTiles(canvas, entry, v, scene.catalogue);
    if (scene.view.showStructures) DrawStructureIcons(canvas, entry, v, scene.catalogue);
    if (scene.view.showFeatures) DrawFeatureIcons(canvas, entry, v, scene.catalogue);
    if (withLegend) DrawLegend(canvas, v, scene);
    DrawGrainScaleAndFrameLines(canvas, v, decorates);
    if (decorates) DrawDepthAxis(canvas, entry, v, scene.view, scene.header.elevation);
    DrawBaseLine(canvas, entry, v);
    DrawOutline(canvas, entry, v);
    DrawWeathering(canvas, entry, v);
    if (scene.view.showSamples) DrawSamples(canvas, entry, v);
    if (decorates) DrawSheetCaptions(canvas, v, scene.view);
    canvas.EndEntry();
  }
  if (last >= 0) {
    canvas.ResetEntryState();
    canvas.BeginEntry(width, height, cameraX);
    DrawLogName(canvas, scene.header);
    canvas.EndEntry();
  }
}

void ColumnRenderer::PlanSheetDecorations(const DrawTable& drawing, int last) {
  decorates_.assign(last < 0 ? 0 : last + 1, true);
  deepestLater_.clear();
  for (int e = last; e >= 0; --e) {
    const DrawEntry& entry = drawing.Entry(e);
    const auto [it, first] = deepestLater_.try_emplace(entry.x, entry.bottom);
    if (first) continue;
    // The axis depends on the sheet and the bottom alone, and grows with
    // the bottom.
    if (it->second >= entry.bottom) {
      decorates_[e] = false;
    } else {
      it->second = entry.bottom;
    }
  }
}

}  // namespace borvik::render
