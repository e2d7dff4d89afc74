#include "model/layer_table.h"

namespace borvik::model {
namespace {

// Float column positions inside a slot: top, bot, int, RF1, RF2, DSe1-4,
// DEc1-4, DSa1-4.
constexpr int kTop = 0;
constexpr int kBot = 1;
constexpr int kInt = 2;
constexpr int kRF1 = 3;
constexpr int kRF2 = 4;
constexpr int kDSe = 5;
constexpr int kDEc = kDSe + kStructureMarks;
constexpr int kDSa = kDEc + kFeatureMarks;
static_assert(kDSa + kSampleMarks == LayerTable::kFloatColumns);

}  // namespace

void LayerTable::Clear() {
  floats_ = {};
  Str_ = {};
  Bou_ = {};
  RFe_ = {};
  Wea_ = {};
  for (auto& kinds : Se_) kinds.fill(-1);
  for (auto& kinds : Ec_) kinds.fill(-1);
  Sa_ = {};
  currentLayer_ = 0;
  layerCount_ = 0;
  nextFreeSlot_ = 1;
}

void LayerTable::ClearSlot(int slot) {
  floats_[slot] = {};
  Str_[slot] = Bou_[slot] = RFe_[slot] = Wea_[slot] = 0;
  Se_[slot].fill(-1);
  Ec_[slot].fill(-1);
  Sa_[slot] = {};
}

void LayerTable::CopySlot(int from, int to) {
  floats_[to] = floats_[from];
  Str_[to] = Str_[from];
  Bou_[to] = Bou_[from];
  RFe_[to] = RFe_[from];
  Wea_[to] = Wea_[from];
  Se_[to] = Se_[from];
  Ec_[to] = Ec_[from];
  Sa_[to] = Sa_[from];
}

bool LayerTable::Insert(int slot, const LayerRecord& layer) {
  if (IsFull() || slot < 1 || slot > layerCount_ + 1) return false;
  for (int s = layerCount_; s >= slot; --s) CopySlot(s, s + 1);
  Replace(slot, layer);
  ++layerCount_;
  nextFreeSlot_ = layerCount_ + 1;
  return true;
}

bool LayerTable::Remove(int slot) {
  if (slot < 1 || slot > layerCount_) return false;
  for (int s = slot; s < layerCount_; ++s) CopySlot(s + 1, s);
  ClearSlot(layerCount_);
  --layerCount_;
  nextFreeSlot_ = layerCount_ + 1;
  return true;
}

bool LayerTable::Append(const LayerRecord& layer) {
  const int slot = nextFreeSlot_;
  if (!Replace(slot, layer)) return false;
  currentLayer_ = slot;
  layerCount_ = slot;
  nextFreeSlot_ = slot + 1;
  return true;
}

bool LayerTable::Replace(int slot, const LayerRecord& layer) {
  if (slot < 1 || slot > kMaxLayers) return false;
  auto& f = floats_[slot];
  f[kTop] = layer.top;
  f[kBot] = layer.bot;
  f[kInt] = layer.int_;
  f[kRF1] = layer.RF1;
  f[kRF2] = layer.RF2;
  for (int i = 0; i < kStructureMarks; ++i) f[kDSe + i] = layer.DSe[i];
  for (int i = 0; i < kFeatureMarks; ++i) f[kDEc + i] = layer.DEc[i];
  for (int i = 0; i < kSampleMarks; ++i) f[kDSa + i] = layer.DSa[i];
  Str_[slot] = layer.Str;
  Bou_[slot] = layer.Bou;
  RFe_[slot] = layer.RFe;
  Wea_[slot] = layer.Wea;
  Se_[slot] = layer.Se;
  Ec_[slot] = layer.Ec;
  Sa_[slot] = layer.Sa;
  return true;
}

LayerRecord LayerTable::Get(int slot) const {
  if (slot < 0 || slot >= kSlots) return {};
  const auto& f = floats_[slot];
  LayerRecord layer;
  layer.top = f[kTop];
  layer.bot = f[kBot];
  layer.int_ = f[kInt];
  layer.RF1 = f[kRF1];
  layer.RF2 = f[kRF2];
  for (int i = 0; i < kStructureMarks; ++i) layer.DSe[i] = f[kDSe + i];
  for (int i = 0; i < kFeatureMarks; ++i) layer.DEc[i] = f[kDEc + i];
  for (int i = 0; i < kSampleMarks; ++i) layer.DSa[i] = f[kDSa + i];
  layer.Str = Str_[slot];
  layer.Bou = Bou_[slot];
  layer.RFe = RFe_[slot];
  layer.Wea = Wea_[slot];
  layer.Se = Se_[slot];
  layer.Ec = Ec_[slot];
  layer.Sa = Sa_[slot];
  return layer;
}

}  // namespace borvik::model
