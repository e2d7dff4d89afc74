#pragma once
// Logs for the vector tests: loaded from a layer file, or the 999-layer log
// of 1 m layers (40 sheets at 1/100) with every kind of mark.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "files/layer_csv.h"
#include "support/log_scene.h"

namespace borvik::testing {

inline std::filesystem::path ExampleLog() {
  return std::filesystem::path(BORVIK_SOURCE_DIR) / "examples" / "b-1.csv";
}

inline std::unique_ptr<LogScene> LoadLog(const std::filesystem::path& file,
                                         const render::ViewOptions& view = {}) {
  auto fixture = std::make_unique<LogScene>();
  fixture->view = view;
  EXPECT_TRUE(files::ReadLayerFile(file, *fixture->document)) << file;
  fixture->Rebuild();
  return fixture;
}

// 999 layers of 1 m: every lithology, base, rock quality and weathering in
// turn, two structures, a feature and a sample on each.
inline std::unique_ptr<LogScene> FullLog(const render::ViewOptions& view = {}) {
  auto fixture = std::make_unique<LogScene>();
  fixture->view = view;
  fixture->document->header = {"B-999 大深度ボーリング", 35.5f};
  static constexpr float kCodes[] = {0.15f, 0.16f, 0.18f, 0.19f,   0.2f,  0.21f, 0.22f,
                                     0.24f, 0.25f, 0.26f, 0.1799f, 0.27f, 0.29f};
  for (int i = 0; i < model::LayerTable::kMaxLayers; ++i) {
    model::LayerRecord layer;
    layer.top = static_cast<float>(i);
    layer.bot = layer.top + 1.0f;
    layer.int_ = layer.top + 0.5f;
    layer.RF1 = kCodes[i % 13];
    const bool bedrock = layer.RF1 == 0.29f;
    layer.Str = bedrock ? 0 : i % 7 == 3 ? 1 : i % 7 == 5 ? 2 : 0;
    layer.Bou = i % 4;
    layer.RF2 = bedrock          ? 0.31f + 0.01f * static_cast<float>(i % 6)
                : layer.Str != 0 ? 0.26f
                                 : layer.RF1;
    layer.RFe = layer.Str == 0 ? i % 5 : 0;
    layer.Wea = i % 4;
    layer.DSe[0] = layer.top + 0.25f;
    layer.Se[0] = 1 + i % 7;
    layer.DSe[1] = layer.top + 0.75f;
    layer.Se[1] = 1 + (i + 3) % 7;
    layer.DEc[0] = layer.top + 0.5f;
    layer.Ec[0] = 1 + i % 9;
    layer.DSa[0] = layer.top + 0.5f;
    layer.Sa[0] = 1;
    EXPECT_TRUE(fixture->document->layers.Append(layer));
  }
  fixture->Rebuild();
  return fixture;
}

}  // namespace borvik::testing
