#include "render/draw_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace borvik::render {
namespace {

using model::LayerRecord;

constexpr int k1To50 = 0;
constexpr int k1To100 = 1;

LayerRecord Layer(float top, float bot, float intDepth = -1.0f) {
  LayerRecord layer;
  layer.top = top;
  layer.bot = bot;
  layer.int_ = intDepth < 0 ? top : intDepth;
  layer.RF1 = model::kClay;
  layer.RF2 = model::kPebble;
  layer.Str = model::kGraded;
  layer.Bou = model::kBaseErosional;
  layer.RFe = model::kQualityHumic;
  layer.Wea = model::kBrowned;
  return layer;
}

struct Fixture {
  std::unique_ptr<DrawTable> table = std::make_unique<DrawTable>();
  LegendUsage usage;

  void Add(const LayerRecord& layer, int scale = k1To100) {
    ASSERT_TRUE(AddLayerToDrawing(*table, usage, layer, scale));
  }
};

TEST(AddLayerToDrawing, SplitsAboveTheLithologyChange) {
  // 20-30 m with the change at 27 m on 25 m sheets, a structure at 28 m.
  Fixture f;
  LayerRecord layer = Layer(20, 30, 27);
  layer.DSe[0] = 28;
  layer.Se[0] = 3;
  f.Add(layer);
  ASSERT_EQ(f.table->EntryCount(), 2);
  EXPECT_EQ(f.table->LastEntry(), 2);
  const DrawEntry& upper = f.table->Entry(1);
  EXPECT_EQ(upper.x, 0.0f);
  EXPECT_EQ(upper.top, 20.0f);
  EXPECT_EQ(upper.bottom, 25.0f);
  EXPECT_EQ(upper.int_, 25.0f);
  EXPECT_EQ(upper.RF1, model::kClay);
  EXPECT_EQ(upper.RF2, model::kClay);
  EXPECT_EQ(upper.Bou, -1);
  EXPECT_EQ(upper.Se[0], -1);
  EXPECT_EQ(upper.DSe[0], 28.0f);
  const DrawEntry& lower = f.table->Entry(2);
  EXPECT_EQ(lower.x, 0.7f);
  EXPECT_EQ(lower.top, 0.0f);
  EXPECT_EQ(lower.bottom, 5.0f);
  EXPECT_EQ(lower.int_, 2.0f);
  EXPECT_EQ(lower.RF1, model::kClay);
  EXPECT_EQ(lower.RF2, model::kPebble);
  EXPECT_EQ(lower.Bou, model::kBaseErosional);
  EXPECT_EQ(lower.Se[0], 3);
  EXPECT_EQ(lower.DSe[0], 3.0f);
  for (const DrawEntry* e : {&upper, &lower}) {
    EXPECT_EQ(e->Str, model::kGraded);
    EXPECT_EQ(e->RFe, model::kQualityHumic);
    EXPECT_EQ(e->Wea, model::kBrowned);
  }
}

TEST(AddLayerToDrawing, SplitsBelowTheLithologyChange) {
  // A layer without a change (int = top) crossing 25 m.
  Fixture f;
  LayerRecord layer = Layer(24, 26);
  layer.DSa[0] = 24.5f;
  layer.Sa[0] = 1;
  layer.DEc[1] = 25.5f;
  layer.Ec[1] = 9;
  f.Add(layer);
  ASSERT_EQ(f.table->EntryCount(), 2);
  const DrawEntry& upper = f.table->Entry(1);
  EXPECT_EQ(upper.int_, 24.0f);
  EXPECT_EQ(upper.RF1, model::kClay);
  EXPECT_EQ(upper.RF2, model::kPebble);
  EXPECT_EQ(upper.Sa[0], 1);
  EXPECT_EQ(upper.DSa[0], 24.5f);
  EXPECT_EQ(upper.Ec[1], -1);
  // A mark without a depth stays above, at a negative relative depth.
  EXPECT_EQ(upper.Se[0], 0);
  EXPECT_EQ(upper.DSe[0], -1.0f);
  const DrawEntry& lower = f.table->Entry(2);
  EXPECT_EQ(lower.int_, 0.0f);
  EXPECT_EQ(lower.RF1, model::kPebble);
  EXPECT_EQ(lower.RF2, model::kPebble);
  EXPECT_EQ(lower.bottom, 1.0f);
  EXPECT_EQ(lower.Sa[0], -1);
  EXPECT_EQ(lower.Ec[1], 9);
  EXPECT_EQ(lower.DEc[1], 0.5f);
  EXPECT_EQ(lower.Se[0], -1);
}

TEST(AddLayerToDrawing, PlacesLayersOnTheirSheets) {
  const struct {
    const char* what;
    float top, bot;
    int scale;
    int entries;
    float x, relTop, relBottom;
  } cases[] = {
      {"within sheet 1", 2, 5, k1To100, 1, 0.0f, 2, 5},
      {"ending on the boundary", 20, 25, k1To100, 1, 0.0f, 20, 25},
      {"starting on the boundary", 25, 27, k1To100, 1, 0.7f, 0, 2},
      {"on sheet 3", 51, 60, k1To100, 1, static_cast<float>(2 * 0.7), 1, 10},
      {"13 m sheets", 12, 14, k1To50, 2, 0.0f, 12, 13},
      {"zero thickness", 3, 3, k1To100, 1, 0.0f, 3, 3},
  };
  for (const auto& c : cases) {
    Fixture f;
    f.Add(Layer(c.top, c.bot), c.scale);
    EXPECT_EQ(f.table->EntryCount(), c.entries) << c.what;
    EXPECT_EQ(f.table->LastEntry(), c.entries) << c.what;
    const DrawEntry& e = f.table->Entry(1);
    EXPECT_EQ(e.x, c.x) << c.what;
    EXPECT_EQ(e.top, c.relTop) << c.what;
    EXPECT_EQ(e.bottom, c.relBottom) << c.what;
  }
}

TEST(AddLayerToDrawing, ContinuationOfALongLayerRunsPastTheNextSheet) {
  // Entered at 1/100, drawn at 1/50: still only two rows.
  Fixture f;
  f.Add(Layer(5, 30), k1To50);
  ASSERT_EQ(f.table->EntryCount(), 2);
  EXPECT_EQ(f.table->Entry(1).bottom, 13.0f);
  EXPECT_EQ(f.table->Entry(2).bottom, 17.0f);
  EXPECT_EQ(f.table->Entry(2).x, 0.7f);
  EXPECT_EQ(f.table->LastEntry(), 2);
}

TEST(AddLayerToDrawing, AppendsInEntryOrderAndKeepsEntryZeroEmpty) {
  Fixture f;
  f.Add(Layer(0, 10));
  f.Add(Layer(10, 30));
  f.Add(Layer(30, 31));
  EXPECT_EQ(f.table->EntryCount(), 4);
  EXPECT_EQ(f.table->Entry(0), DrawEntry{});
  EXPECT_EQ(f.table->Entry(4).x, 0.7f);
  EXPECT_EQ(f.table->Entry(4).top, 5.0f);
}

TEST(AddLayerToDrawing, LayerOnNoSheetTakesAnEmptyRow) {
  // A top above the collar or below the bottom matches no sheet: the counter
  // still moves on and the row stays empty.
  for (const LayerRecord& layer : {Layer(-2, 1), Layer(30, 5)}) {
    Fixture f;
    f.Add(layer);
    EXPECT_EQ(f.table->EntryCount(), 1);
    EXPECT_EQ(f.table->LastEntry(), 1);
    EXPECT_EQ(f.table->Entry(1), DrawEntry{});
  }
}

TEST(AddLayerToDrawing, ExtremeDepthsNeitherCrashNorLoopForever) {
  const float big = std::numeric_limits<float>::max();
  for (const LayerRecord& layer : {Layer(0, big), Layer(-big, big), Layer(big, big), Layer(-big, -big),
                                   Layer(1e9f, 1e9f + 100), Layer(0, -1e30f)}) {
    Fixture f;
    f.Add(layer);
    EXPECT_LE(f.table->EntryCount(), 2);
  }
}

TEST(AddLayerToDrawing, UnknownScaleAddsNoRowButRecordsUsage) {
  Fixture f;
  ASSERT_TRUE(AddLayerToDrawing(*f.table, f.usage, Layer(0, 1), 7));
  EXPECT_EQ(f.table->EntryCount(), 0);
  EXPECT_TRUE(f.usage.mud);
}

TEST(AddLayerToDrawing, TableHoldsTwoRowsForEveryLayer) {
  Fixture f;
  for (int i = 0; i < model::LayerTable::kMaxLayers; ++i) f.Add(Layer(20, 30));
  EXPECT_EQ(f.table->EntryCount(), DrawTable::kCapacity - 1);
  EXPECT_FALSE(AddLayerToDrawing(*f.table, f.usage, Layer(20, 30), k1To100));
  EXPECT_EQ(f.table->EntryCount(), DrawTable::kCapacity - 1);
}

TEST(RebuildDrawing, EmptiesThenAddsEveryStoredLayer) {
  Fixture f;
  auto layers = std::make_unique<model::LayerTable>();
  ASSERT_TRUE(layers->Append(Layer(0, 20)));
  ASSERT_TRUE(layers->Append(Layer(20, 30)));
  f.Add(Layer(0, 1));
  RebuildDrawing(*f.table, f.usage, *layers, k1To50);
  // 0-20 crosses 13 m, 20-30 crosses 26 m.
  EXPECT_EQ(f.table->EntryCount(), 4);
  EXPECT_EQ(f.table->Entry(1).bottom, 13.0f);
  EXPECT_EQ(f.table->Entry(3).top, 7.0f);
  EXPECT_EQ(f.table->Entry(4).x, static_cast<float>(2 * 0.7));
}

TEST(DrawTable, ClearSetsEmptyValues) {
  Fixture f;
  f.Add(Layer(20, 30, 27));
  f.table->Clear();
  EXPECT_EQ(f.table->EntryCount(), 0);
  EXPECT_EQ(f.table->LastEntry(), 0);
  const DrawEntry& e = f.table->Entry(1);
  EXPECT_EQ(e.bottom, 0.0f);
  EXPECT_EQ(e.Bou, 0);
  EXPECT_EQ(e.Se, (std::array<std::int32_t, 4>{-1, -1, -1, -1}));
  EXPECT_EQ(e.Ec, (std::array<std::int32_t, 3>{-1, -1, -1}));
  EXPECT_EQ(e.Sa, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
}

}  // namespace
}  // namespace borvik::render
