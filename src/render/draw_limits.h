#pragma once
// Bounds for the drawing loops. Values read from files can be far beyond
// anything visible (the picture shows about 2.9 world units each way), and a
// float counter stepping by 0.02 stops moving past a few hundred thousand;
// every loop that steps through a length stops after this many steps.

namespace borvik::render {

inline constexpr int kMaxDrawSteps = 10000;

}  // namespace borvik::render
