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
#include "support/large_logs.h"

namespace {

using namespace borvik;

// The largest log the table holds, as data entry accepts it.
std::string FullLogText() { return testing::AcceptedLogText(model::LayerTable::kMaxLayers, 0); }

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
