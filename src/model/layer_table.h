#pragma once
// The layers of the log being edited: 1000 fixed slots, laid out column-wise.
// Slot 0 is never a layer; a log of n layers occupies slots 1..n in the order
// they were entered.

#include <array>
#include <cstdint>

#include "model/layer_record.h"

namespace borvik::model {

class LayerTable {
 public:
  static constexpr int kSlots = 1000;
  static constexpr int kMaxLayers = kSlots - 1;
  // Order of the sixteen float columns of a slot.
  static constexpr int kFloatColumns = 16;

  // Every value 0 except the structure and feature kinds, which become -1;
  // counters of an empty log.
  void Clear();

  // Stores the layer in the next free slot and moves the counters on. Refuses
  // (returns false, changes nothing) when all 999 layer slots are taken.
  bool Append(const LayerRecord& layer);

  // Replaces the layer in a slot from 1 to 999; counters unchanged. Refuses
  // any other slot.
  bool Replace(int slot, const LayerRecord& layer);

  // Stores the layer before the one in `slot` (1 to the layer count + 1):
  // the layers from that slot on move down one slot. The layer count and the
  // next free slot grow by one; the current layer number stays. Refuses
  // (returns false, changes nothing) a full table or any other slot.
  bool Insert(int slot, const LayerRecord& layer);

  // Takes out the layer in a slot from 1 to the layer count: the layers after
  // it move up one slot and the freed last slot holds the values of Clear.
  // The layer count and the next free slot shrink by one; the current layer
  // number stays. Refuses any other slot.
  bool Remove(int slot);

  // The layer in a slot; an all-default record for a slot outside the table.
  LayerRecord Get(int slot) const;

  bool IsFull() const { return layerCount_ >= kMaxLayers; }
  int CurrentLayer() const { return currentLayer_; }
  int LayerCount() const { return layerCount_; }
  int NextFreeSlot() const { return nextFreeSlot_; }

  void SetCurrentLayer(int slot) { currentLayer_ = slot; }

  friend bool operator==(const LayerTable&, const LayerTable&) = default;

 private:
  // Slot `from` copied into slot `to`, every column.
  void CopySlot(int from, int to);
  // One slot to the values Clear gives it.
  void ClearSlot(int slot);

  std::array<std::array<float, kFloatColumns>, kSlots> floats_{};
  std::array<std::int32_t, kSlots> Str_{};
  std::array<std::int32_t, kSlots> Bou_{};
  std::array<std::int32_t, kSlots> RFe_{};
  std::array<std::int32_t, kSlots> Wea_{};
  std::array<std::array<std::int32_t, kStructureMarks>, kSlots> Se_{};
  std::array<std::array<std::int32_t, kFeatureMarks>, kSlots> Ec_{};
  std::array<std::array<std::int32_t, kSampleMarks>, kSlots> Sa_{};
  int currentLayer_ = 0;
  int layerCount_ = 0;
  int nextFreeSlot_ = 1;
};

}  // namespace borvik::model
