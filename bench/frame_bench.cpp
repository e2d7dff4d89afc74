// A frame of the largest log: 999 layers that all cross a sheet boundary,
// every mark given, the legend on. Recorded (the frame code alone) and drawn
// with OpenGL on the headless context (llvmpipe here).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "render/draw_table.h"
#include "render/frame.h"
#include "render/gl/gl_canvas.h"
#include "render/gl/headless_context.h"
#include "render/gl/image_export.h"
#include "render/recording_canvas.h"

namespace {

using namespace borvik;

struct FullLog {
  std::unique_ptr<render::DrawTable> drawing = std::make_unique<render::DrawTable>();
  render::LegendUsage usage;
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  model::LogHeader header{"B-999 大深度ボーリング", 35.5f};
  render::ViewOptions view;

  FullLog() {
    view.showLegend = true;
    for (int i = 0; i < model::LayerTable::kMaxLayers; ++i) {
      model::LayerRecord layer;
      layer.top = 20.0f + 25.0f * static_cast<float>(i);
      layer.bot = layer.top + 10.0f;
      layer.int_ = layer.top + 3.0f;
      layer.Str = i % 3;
      layer.Bou = i % 5;
      layer.RF1 = 0.15f + 0.01f * static_cast<float>(i % 12);
      layer.RF2 = 0.2699f;
      layer.RFe = i % 5;
      layer.Wea = i % 4;
      for (int k = 0; k < 4; ++k) {
        layer.DSe[k] = layer.top + static_cast<float>(k + 1);
        layer.Se[k] = 1 + (i + k) % 7;
        layer.DSa[k] = layer.top + 1.5f * static_cast<float>(k + 1);
        layer.Sa[k] = 1;
      }
      for (int k = 0; k < 3; ++k) {
        layer.DEc[k] = layer.top + 2.0f * static_cast<float>(k + 1);
        layer.Ec[k] = 1 + (i + k) % 9;
      }
      render::AddLayerToDrawing(*drawing, usage, layer, view.scaleIndex);
    }
  }
  render::Scene Scene() const { return {*drawing, usage, catalogue, header, view}; }
};

void BM_FrameRecorded(benchmark::State& state) {
  const FullLog log;
  render::ColumnRenderer renderer;
  for (auto _ : state) {
    render::RecordingCanvas canvas;
    renderer.RenderLog(canvas, log.Scene(), 880, 831);
    benchmark::DoNotOptimize(canvas.Ops().size());
  }
}
BENCHMARK(BM_FrameRecorded)->Unit(benchmark::kMillisecond);

void BM_FrameOpenGl(benchmark::State& state) {
  std::string error;
  const auto context = render::gl::HeadlessContext::Create(&error);
  if (!context) {
    state.SkipWithError(error.c_str());
    return;
  }
  std::filesystem::current_path(BORVIK_SOURCE_DIR);
  const FullLog log;
  render::gl::GlCanvas canvas;
  render::ColumnRenderer renderer;
  for (auto _ : state) {
    benchmark::DoNotOptimize(render::gl::RenderPng(renderer, canvas, log.Scene()));
  }
}
BENCHMARK(BM_FrameOpenGl)->Unit(benchmark::kMillisecond);

}  // namespace
