#include "render/axis.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "render/draw_limits.h"

namespace borvik::render {
namespace {

constexpr float kTickLength = 0.02f;
constexpr float kLabelX = -0.12f;  // from x0
constexpr float kLabelDrop = 0.02f;

void DrawLabel(Canvas& canvas, float x, float y, long long value) {
  char text[32];
  std::snprintf(text, sizeof text, "%4lld", value);
  canvas.Text(x, y, text);
}

bool MultipleOfFive(long long value) { return value % 5 == 0; }

}  // namespace

long long SheetIndex(float x) {
  // Sheet offsets are multiples of 0.7 rounded to float; rounding, not
  // truncating, finds the sheet again.
  const double k = std::nearbyint(static_cast<double>(x) / 0.7);
  return std::isfinite(k) ? static_cast<long long>(std::fmax(0.0, std::fmin(k, 1e15))) : 0;
}

AxisLayout LayOutDepthAxis(const DrawEntry& entry, const EntryValues& v, const ViewOptions& view,
                           float elevation) {
  AxisLayout layout;
  layout.labelX = v.x0 + kLabelX;
  // The frame hands over the scale it draws at; a caller without one gets
  // 1/100.
  const int scaleIndex = model::ScaleIndexOr(view.scaleIndex, model::kDefaultScaleIndex);
  const long long sheetTop = SheetIndex(entry.x) * model::kScales[scaleIndex].sheetLength;
  const double bound = 0.975621 * entry.bottom + 0.9;
  if (!(bound >= 0)) return layout;
  const long long lastLabel = TruncatedMetres(entry.bottom);
  const bool coarse = scaleIndex == 3;
  const bool fives = scaleIndex >= 2;
  const float x0 = v.x0;
  std::vector<Point>& ticks = layout.ticks;
  std::vector<AxisLabel>& labels = layout.labels;
  auto tick = [&](float y) {
    ticks.push_back({x0, y});
    ticks.push_back({x0 - kTickLength, y});
  };
  long long counter = sheetTop;
  if (!view.elevationLabels) {
    const int step = coarse ? 5 : 1;
    for (int w = 0, i = 0; w <= bound && i < kMaxDrawSteps; w += step, ++i) {
      const float d = DepthToWorld(v.scale, static_cast<float>(w));
      tick(1.2f - d);
      if (!fives) {
        labels.push_back({1.2f - d - kLabelDrop, counter});
        counter += 1;
      } else if (counter - sheetTop <= lastLabel) {
        // Labels every 5 m: at 1/200 the k-th tick's label stands at 5k m.
        labels.push_back({coarse ? 1.18f - d : 1.18f - 5 * d, counter});
        counter += 5;
      }
    }
  } else {
    // Whole metres of the collar, kept where the label arithmetic is exact.
    const double whole = std::isfinite(elevation)
                             ? std::trunc(std::fmax(-1e15, std::fmin(1e15, double{elevation})))
                             : 0.0;
    const long long top = static_cast<long long>(whole);
    const float fraction = DepthToWorld(v.scale, static_cast<float>(elevation - whole));
    for (int w = 0, i = 0; w <= bound && i < kMaxDrawSteps; ++w, ++i) {
      const float d = DepthToWorld(v.scale, static_cast<float>(w));
      const float y = 1.2f - fraction - d;
      if (!fives) {
        tick(y);
        labels.push_back({y - kLabelDrop, top - counter});
        counter += 1;
        continue;
      }
      if (!coarse) tick(y);
      if (counter - sheetTop <= lastLabel) {
        if (MultipleOfFive(top - counter)) {
          if (coarse) tick(y);
          labels.push_back({y - kLabelDrop, top - counter});
        }
        counter += 1;
      }
    }
  }
  return layout;
}

void DrawDepthAxis(Canvas& canvas, const DrawEntry& entry, const EntryValues& v,
                   const ViewOptions& view, float elevation) {
  const AxisLayout layout = LayOutDepthAxis(entry, v, view, elevation);
  canvas.SetColor(0, 0, 0);
  if (!layout.ticks.empty()) canvas.Lines(layout.ticks);
  for (const AxisLabel& label : layout.labels) DrawLabel(canvas, layout.labelX, label.y, label.value);
}

void DrawCaptions(Canvas& canvas, const EntryValues& v, const ViewOptions& view,
                  const model::LogHeader& header) {
  DrawLogName(canvas, header);
  DrawSheetCaptions(canvas, v, view);
}

void DrawLogName(Canvas& canvas, const model::LogHeader& header) {
  canvas.SetColor(0, 0, 0);
  canvas.Text(-1.35f, 1.35f, header.name.c_str());
}

void DrawSheetCaptions(Canvas& canvas, const EntryValues& v, const ViewOptions& view) {
  canvas.SetColor(0, 0, 0);
  canvas.Text(v.x0 + 0.12f, 1.28f, "M");
  canvas.Text(v.x0 + 0.19f, 1.28f, "S");
  canvas.Text(v.x0 + 0.24f, 1.28f, "G");
  canvas.Text(v.x0 + 0.29f, 1.28f, "R");
  canvas.Text(v.x0 + kLabelX, 1.24f, view.elevationLabels ? "EL.(m)" : "Dep.(m)");
}

}  // namespace borvik::render
