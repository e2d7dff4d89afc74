#pragma once
// Which legend items the log uses. Flags are only switched on as layers are
// added, and all switched off by the reset of the log: an item that an edit
// took out of every layer stays in the legend until then.

#include <array>

#include "model/layer_record.h"

namespace borvik::render {

struct LegendUsage {
  bool mud = false;
  bool sand = false;
  bool gravel = false;
  bool fineAsh = false;
  bool coarseAsh = false;
  bool lapilli = false;
  bool volcanicBomb = false;
  std::array<bool, 6> bedrock{};  // by catalogue slot 1..6 at index 0..5
  bool clearBase = false;
  bool indistinctBase = false;
  bool erosionalBase = false;
  bool fault = false;
  bool loamy = false;
  bool humic = false;
  bool organic = false;
  bool calcareous = false;
  bool reddened = false;
  bool browned = false;
  bool mottled = false;
  std::array<bool, model::kStructureKinds> structures{};  // kind k at index k-1
  std::array<bool, model::kFeatureKinds> features{};      // kind k at index k-1
  bool samples = false;

  // Switches on the flags of one layer.
  void Update(const model::LayerRecord& layer);
  void Reset() { *this = LegendUsage{}; }

  bool AnyLithology() const;
  bool AnyBase() const { return clearBase || indistinctBase || erosionalBase || fault; }
  bool AnyRockQuality() const { return loamy || humic || organic || calcareous; }
  bool AnyWeathering() const { return reddened || browned || mottled; }
  bool AnyStructure() const;
  bool AnyFeature() const;

  friend bool operator==(const LegendUsage&, const LegendUsage&) = default;
};

}  // namespace borvik::render
