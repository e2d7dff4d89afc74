// The boring exchange import: one real file end to end (decoding, XML, name
// rules, samples), the name rules alone, and the rules file read at every
// import.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "exchange/import.h"
#include "files/file_io.h"

namespace {

using namespace borvik;

std::string Read(const std::string& relative) {
  std::string bytes;
  if (!files::ReadWholeFile(BORVIK_SOURCE_DIR "/" + relative, bytes, files::kMaxExchangeFileBytes)) std::abort();
  return bytes;
}

exchange::NameRules Rules() {
  exchange::NameRules rules;
  if (!rules.Add(Read("data/exchange/names.csv"), "names.csv")) std::abort();
  return rules;
}

// 17 layers, 14 samples, 68 KB of UTF-8 declared as Shift_JIS.
void BM_ImportRealFile(benchmark::State& state) {
  const std::string bytes =
      Read("tests/data/exchange/real/BOREHOLE_FUKUI_18000230651302239-BED0002.xml");
  const exchange::NameRules rules = Rules();
  auto log = std::make_unique<model::Document>();
  for (auto _ : state) {
    exchange::ImportReport report;
    benchmark::DoNotOptimize(exchange::ImportExchange(bytes, "BED0002", rules, *log, report));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ImportRealFile);

// The standard's 4.00 example: Shift_JIS bytes through the CP932 decoder.
void BM_ImportShiftJisFile(benchmark::State& state) {
  const std::string bytes = Read("tests/data/exchange/official/BED0400.XML");
  const exchange::NameRules rules = Rules();
  auto log = std::make_unique<model::Document>();
  for (auto _ : state) {
    exchange::ImportReport report;
    benchmark::DoNotOptimize(exchange::ImportExchange(bytes, "BED0400", rules, *log, report));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ImportShiftJisFile);

void BM_MatchName(benchmark::State& state) {
  const exchange::NameRules rules = Rules();
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        rules.Match("砂利・礫混りシルト質砂", exchange::CodeScheme::kRockSoil, {}));
  }
}
BENCHMARK(BM_MatchName);

void BM_LoadRules(benchmark::State& state) {
  const std::string text = Read("data/exchange/names.csv");
  for (auto _ : state) {
    exchange::NameRules rules;
    benchmark::DoNotOptimize(rules.Add(text, "names.csv"));
  }
}
BENCHMARK(BM_LoadRules);

}  // namespace
