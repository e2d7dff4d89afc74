#pragma once
// One layer, as stored and as composed in the form.

#include <array>
#include <cstdint>

#include "model/codes.h"

namespace borvik::model {

struct LayerRecord {
  float top = 0.0f;
  float bot = 0.0f;
  float int_ = 0.0f;  // depth of the lithology change; equals top without one
  std::int32_t Str = kNoChange;
  std::int32_t Bou = kBaseSharp;
  LithologyCode RF1 = kNoLithology;
  LithologyCode RF2 = kNoLithology;
  std::int32_t RFe = kQualityNone;
  std::int32_t Wea = kNotWeathered;
  std::array<float, kStructureMarks> DSe{kNoMarkDepth, kNoMarkDepth, kNoMarkDepth, kNoMarkDepth};
  std::array<std::int32_t, kStructureMarks> Se{};
  std::array<float, kFeatureMarks> DEc{kNoMarkDepth, kNoMarkDepth, kNoMarkDepth};
  std::array<std::int32_t, kFeatureMarks> Ec{};
  std::array<float, kSampleMarks> DSa{kNoMarkDepth, kNoMarkDepth, kNoMarkDepth, kNoMarkDepth};
  std::array<std::int32_t, kSampleMarks> Sa{};

  friend bool operator==(const LayerRecord&, const LayerRecord&) = default;
};

// The current-layer values: the layer being composed or edited.
using LayerForm = LayerRecord;

}  // namespace borvik::model
