// The whole largest log as a document: 999 layers of 1 m, 40 sheets at
// 1/100, every mark given, the legend on. The frame into the vector
// canvas, then the PDF (A4, 21 pages) and the SVG; the file size is the
// "bytes" counter.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "render/vector/document_export.h"
#include "support/large_logs.h"

namespace {

using namespace borvik;
using testing::LargeLog;
using testing::LogKind;

// 1 m layers at 1/100, from the top.
LargeLog FortySheets() { return LargeLog(LogKind::kMetre, 1, 0); }

void Document(benchmark::State& state, files::DocumentFormat format) {
  // The built-in textures, as the program finds them.
  std::filesystem::current_path(BORVIK_SOURCE_DIR);
  const LargeLog log = FortySheets();
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
  const LargeLog log = FortySheets();
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
