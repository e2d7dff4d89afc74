#include "model/layer_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/document.h"

namespace borvik::model {
namespace {

LayerRecord Layer(float top, float bot) {
  LayerRecord layer;
  layer.top = top;
  layer.bot = bot;
  layer.int_ = top;
  layer.RF1 = layer.RF2 = kFineSand;
  return layer;
}

TEST(LayerTable, EmptyLogPutsItsFirstLayerIntoSlotOne) {
  auto table = std::make_unique<LayerTable>();
  EXPECT_EQ(table->CurrentLayer(), 0);
  EXPECT_EQ(table->LayerCount(), 0);
  EXPECT_EQ(table->NextFreeSlot(), 1);
  ASSERT_TRUE(table->Append(Layer(0, 2)));
  EXPECT_EQ(table->Get(1), Layer(0, 2));
  // Slot 0 is never a layer.
  EXPECT_EQ(table->Get(0).bot, 0.0f);
  EXPECT_EQ(table->Get(0).RF1, 0.0f);
}

TEST(LayerTable, CountersFollowAppends) {
  auto table = std::make_unique<LayerTable>();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(table->Append(Layer(i * 2.0f, i * 2.0f + 2)));
  EXPECT_EQ(table->CurrentLayer(), 3);
  EXPECT_EQ(table->LayerCount(), 3);
  EXPECT_EQ(table->NextFreeSlot(), 4);
}

TEST(LayerTable, ReplaceChangesOnlyItsSlot) {
  auto table = std::make_unique<LayerTable>();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(table->Append(Layer(i * 2.0f, i * 2.0f + 2)));
  LayerRecord edited = Layer(2, 3.5f);
  edited.Se = {3, 0, 0, 0};
  edited.DSe[0] = 2.5f;
  ASSERT_TRUE(table->Replace(2, edited));
  EXPECT_EQ(table->Get(1), Layer(0, 2));
  EXPECT_EQ(table->Get(2), edited);
  EXPECT_EQ(table->Get(3), Layer(4, 6));
  EXPECT_EQ(table->LayerCount(), 3);
  EXPECT_EQ(table->NextFreeSlot(), 4);
}

TEST(LayerTable, KeepsEveryFieldOfALayer) {
  LayerRecord layer;
  layer.top = 1.25f;
  layer.bot = 3.5f;
  layer.int_ = 2.0f;
  layer.Str = kInverseGraded;
  layer.Bou = kBaseFault;
  layer.RF1 = kCobble;
  layer.RF2 = kClay;
  layer.RFe = kQualityCalcareous;
  layer.Wea = kMottled;
  layer.DSe = {1.5f, 2.5f, 3.0f, 3.25f};
  layer.Se = {1, 2, 3, 7};
  layer.DEc = {1.3f, 1.4f, 1.6f};
  layer.Ec = {9, 8, 1};
  layer.DSa = {1.7f, 1.8f, 1.9f, 2.1f};
  layer.Sa = {1, 1, 0, 1};
  auto table = std::make_unique<LayerTable>();
  ASSERT_TRUE(table->Append(layer));
  EXPECT_EQ(table->Get(1), layer);
}

TEST(LayerTable, RefusesTheThousandthLayerAndWritesNothing) {
  auto table = std::make_unique<LayerTable>();
  for (int i = 0; i < LayerTable::kMaxLayers; ++i) ASSERT_TRUE(table->Append(Layer(i, i + 1.0f)));
  EXPECT_TRUE(table->IsFull());
  const auto before = std::make_unique<LayerTable>(*table);
  EXPECT_FALSE(table->Append(Layer(999, 1000)));
  EXPECT_TRUE(*table == *before);
  EXPECT_EQ(table->LayerCount(), 999);
}

TEST(LayerTable, RefusesSlotsOutsideTheTable) {
  auto table = std::make_unique<LayerTable>();
  for (const int slot : {-1, 0, 1000, 5000}) EXPECT_FALSE(table->Replace(slot, Layer(0, 1))) << slot;
  EXPECT_EQ(table->Get(-3), LayerRecord{});
  EXPECT_EQ(table->Get(1000), LayerRecord{});
  for (int i = 0; i < LayerTable::kMaxLayers; ++i) ASSERT_TRUE(table->Append(Layer(i, i + 1.0f)));
  EXPECT_FALSE(table->Append(Layer(0, 1)));
}

TEST(LayerTable, ClearEmptiesValuesAndSetsKindsToMinusOne) {
  auto table = std::make_unique<LayerTable>();
  LayerRecord layer = Layer(0, 2);
  layer.Se = {2, 0, 0, 0};
  ASSERT_TRUE(table->Append(layer));
  table->Clear();
  EXPECT_EQ(table->LayerCount(), 0);
  EXPECT_EQ(table->CurrentLayer(), 0);
  EXPECT_EQ(table->NextFreeSlot(), 1);
  const LayerRecord cleared = table->Get(1);
  EXPECT_EQ(cleared.top, 0.0f);
  EXPECT_EQ(cleared.RF1, 0.0f);
  EXPECT_EQ(cleared.DSe[0], 0.0f);
  EXPECT_EQ(cleared.Se, (std::array<std::int32_t, 4>{-1, -1, -1, -1}));
  EXPECT_EQ(cleared.Ec, (std::array<std::int32_t, 3>{-1, -1, -1}));
  EXPECT_EQ(cleared.Sa, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
}

// Layers 1..n of a table by their tops, and the three counters.
struct Shape {
  std::vector<float> tops;
  int current;
  int count;
  int nextFree;
  friend bool operator==(const Shape&, const Shape&) = default;
};
Shape ShapeOf(const LayerTable& table) {
  Shape shape{{}, table.CurrentLayer(), table.LayerCount(), table.NextFreeSlot()};
  for (int slot = 1; slot <= table.LayerCount(); ++slot) shape.tops.push_back(table.Get(slot).top);
  return shape;
}

TEST(LayerTable, InsertMovesTheLaterLayersDown) {
  const struct {
    int slot;
    std::vector<float> tops;
  } cases[] = {
      {1, {9, 0, 2, 4}},
      {2, {0, 9, 2, 4}},
      {3, {0, 2, 9, 4}},
      {4, {0, 2, 4, 9}},  // after the last: an append that leaves the current layer
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slot);
    auto table = std::make_unique<LayerTable>();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(table->Append(Layer(i * 2.0f, i * 2.0f + 2)));
    table->SetCurrentLayer(2);
    ASSERT_TRUE(table->Insert(c.slot, Layer(9, 10)));
    EXPECT_EQ(ShapeOf(*table), (Shape{c.tops, 2, 4, 5}));
    EXPECT_EQ(table->Get(c.slot), Layer(9, 10));
  }
}

TEST(LayerTable, RemoveMovesTheLaterLayersUpAndEmptiesTheLastSlot) {
  const struct {
    int slot;
    std::vector<float> tops;
  } cases[] = {{1, {2, 4}}, {2, {0, 4}}, {3, {0, 2}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slot);
    auto table = std::make_unique<LayerTable>();
    LayerRecord marked = Layer(4, 6);
    marked.Se = {2, 0, 0, 0};
    marked.Sa = {1, 0, 0, 0};
    ASSERT_TRUE(table->Append(Layer(0, 2)));
    ASSERT_TRUE(table->Append(Layer(2, 4)));
    ASSERT_TRUE(table->Append(marked));
    ASSERT_TRUE(table->Remove(c.slot));
    EXPECT_EQ(ShapeOf(*table), (Shape{c.tops, 3, 2, 3}));
    // The freed slot is as a cleared table has it, so that the same log
    // compares equal however it was reached.
    auto cleared = std::make_unique<LayerTable>();
    cleared->Clear();
    EXPECT_EQ(table->Get(3), cleared->Get(3));
  }
}

TEST(LayerTable, InsertAndRemoveRefuseWhatTheTableCannotDo) {
  auto table = std::make_unique<LayerTable>();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(table->Append(Layer(i * 2.0f, i * 2.0f + 2)));
  const auto before = std::make_unique<LayerTable>(*table);
  for (const int slot : {-1, 0, 5}) EXPECT_FALSE(table->Insert(slot, Layer(9, 10))) << slot;
  for (const int slot : {-1, 0, 4, 999}) EXPECT_FALSE(table->Remove(slot)) << slot;
  EXPECT_TRUE(*table == *before);

  auto full = std::make_unique<LayerTable>();
  for (int i = 0; i < LayerTable::kMaxLayers; ++i) ASSERT_TRUE(full->Append(Layer(i, i + 1.0f)));
  const auto fullBefore = std::make_unique<LayerTable>(*full);
  EXPECT_FALSE(full->Insert(500, Layer(9, 10)));
  EXPECT_TRUE(*full == *fullBefore);
  // The last slot can be taken out and put back.
  ASSERT_TRUE(full->Remove(LayerTable::kMaxLayers));
  ASSERT_TRUE(full->Insert(1, Layer(-1, 0)));
  EXPECT_EQ(full->LayerCount(), LayerTable::kMaxLayers);
  EXPECT_EQ(full->Get(2).top, 0.0f);
  EXPECT_EQ(full->Get(LayerTable::kMaxLayers).top, 997.0f);
}

TEST(Document, ClearReturnsToAnEmptyLog) {
  auto doc = std::make_unique<Document>();
  doc->header = {"B-1", 12.5f};
  doc->form = Layer(3, 4);
  ASSERT_TRUE(doc->layers.Append(doc->form));
  doc->Clear();
  EXPECT_EQ(doc->header, LogHeader{});
  EXPECT_EQ(doc->layers.LayerCount(), 0);
  EXPECT_EQ(doc->form, LayerForm{});
}

}  // namespace
}  // namespace borvik::model
