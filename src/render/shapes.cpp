#include "render/shapes.h"

#include <cmath>

#include "render/draw_limits.h"

namespace borvik::render {

std::array<TexPoint, 4> UprightImageQuad(float left, float bottom, float right, float top) {
  return {{{left, bottom, kArrayTexCoords[0].x, kArrayTexCoords[0].y},
           {right, bottom, kArrayTexCoords[1].x, kArrayTexCoords[1].y},
           {right, top, kArrayTexCoords[2].x, kArrayTexCoords[2].y},
           {left, top, kArrayTexCoords[3].x, kArrayTexCoords[3].y}}};
}

std::vector<Point> ErosionalWave(float x, float y, float length, float amplitude) {
  std::vector<Point> wave;
  float t = 0.0f;
  for (int i = 0; t <= length && i < kMaxDrawSteps; ++i, t += 0.0095f) {
    wave.push_back({x + t, y + amplitude * std::sin(500 * t)});
  }
  return wave;
}

}  // namespace borvik::render
