#pragma once
// How the log is shown: the four display switches, depth or elevation
// labels, the scale and the horizontal scroll position. All start from their
// defaults at every start.

#include "model/codes.h"

namespace borvik::render {

struct ViewOptions {
  bool showStructures = true;
  bool showFeatures = true;
  bool showSamples = true;
  bool showLegend = false;
  bool elevationLabels = false;
  int scaleIndex = model::kDefaultScaleIndex;
  int scrollPosition = 0;  // 0..100; the camera moves by a tenth of it

  friend bool operator==(const ViewOptions&, const ViewOptions&) = default;
};

}  // namespace borvik::render
