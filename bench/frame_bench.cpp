// A frame of the largest logs, every mark given, the legend on: the frame
// code alone on the recording canvas, and drawn with OpenGL on the headless
// context (llvmpipe here) into an offscreen buffer of the export size. Also
// the parts of an export that are not the frame: the context, the first use
// of the textures, the PNG encoding.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "render/gl/gl_canvas.h"
#include "render/gl/headless_context.h"
#include "render/gl/image_export.h"
#include "render/gl/offscreen.h"
#include "render/png_encode.h"
#include "render/recording_canvas.h"
#include "support/large_logs.h"

namespace {

using namespace borvik;
using testing::LargeLog;
using testing::LogKind;

constexpr int kW = render::ColumnRenderer::kExportWidth;
constexpr int kH = render::ColumnRenderer::kExportHeight;

// The cases of the frame: log, scale index, scroll position; the fast
// frame (1) or the literal one (0).
void FrameCases(benchmark::internal::Benchmark* b) {
  b->ArgNames({"log", "scale", "scroll", "fast"});
  const struct {
    LogKind kind;
    int scale;
  } logs[] = {{LogKind::kCrossing, 1},
              {LogKind::kMetre, 0},
              {LogKind::kMetre, 1},
              {LogKind::kMetre, 3},
              {LogKind::kTenth, 1}};
  for (const int fast : {1, 0}) {
    for (const auto& log : logs) {
      for (const int scroll : {0, 50, 100}) {
        b->Args({static_cast<int>(log.kind), log.scale, scroll, fast});
      }
    }
    b->Args({static_cast<int>(LogKind::kEmpty), 1, 0, fast});
  }
}

render::FrameOptions OptionsFor(const benchmark::State& state) {
  return state.range(3) ? render::FrameOptions::Fast() : render::FrameOptions::Literal();
}

LargeLog LogFor(const benchmark::State& state) {
  return LargeLog(static_cast<LogKind>(state.range(0)), static_cast<int>(state.range(1)),
                  static_cast<int>(state.range(2)));
}

void BM_FrameRecorded(benchmark::State& state) {
  const LargeLog log = LogFor(state);
  render::ColumnRenderer renderer(OptionsFor(state));
  // One canvas for all frames, as the window keeps its canvas: the frame's
  // work, not the growing of a fresh list of operations.
  render::RecordingCanvas canvas;
  for (auto _ : state) {
    canvas.Clear();
    renderer.RenderLog(canvas, log.Scene(), kW, kH);
    benchmark::DoNotOptimize(canvas.Ops().size());
  }
}
BENCHMARK(BM_FrameRecorded)->Apply(FrameCases)->Unit(benchmark::kMillisecond);


std::unique_ptr<render::gl::HeadlessContext> Context(benchmark::State& state) {
  std::string error;
  auto context = render::gl::HeadlessContext::Create(&error);
  if (!context) state.SkipWithError(error.c_str());
  std::filesystem::current_path(BORVIK_SOURCE_DIR);
  return context;
}

// Processor time of every thread of the process, in milliseconds: the
// software renderer's threads work beside the one that draws, and on a
// busy machine the time that passes says little about the work done.
double ProcessCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The frame alone, as the window draws it: every texture already decoded.
void BM_FrameOpenGl(benchmark::State& state) {
  const auto context = Context(state);
  if (!context) return;
  const LargeLog log = LogFor(state);
  const render::gl::Offscreen offscreen(kW, kH);
  render::gl::GlCanvas canvas;
  render::ColumnRenderer renderer(OptionsFor(state));
  renderer.RenderLog(canvas, log.Scene(), kW, kH);
  const double before = ProcessCpuMs();
  for (auto _ : state) renderer.RenderLog(canvas, log.Scene(), kW, kH);
  state.counters["all_threads_ms"] =
      (ProcessCpuMs() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FrameOpenGl)->Apply(FrameCases)->Unit(benchmark::kMillisecond)->UseRealTime();

// The parts of borvik-cli render that are not the frame.
void BM_HeadlessContext(benchmark::State& state) {
  for (auto _ : state) {
    std::string error;
    auto context = render::gl::HeadlessContext::Create(&error);
    if (!context) {
      state.SkipWithError(error.c_str());
      return;
    }
  }
}
BENCHMARK(BM_HeadlessContext)->Unit(benchmark::kMillisecond)->UseRealTime();

// A first frame of the empty log with a fresh canvas: every texture it uses
// decoded and uploaded.
void BM_FirstFrameEmptyLog(benchmark::State& state) {
  const auto context = Context(state);
  if (!context) return;
  const LargeLog log(LogKind::kEmpty, 1, 0);
  const render::gl::Offscreen offscreen(kW, kH);
  for (auto _ : state) {
    render::gl::GlCanvas canvas;
    render::ColumnRenderer renderer(render::FrameOptions::Fast());
    renderer.RenderLog(canvas, log.Scene(), kW, kH);
  }
}
BENCHMARK(BM_FirstFrameEmptyLog)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EncodePng(benchmark::State& state) {
  const auto context = Context(state);
  if (!context) return;
  const LargeLog log(LogKind::kCrossing, 1, 0);
  const render::gl::Offscreen offscreen(kW, kH);
  render::gl::GlCanvas canvas;
  render::ColumnRenderer renderer(render::FrameOptions::Fast());
  renderer.RenderLog(canvas, log.Scene(), kW, kH);
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(kW) * kH * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kW, kH, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
  for (auto _ : state) benchmark::DoNotOptimize(render::EncodePngRgb(rows.data(), kW, kH));
}
BENCHMARK(BM_EncodePng)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
