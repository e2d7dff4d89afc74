#include "render/draw_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <tuple>

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

TEST(AddLayerToDrawing, BedrockKeepsItsWidthAndTypeOnEverySheet) {
  // Split like any layer without a change, a bedrock continuation would get
  // the rock type's code as its width.
  for (const auto& [top, bot, scale, rows] :
       {std::tuple{20.0f, 30.0f, k1To100, 2}, std::tuple{19.0f, 65.0f, k1To100, 3}}) {
    Fixture f;
    LayerRecord layer = Layer(top, bot);
    layer.Str = model::kNoChange;
    layer.RF1 = model::kBedrockWidth;
    layer.RF2 = model::kPlutonicRock;
    f.Add(layer, scale);
    ASSERT_EQ(f.table->EntryCount(), rows);
    for (int i = 1; i <= rows; ++i) {
      EXPECT_EQ(f.table->Entry(i).RF1, model::kBedrockWidth) << top << " " << i;
      EXPECT_EQ(f.table->Entry(i).RF2, model::kPlutonicRock) << top << " " << i;
    }
  }
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

TEST(AddLayerToDrawing, LongLayerGetsOneRowPerSheet) {
  // 19-65 m at 1/100: the second sheet is drawn full, without a base line,
  // and only the last piece ends where the layer ends.
  Fixture f;
  f.Add(Layer(19, 65));
  ASSERT_EQ(f.table->EntryCount(), 3);
  EXPECT_EQ(f.table->LastEntry(), 3);
  const struct {
    float x, top, bottom;
    int Bou;
  } rows[] = {
      {0.0f, 19, 25, -1},
      {0.7f, 0, 25, -1},
      {static_cast<float>(2 * 0.7), 0, 15, model::kBaseErosional},
  };
  for (int i = 0; i < 3; ++i) {
    const DrawEntry& e = f.table->Entry(i + 1);
    EXPECT_EQ(e.x, rows[i].x) << i;
    EXPECT_EQ(e.top, rows[i].top) << i;
    EXPECT_EQ(e.bottom, rows[i].bottom) << i;
    EXPECT_EQ(e.Bou, rows[i].Bou) << i;
    EXPECT_EQ(e.Str, model::kGraded) << i;
    EXPECT_EQ(e.RFe, model::kQualityHumic) << i;
    EXPECT_EQ(e.Wea, model::kBrowned) << i;
  }
}

TEST(AddLayerToDrawing, LongLayerSplitsItsLithologyAndMarksByTheSameRule) {
  // 5-40 m at 1/50 (13 m sheets 0-13, 13-26, 26-39, 39-52) with the change
  // at 20 m, on the second sheet.
  Fixture f;
  LayerRecord layer = Layer(5, 40, 20);
  layer.DSe[0] = 10;  // sheet 1
  layer.Se[0] = 2;
  layer.DEc[0] = 26;  // on the boundary: still sheet 2
  layer.Ec[0] = 4;
  layer.DSa[0] = 30;  // sheet 3
  layer.Sa[0] = 1;
  layer.DSa[1] = 39.5f;  // sheet 4
  layer.Sa[1] = 1;
  f.Add(layer, k1To50);
  ASSERT_EQ(f.table->EntryCount(), 4);
  const struct {
    float top, bottom, int_, RF1, RF2;
    int Se0, Ec0, Sa0, Sa1;
  } rows[] = {
      {5, 13, 13, model::kClay, model::kClay, 2, -1, -1, -1},
      {0, 13, 7, model::kClay, model::kPebble, -1, 4, -1, -1},
      {0, 13, 0, model::kPebble, model::kPebble, -1, -1, 1, -1},
      {0, 1, 0, model::kPebble, model::kPebble, -1, -1, -1, 1},
  };
  for (int i = 0; i < 4; ++i) {
    const DrawEntry& e = f.table->Entry(i + 1);
    const float sheetTop = static_cast<float>(13 * i);
    EXPECT_EQ(e.top, rows[i].top) << i;
    EXPECT_EQ(e.bottom, rows[i].bottom) << i;
    EXPECT_EQ(e.int_, rows[i].int_) << i;
    EXPECT_EQ(e.RF1, rows[i].RF1) << i;
    EXPECT_EQ(e.RF2, rows[i].RF2) << i;
    EXPECT_EQ(e.Se[0], rows[i].Se0) << i;
    EXPECT_EQ(e.Ec[0], rows[i].Ec0) << i;
    EXPECT_EQ(e.Sa[0], rows[i].Sa0) << i;
    EXPECT_EQ(e.Sa[1], rows[i].Sa1) << i;
    // Every piece carries each depth relative to its own sheet.
    EXPECT_EQ(e.DSa[0], 30 - sheetTop) << i;
    // A mark without a depth stays with the first piece.
    EXPECT_EQ(e.Se[1], i == 0 ? 0 : -1) << i;
  }
}

TEST(AddLayerToDrawing, LongLayerWithTheChangeOnAMiddleSheetBoundary) {
  // The change exactly on the 25 m boundary belongs to the sheet above.
  Fixture f;
  f.Add(Layer(10, 60, 25));
  ASSERT_EQ(f.table->EntryCount(), 3);
  EXPECT_EQ(f.table->Entry(1).int_, 25.0f);
  EXPECT_EQ(f.table->Entry(1).RF2, model::kPebble);
  EXPECT_EQ(f.table->Entry(2).RF1, model::kPebble);
  EXPECT_EQ(f.table->Entry(3).RF1, model::kPebble);
  EXPECT_EQ(f.table->Entry(3).bottom, 10.0f);
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
  const struct {
    LayerRecord layer;
    bool drawn;
    int rows;
  } cases[] = {
      // More sheets than the table could ever hold: refused, no row.
      {Layer(0, big), false, 0},
      {Layer(0, 1e7f), false, 0},
      // On no sheet: one empty row.
      {Layer(-big, big), true, 1},
      {Layer(big, big), true, 1},
      {Layer(-big, -big), true, 1},
      {Layer(0, -1e30f), true, 1},
      // Far down, yet only a few sheets long.
      {Layer(1e9f, 1e9f + 100), true, 6},
  };
  for (const auto& c : cases) {
    Fixture f;
    EXPECT_EQ(AddLayerToDrawing(*f.table, f.usage, c.layer, k1To100), c.drawn)
        << c.layer.top << " " << c.layer.bot;
    EXPECT_EQ(f.table->EntryCount(), c.rows) << c.layer.top << " " << c.layer.bot;
  }
}

TEST(AddLayerToDrawing, UnknownScaleAddsNoRowButRecordsUsage) {
  Fixture f;
  ASSERT_TRUE(AddLayerToDrawing(*f.table, f.usage, Layer(0, 1), 7));
  EXPECT_EQ(f.table->EntryCount(), 0);
  EXPECT_TRUE(f.usage.mud);
}

TEST(AddLayerToDrawing, TableHoldsTheLongestEnteredLayerInEverySlot) {
  // 100 m, the longest layer data entry accepts (at 1/400), placed to touch
  // the most 13 m sheets it can.
  const LayerRecord longest = Layer(12.5f, 112.5f);
  Fixture f;
  for (int i = 0; i < model::LayerTable::kMaxLayers; ++i) f.Add(longest, k1To50);
  EXPECT_EQ(f.table->EntryCount(), DrawTable::kCapacity - 1);
  EXPECT_EQ(f.table->Entry(DrawTable::kCapacity - 1).bottom, 8.5f);
  EXPECT_FALSE(AddLayerToDrawing(*f.table, f.usage, Layer(0, 1), k1To50));
  EXPECT_EQ(f.table->EntryCount(), DrawTable::kCapacity - 1);
}

TEST(RebuildDrawing, CountsTheLayersThereIsNoRoomFor) {
  auto layers = std::make_unique<model::LayerTable>();
  ASSERT_TRUE(layers->Append(Layer(0, 10)));
  ASSERT_TRUE(layers->Append(Layer(10, 1e6f)));  // 76923 sheets of 13 m
  ASSERT_TRUE(layers->Append(Layer(10, 20)));
  Fixture f;
  EXPECT_EQ(RebuildDrawing(*f.table, f.usage, *layers, k1To50), 1);
  EXPECT_EQ(f.table->EntryCount(), 3);
  EXPECT_EQ(RebuildDrawing(*f.table, f.usage, *layers, 3), 1);
  // 1e6 m on 100 m sheets is 9999 rows, still too many.
  EXPECT_EQ(f.table->EntryCount(), 2);
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
