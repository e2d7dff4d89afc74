#pragma once
// The largest logs the frame has to draw, for the benchmarks and the
// identity tests: 999 layers, every mark given, the legend on.

#include <memory>
#include <string>

#include "files/layer_csv.h"
#include "model/document.h"
#include "support/log_scene.h"

namespace borvik::testing {

enum class LogKind {
  kCrossing,  // 999 layers of 10 m, each across a sheet boundary at 1/100: 1,999 entries
  kMetre,     // 999 layers of 1 m
  kTenth,     // 999 layers of 0.1 m: all of them on the first sheets
  kEmpty,
};

inline const char* LogName(LogKind kind) {
  switch (kind) {
    case LogKind::kCrossing: return "crossing";
    case LogKind::kMetre: return "metre";
    case LogKind::kTenth: return "tenth";
    case LogKind::kEmpty: return "empty";
  }
  return "";
}

// The layers of a log kind, varied in every code the frame reads.
inline model::LayerTable MakeLayers(LogKind kind) {
  model::LayerTable table;
  table.Clear();
  if (kind == LogKind::kEmpty) return table;
  for (int i = 0; i < model::LayerTable::kMaxLayers; ++i) {
    const float thickness = kind == LogKind::kCrossing ? 10.0f
                            : kind == LogKind::kMetre  ? 1.0f
                                                       : 0.1f;
    const float top = kind == LogKind::kCrossing ? 20.0f + 25.0f * static_cast<float>(i)
                                                 : thickness * static_cast<float>(i);
    model::LayerRecord layer;
    layer.top = top;
    layer.bot = top + thickness;
    layer.int_ = top + 0.3f * thickness;
    layer.Str = i % 3;
    layer.Bou = i % 5;
    layer.RF1 = 0.15f + 0.01f * static_cast<float>(i % 12);
    layer.RF2 = 0.2699f;
    layer.RFe = i % 5;
    layer.Wea = i % 4;
    for (int k = 0; k < 4; ++k) {
      layer.DSe[k] = top + thickness * 0.1f * static_cast<float>(k + 1);
      layer.Se[k] = 1 + (i + k) % 7;
      layer.DSa[k] = top + thickness * 0.15f * static_cast<float>(k + 1);
      layer.Sa[k] = 1;
    }
    for (int k = 0; k < 3; ++k) {
      layer.DEc[k] = top + thickness * 0.2f * static_cast<float>(k + 1);
      layer.Ec[k] = 1 + (i + k) % 9;
    }
    table.Append(layer);
  }
  return table;
}

// A log of `count` layers of 0.75 m that data entry accepts as they are,
// every mark given; `shift` varies the name, elevation and lithologies.
inline std::string AcceptedLogText(int count, float shift) {
  auto log = std::make_unique<model::Document>();
  log->header = {"B-999 大深度ボーリング", 12.25f + shift};
  for (int i = 0; i < count; ++i) {
    model::LayerRecord layer;
    layer.top = static_cast<float>(i) * 0.75f;
    layer.bot = layer.top + 0.75f;
    layer.int_ = layer.top;
    layer.Bou = i % 5;
    layer.RF1 = layer.RF2 = model::kSedimentLithologies[(i + static_cast<int>(shift)) % 15].code;
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

// One of the largest logs, drawn at a scale and scrolled, the legend on.
struct LargeLog : LogScene {
  LargeLog(LogKind kind, int scaleIndex, int scroll) {
    document->header = {"B-999 大深度ボーリング", 35.5f};
    document->layers = MakeLayers(kind);
    view.showLegend = true;
    view.scaleIndex = scaleIndex;
    view.scrollPosition = scroll;
    Rebuild();
  }
};

}  // namespace borvik::testing
