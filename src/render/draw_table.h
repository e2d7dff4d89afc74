#pragma once
// The drawing rows of the log at the current scale: one row per sheet a
// layer touches. A layer on one sheet has one row, one that crosses a
// boundary two, and a layer longer than that (a thick bed of an imported log,
// or one entered at a coarser scale) one more for every further sheet: the
// sheets between its first and its last are drawn full, without a base line.
// Depths in a row are relative to the top of its sheet.

#include <array>
#include <cstdint>

#include "model/layer_record.h"
#include "model/layer_table.h"
#include "render/legend_usage.h"

namespace borvik::render {

struct DrawEntry {
  float x = 0.0f;  // sheet offset, (k - 1) * 0.7 for sheet k
  float top = 0.0f;
  float bottom = 0.0f;
  float int_ = 0.0f;
  float RF1 = 0.0f;
  float RF2 = 0.0f;
  std::array<float, model::kStructureMarks> DSe{};
  std::array<float, model::kFeatureMarks> DEc{};
  std::array<float, model::kSampleMarks> DSa{};
  std::int32_t Str = 0;
  std::int32_t Bou = 0;  // -1: no base line for this piece
  std::int32_t RFe = 0;
  std::int32_t Wea = 0;
  std::array<std::int32_t, model::kStructureMarks> Se{-1, -1, -1, -1};
  std::array<std::int32_t, model::kFeatureMarks> Ec{-1, -1, -1};
  std::array<std::int32_t, model::kSampleMarks> Sa{};

  friend bool operator==(const DrawEntry&, const DrawEntry&) = default;
};

class DrawTable {
 public:
  // The most sheets a layer the entry rules accept can touch at any scale:
  // 100 m (the limit at 1/400) on 13 m sheets (1/50).
  static constexpr int kMaxSheetsPerEnteredLayer = 9;
  // Entry 0 is never written; 999 such layers fit. A log read from a file
  // can hold longer layers: whatever does not fit is refused, layer by layer.
  static constexpr int kCapacity = 1 + kMaxSheetsPerEnteredLayer * model::LayerTable::kMaxLayers;

  // Every row back to its empty values, both counters 0.
  void Clear();

  // Index of the last row written, 0 when empty.
  int EntryCount() const { return entryCount_; }
  // The highest row the frame draws.
  int LastEntry() const { return lastEntry_; }
  const DrawEntry& Entry(int index) const { return entries_[index]; }

 private:
  friend bool AddLayerToDrawing(DrawTable&, LegendUsage&, const model::LayerRecord&, int);

  std::array<DrawEntry, kCapacity> entries_{};
  int entryCount_ = 0;
  int lastEntry_ = 0;
};

// Records the layer's legend usage, then appends its rows for the scale.
// Returns false, and adds no row, when the table has no room for all of them.
bool AddLayerToDrawing(DrawTable& table, LegendUsage& usage, const model::LayerRecord& layer,
                       int scaleIndex);

// Empties the table and adds every stored layer, slot 1 upwards. Returns the
// number of layers the table had no room for (0 when all are drawn).
int RebuildDrawing(DrawTable& table, LegendUsage& usage, const model::LayerTable& layers,
                   int scaleIndex);

}  // namespace borvik::render
