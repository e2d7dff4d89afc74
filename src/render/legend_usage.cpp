#include "render/legend_usage.h"

#include <algorithm>

namespace borvik::render {
namespace {

bool AnyOf(const auto& flags) {
  return std::any_of(flags.begin(), flags.end(), [](bool on) { return on; });
}

}  // namespace

void LegendUsage::Update(const model::LayerRecord& layer) {
  using namespace model;
  for (const LithologyCode code : {layer.RF1, layer.RF2}) {
    if (code == kClay || code == kSilt) mud = true;
    if (code == kVeryFineSand || code == kFineSand || code == kMediumSand || code == kCoarseSand ||
        code == kVeryCoarseSand) {
      sand = true;
    }
    if (code == kGranule || code == kPebble || code == kCobble || code == kBoulder) gravel = true;
    if (code == kFineAsh) fineAsh = true;
    if (code == kCoarseAsh) coarseAsh = true;
    if (code == kLapilli) lapilli = true;
    if (code == kVolcanicBomb) volcanicBomb = true;
    if (const auto slot = BedrockSlotForCode(code)) bedrock[*slot - 1] = true;
  }
  switch (layer.Bou) {
    case kBaseSharp: clearBase = true; break;
    case kBaseIndistinct: indistinctBase = true; break;
    case kBaseErosional: erosionalBase = true; break;
    case kBaseFault: fault = true; break;
    default: break;
  }
  switch (layer.RFe) {
    case kQualityLoamy: loamy = true; break;
    case kQualityHumic: humic = true; break;
    case kQualityOrganic: organic = true; break;
    case kQualityCalcareous: calcareous = true; break;
    default: break;
  }
  switch (layer.Wea) {
    case kReddened: reddened = true; break;
    case kBrowned: browned = true; break;
    case kMottled: mottled = true; break;
    default: break;
  }
  for (const std::int32_t kind : layer.Se) {
    if (kind >= 1 && kind <= kStructureKinds) structures[kind - 1] = true;
  }
  for (const std::int32_t kind : layer.Ec) {
    if (kind >= 1 && kind <= kFeatureKinds) features[kind - 1] = true;
  }
  for (const std::int32_t taken : layer.Sa) {
    if (taken == 1) samples = true;
  }
}

bool LegendUsage::AnyLithology() const {
  return mud || sand || gravel || fineAsh || coarseAsh || lapilli || volcanicBomb || AnyOf(bedrock);
}
bool LegendUsage::AnyStructure() const { return AnyOf(structures); }
bool LegendUsage::AnyFeature() const { return AnyOf(features); }

}  // namespace borvik::render
