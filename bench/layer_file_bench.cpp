// Reading and normalising the largest log the table holds: 999 layers with
// every mark given.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "editor/layer_check.h"
#include "files/file_io.h"
#include "files/layer_csv.h"

namespace {

using namespace borvik;

std::string FullLogText() {
  auto log = std::make_unique<model::Document>();
  log->header = {"B-999 大深度ボーリング", -12.25f};
  for (int i = 0; i < model::LayerTable::kMaxLayers; ++i) {
    model::LayerRecord layer;
    layer.top = i * 0.75f;
    layer.bot = layer.top + 0.75f;
    layer.int_ = layer.top + 0.3f;
    layer.Str = i % 3;
    layer.Bou = i % 5;
    layer.RF1 = 0.15f + 0.01f * static_cast<float>(i % 12);
    layer.RF2 = 0.2699f;
    layer.RFe = i % 5;
    layer.Wea = i % 4;
    for (int k = 0; k < 4; ++k) {
      layer.DSe[k] = layer.top + 0.1f * static_cast<float>(k + 1);
      layer.Se[k] = 1 + (i + k) % 7;
      layer.DSa[k] = layer.top + 0.15f * static_cast<float>(k + 1);
      layer.Sa[k] = 1;
    }
    for (int k = 0; k < 3; ++k) {
      layer.DEc[k] = layer.top + 0.2f * static_cast<float>(k + 1);
      layer.Ec[k] = 1 + (i + k) % 9;
    }
    log->layers.Append(layer);
  }
  return files::FormatLayerFile(log->header, log->layers);
}

void BM_ParseLayerFile(benchmark::State& state) {
  const std::string text = FullLogText();
  auto log = std::make_unique<model::Document>();
  for (auto _ : state) {
    benchmark::DoNotOptimize(static_cast<bool>(files::ParseLayerFile(text, *log)));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseLayerFile)->Unit(benchmark::kMicrosecond);

void BM_FormatLayerFile(benchmark::State& state) {
  auto log = std::make_unique<model::Document>();
  files::ParseLayerFile(FullLogText(), *log);
  for (auto _ : state) {
    benchmark::DoNotOptimize(files::FormatLayerFile(log->header, log->layers));
  }
}
BENCHMARK(BM_FormatLayerFile)->Unit(benchmark::kMicrosecond);

// What borvik-cli normalize does, from the disk and back, without the
// flush to the disk that a real save adds.
void BM_ReadAndNormalise(benchmark::State& state) {
  const auto path = std::filesystem::temp_directory_path() / "borvik-bench-999.csv";
  files::WriteFileAtomic(path, FullLogText());
  auto log = std::make_unique<model::Document>();
  for (auto _ : state) {
    files::ReadLayerFile(path, *log);
    benchmark::DoNotOptimize(files::FormatLayerFile(log->header, log->layers));
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadAndNormalise)->Unit(benchmark::kMicrosecond);

// What borvik-cli check does once the file is read: every layer through
// the entry rules, nothing written.
void BM_CheckLayerFile(benchmark::State& state) {
  const std::string text = FullLogText();
  for (auto _ : state) {
    benchmark::DoNotOptimize(editor::CheckLayerFile(text, model::kDefaultScaleIndex).refusals.size());
  }
}
BENCHMARK(BM_CheckLayerFile)->Unit(benchmark::kMicrosecond);

}  // namespace
