#include "render/frame.h"

#include "render/axis.h"
#include "render/column.h"
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

void ColumnRenderer::RenderLog(Canvas& canvas, const Scene& scene, int width, int height) {
  canvas.BeginFrame(width, height);
  const float cameraX = static_cast<float>(scene.view.scrollPosition) / 10;
  if (model::IsValidScaleIndex(scene.view.scaleIndex)) {
    scale_ = model::kScales[scene.view.scaleIndex].factor;
  }
  const int last = scene.drawing.LastEntry();
  for (int e = 0; e <= last && e < DrawTable::kCapacity; ++e) {
    const DrawEntry& entry = scene.drawing.Entry(e);
    EntryValues v = ComputeEntryValues(scene.drawing, e, scale_);
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
  canvas.EndFrame();
}

}  // namespace borvik::render
