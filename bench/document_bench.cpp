// The whole largest log as a document: 999 layers of 1 m, 40 sheets at
// 1/100, every kind of mark, the legend on. The frame into the vector
// canvas, then the PDF (A4, 21 pages) and the SVG; the file size is the
// "bytes" counter.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "render/draw_table.h"
#include "render/vector/document_export.h"

namespace {

using namespace borvik;

struct FortySheets {
  std::unique_ptr<render::DrawTable> drawing = std::make_unique<render::DrawTable>();
  render::LegendUsage usage;
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  model::LogHeader header{"B-999 大深度ボーリング", 35.5f};
  render::ViewOptions view;

  FortySheets() {
    view.showLegend = true;
    static constexpr float kCodes[] = {0.15f, 0.16f, 0.19f, 0.21f, 0.25f, 0.1799f, 0.27f, 0.29f};
    for (int i = 0; i < model::LayerTable::kMaxLayers; ++i) {
      model::LayerRecord layer;
      layer.top = static_cast<float>(i);
      layer.bot = layer.top + 1.0f;
      layer.int_ = layer.top + 0.5f;
      layer.RF1 = kCodes[i % 8];
      layer.Str = layer.RF1 == 0.29f ? 0 : i % 3;
      layer.RF2 = layer.RF1 == 0.29f ? 0.31f + 0.01f * static_cast<float>(i % 6) : 0.26f;
      layer.Bou = i % 4;
      layer.RFe = layer.Str == 0 ? i % 5 : 0;
      layer.Wea = i % 4;
      for (int k = 0; k < 2; ++k) {
        layer.DSe[k] = layer.top + 0.25f + 0.5f * static_cast<float>(k);
        layer.Se[k] = 1 + (i + k) % 7;
        layer.DSa[k] = layer.top + 0.4f * static_cast<float>(k + 1);
        layer.Sa[k] = 1;
      }
      layer.DEc[0] = layer.top + 0.5f;
      layer.Ec[0] = 1 + i % 9;
      render::AddLayerToDrawing(*drawing, usage, layer, view.scaleIndex);
    }
  }
  render::Scene Scene() const { return {*drawing, usage, catalogue, header, view}; }
};

void Document(benchmark::State& state, files::DocumentFormat format) {
  // The built-in textures, as the program finds them.
  std::filesystem::current_path(BORVIK_SOURCE_DIR);
  const FortySheets log;
  std::size_t bytes = 0;
  for (auto _ : state) {
    auto document = render::vector::RenderDocument(log.Scene(), format);
    if (auto* text = std::get_if<std::string>(&document)) {
      bytes = text->size();
    } else {
      state.SkipWithError("the document was refused");
      return;
    }
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_FrameIntoVectorCanvas(benchmark::State& state) {
  std::filesystem::current_path(BORVIK_SOURCE_DIR);
  const FortySheets log;
  for (auto _ : state) {
    benchmark::DoNotOptimize(render::vector::DrawWholeLog(log.Scene()).shapes.size());
  }
}
BENCHMARK(BM_FrameIntoVectorCanvas)->Unit(benchmark::kMillisecond);

void BM_Pdf(benchmark::State& state) { Document(state, files::DocumentFormat::kPdf); }
BENCHMARK(BM_Pdf)->Unit(benchmark::kMillisecond);

void BM_Svg(benchmark::State& state) { Document(state, files::DocumentFormat::kSvg); }
BENCHMARK(BM_Svg)->Unit(benchmark::kMillisecond);

}  // namespace
