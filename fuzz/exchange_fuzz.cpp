// Any bytes as a boring exchange file, and as a rules file: the import must
// refuse or accept without touching memory it does not own, and what it
// accepts must be a log the program can hold: ordered depths, samples
// inside their layers, a name the layer file stores, a layer file that reads
// back the same, and a drawing at every scale.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "exchange/import.h"
#include "files/file_io.h"
#include "files/layer_csv.h"
#include "render/draw_table.h"
#include "text/cp932.h"

namespace {

using namespace borvik;

const exchange::NameRules& CommittedRules() {
  static const exchange::NameRules rules = [] {
    exchange::NameRules loaded;
    std::string bytes;
    if (!files::ReadWholeFile(BORVIK_SOURCE_DIR "/data/exchange/names.csv", bytes,
                              files::kMaxNameRulesFileBytes) ||
        !loaded.Add(bytes, "names.csv")) {
      std::abort();
    }
    return loaded;
  }();
  return rules;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // As a rules file added to the committed rules.
  exchange::NameRules rules = CommittedRules();
  const bool rulesTaken = static_cast<bool>(rules.Add(bytes, "fuzz.csv"));
  Check(rulesTaken || rules.Rules().size() == CommittedRules().Rules().size());

  auto log = std::make_unique<model::Document>();
  exchange::ImportReport report;
  if (!exchange::ImportExchange(bytes, "BED0001", CommittedRules(), *log, report)) return 0;

  const std::string& name = log->header.name;
  Check(name.find_first_of(",\r\n") == std::string::npos && text::IsCp932Representable(name));
  const model::LayerTable& layers = log->layers;
  Check(report.layers == layers.LayerCount());
  float top = 0.0f;
  int samples = 0;
  int fallbacks = 0;
  for (int slot = 1; slot <= layers.LayerCount(); ++slot) {
    const model::LayerRecord layer = layers.Get(slot);
    Check(layer.top == top && layer.bot >= layer.top && layer.int_ == layer.top);
    for (int i = 0; i < model::kSampleMarks; ++i) {
      if (layer.Sa[i] == 0) continue;
      Check(layer.DSa[i] >= layer.top && layer.DSa[i] <= layer.bot);
      ++samples;
    }
    top = layer.bot;
  }
  Check(samples == report.samplesPlaced);
  for (const exchange::NameOutcome& n : report.names) {
    if (exchange::IsFallback(n.match.kind)) fallbacks += n.layers;
  }
  Check(fallbacks == report.FallbackLayers());

  // The layer file stores the log as it is.
  const std::string saved = files::FormatLayerFile(log->header, layers);
  auto again = std::make_unique<model::Document>();
  Check(static_cast<bool>(files::ParseLayerFile(saved, *again)));
  Check(again->layers.LayerCount() == layers.LayerCount());
  Check(files::FormatLayerFile(again->header, again->layers) == saved);

  // One table for every run: a rebuild empties it first.
  static const auto drawing = std::make_unique<render::DrawTable>();
  for (int scale = 0; scale < 4; ++scale) {
    render::LegendUsage usage;
    render::RebuildDrawing(*drawing, usage, layers, scale);
    Check(drawing->EntryCount() < render::DrawTable::kCapacity);
  }
  return 0;
}
