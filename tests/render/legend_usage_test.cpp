#include "render/legend_usage.h"

#include <gtest/gtest.h>

#include <functional>

#include "render/draw_table.h"

namespace borvik::render {
namespace {

using model::LayerRecord;

LayerRecord Lithology(float rf1, float rf2) {
  LayerRecord layer;
  layer.RF1 = rf1;
  layer.RF2 = rf2;
  layer.Bou = model::kBaseContinuous;  // sets no flag
  return layer;
}

TEST(LegendUsage, LithologyFlagsFollowTheCodes) {
  const struct {
    const char* what;
    float rf1, rf2;
    std::function<void(LegendUsage&)> expect;
  } cases[] = {
      {"graded clay to fine sand", 0.15f, 0.19f, [](LegendUsage& u) { u.mud = u.sand = true; }},
      {"silt", 0.16f, 0.16f, [](LegendUsage& u) { u.mud = true; }},
      {"very coarse sand and granule", 0.22f, 0.24f, [](LegendUsage& u) { u.sand = u.gravel = true; }},
      {"boulder", 0.27f, 0.27f, [](LegendUsage& u) { u.gravel = true; }},
      {"fine ash is not sand", 0.1799f, 0.1799f, [](LegendUsage& u) { u.fineAsh = true; }},
      {"coarse ash", 0.2199f, 0.2199f, [](LegendUsage& u) { u.coarseAsh = true; }},
      {"lapilli is not gravel", 0.2499f, 0.2499f, [](LegendUsage& u) { u.lapilli = true; }},
      {"volcanic bomb", 0.2699f, 0.2699f, [](LegendUsage& u) { u.volcanicBomb = true; }},
      {"hypabyssal bedrock", 0.29f, 0.36f, [](LegendUsage& u) { u.bedrock[2] = true; }},
      {"limestone bedrock", 0.29f, 0.32f, [](LegendUsage& u) { u.bedrock[5] = true; }},
      {"core loss", 0.0f, 0.0f, [](LegendUsage&) {}},
      {"code outside the tables", 0.3f, 0.17f, [](LegendUsage&) {}},
  };
  for (const auto& c : cases) {
    LegendUsage usage;
    usage.Update(Lithology(c.rf1, c.rf2));
    LegendUsage expected;
    c.expect(expected);
    EXPECT_TRUE(usage == expected) << c.what;
  }
}

TEST(LegendUsage, AttributeFlagsFollowTheCodes) {
  LayerRecord layer = Lithology(0, 0);
  layer.Bou = model::kBaseFault;
  layer.RFe = model::kQualityOrganic;
  layer.Wea = model::kMottled;
  layer.Se = {0, -1, 7, 1};
  layer.Ec = {9, 0, 10};
  layer.Sa = {0, 0, 2, 1};
  LegendUsage usage;
  usage.Update(layer);
  LegendUsage expected;
  expected.fault = true;
  expected.organic = true;
  expected.mottled = true;
  expected.structures[0] = expected.structures[6] = true;
  expected.features[8] = true;
  expected.samples = true;
  EXPECT_TRUE(usage == expected);
}

TEST(LegendUsage, ZeroCodesSetNoAttributeFlag) {
  LayerRecord layer = Lithology(0, 0);
  layer.Se = {0, -1, 0, 0};
  layer.Sa = {0, 0, 0, 0};
  LegendUsage usage;
  usage.Update(layer);
  EXPECT_TRUE(usage == LegendUsage{});
  layer.Bou = model::kBaseSharp;
  usage.Update(layer);
  EXPECT_TRUE(usage.clearBase);
  EXPECT_TRUE(usage.AnyBase());
  EXPECT_FALSE(usage.AnyRockQuality());
}

TEST(LegendUsage, FlagsStayOnUntilTheReset) {
  // Layer 4 edited from sand to gravel: both show until the log is reset.
  LegendUsage usage;
  auto table = std::make_unique<DrawTable>();
  auto layers = std::make_unique<model::LayerTable>();
  ASSERT_TRUE(layers->Append(Lithology(0.2f, 0.2f)));
  RebuildDrawing(*table, usage, *layers, 1);
  ASSERT_TRUE(layers->Replace(1, Lithology(0.25f, 0.25f)));
  RebuildDrawing(*table, usage, *layers, 1);
  EXPECT_TRUE(usage.sand);
  EXPECT_TRUE(usage.gravel);
  usage.Reset();
  EXPECT_TRUE(usage == LegendUsage{});
  EXPECT_FALSE(usage.AnyLithology());
}

}  // namespace
}  // namespace borvik::render
