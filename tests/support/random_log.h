#pragma once
// Layers made at random, as odd as a file may hold them: every code, marks
// in and outside their layer, layers longer than sheets.

#include <random>
#include <span>

#include "model/layer_record.h"

namespace borvik::testing {

class Random {
 public:
  explicit Random(unsigned seed) : rng_(seed) {}
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  float Real(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  template <typename T>
  const T& Pick(std::span<const T> items) {
    return items[static_cast<std::size_t>(Int(0, static_cast<int>(items.size()) - 1))];
  }
  double Wide(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
  std::mt19937& Engine() { return rng_; }

 private:
  std::mt19937 rng_;
};

// Every lithology code, and a few no layer form lets through.
inline constexpr float kCodes[] = {0.0f,    0.15f,   0.16f,  0.18f, 0.19f, 0.20f,   0.21f,
                                   0.22f,   0.24f,   0.25f,  0.26f, 0.27f, 0.1799f, 0.2199f,
                                   0.2499f, 0.2699f, 0.29f,  0.31f, 0.32f, 0.33f,   0.34f,
                                   0.35f,   0.36f,   -0.05f, 0.6f,  2.5f};

// A layer from `top` down, for sheets of `sheet` metres.
inline model::LayerRecord RandomLayer(Random& r, float top, float sheet) {
  model::LayerRecord layer;
  layer.top = top;
  const float thickness = r.Chance(0.05)   ? 0.0f
                          : r.Chance(0.3)  ? r.Real(0.05f, 1.0f)
                          : r.Chance(0.85) ? r.Real(0.5f, sheet)
                                           : r.Real(sheet, 3 * sheet);
  layer.bot = top + thickness;
  layer.int_ = r.Chance(0.5) ? top : r.Real(top, layer.bot);
  layer.Str = r.Chance(0.9) ? r.Int(0, 2) : r.Int(-1, 5);
  layer.Bou = r.Int(-1, 5);
  const std::span<const float> codes(kCodes);
  const bool bedrock = r.Chance(0.15);
  layer.RF1 = bedrock ? 0.29f : r.Pick(codes.first(r.Chance(0.95) ? 16 : std::size(kCodes)));
  layer.RF2 = bedrock ? r.Pick(codes.subspan(17, 6)) : r.Pick(codes);
  layer.RFe = r.Int(0, 5);
  layer.Wea = r.Int(0, 4);
  auto depth = [&] {
    return r.Chance(0.2) ? -1.0f : r.Chance(0.9) ? r.Real(top, layer.bot) : r.Real(0, 3 * sheet);
  };
  for (int k = 0; k < 4; ++k) {
    layer.DSe[k] = depth();
    layer.Se[k] = r.Int(-1, 8);
    layer.DSa[k] = depth();
    layer.Sa[k] = r.Int(0, 2);
  }
  for (int k = 0; k < 3; ++k) {
    layer.DEc[k] = depth();
    layer.Ec[k] = r.Int(-1, 10);
  }
  return layer;
}

}  // namespace borvik::testing
