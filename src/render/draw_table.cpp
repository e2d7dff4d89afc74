#include "render/draw_table.h"

#include <cmath>
#include <cstdint>

namespace borvik::render {
namespace {

using model::LayerRecord;

// Whole metres of a depth as C truncation gives them, held inside a range
// where the sheet arithmetic below cannot overflow.
std::int64_t TruncatedMetres(float depth) {
  constexpr double kLimit = 1e15;
  if (std::isnan(depth)) return 0;
  const double clamped = std::fmax(-kLimit, std::fmin(kLimit, static_cast<double>(depth)));
  return static_cast<std::int64_t>(std::trunc(clamped));
}

// The sheet k >= 1 with (k - 1) L <= top < k L, or 0 when there is none.
std::int64_t SheetOf(float top, int sheetLength) {
  const double t = top;
  if (!(t >= 0.0) || t >= 1e15) return 0;
  std::int64_t k = static_cast<std::int64_t>(std::floor(t / sheetLength)) + 1;
  // Correct a rounding of the division at a boundary.
  if (static_cast<double>((k - 1) * sheetLength) > t) --k;
  if (static_cast<double>(k * sheetLength) <= t) ++k;
  return k;
}

float SheetX(std::int64_t k) { return static_cast<float>(static_cast<double>(k - 1) * 0.7); }

void CopyCodes(DrawEntry& e, const LayerRecord& layer) {
  e.Str = layer.Str;
  e.Bou = layer.Bou;
  e.RFe = layer.RFe;
  e.Wea = layer.Wea;
}

// The whole layer on one sheet whose top lies at depth m.
void FillWhole(DrawEntry& e, const LayerRecord& layer, std::int64_t k, float m) {
  e.x = SheetX(k);
  e.top = layer.top - m;
  e.bottom = layer.bot - m;
  e.int_ = layer.int_ - m;
  e.RF1 = layer.RF1;
  e.RF2 = layer.RF2;
  CopyCodes(e, layer);
  for (int i = 0; i < model::kStructureMarks; ++i) {
    e.DSe[i] = layer.DSe[i] - m;
    e.Se[i] = layer.Se[i];
  }
  for (int i = 0; i < model::kFeatureMarks; ++i) {
    e.DEc[i] = layer.DEc[i] - m;
    e.Ec[i] = layer.Ec[i];
  }
  for (int i = 0; i < model::kSampleMarks; ++i) {
    e.DSa[i] = layer.DSa[i] - m;
    e.Sa[i] = layer.Sa[i];
  }
}

// A mark belongs to the upper piece unless it lies below the boundary b; one
// without a depth (-1) therefore stays above.
template <std::size_t N>
void SplitMarks(const std::array<float, N>& depth, const std::array<std::int32_t, N>& code,
                float m, float b, std::array<float, N>& upperDepth,
                std::array<std::int32_t, N>& upperCode, std::array<float, N>& lowerDepth,
                std::array<std::int32_t, N>& lowerCode) {
  for (std::size_t i = 0; i < N; ++i) {
    const bool below = depth[i] > b;
    upperDepth[i] = depth[i] - m;
    upperCode[i] = below ? -1 : code[i];
    lowerDepth[i] = depth[i] - b;
    lowerCode[i] = below ? code[i] : -1;
  }
}

void SplitAllMarks(const LayerRecord& layer, float m, float b, DrawEntry& upper,
                   DrawEntry& lower) {
  SplitMarks(layer.DSe, layer.Se, m, b, upper.DSe, upper.Se, lower.DSe, lower.Se);
  SplitMarks(layer.DEc, layer.Ec, m, b, upper.DEc, upper.Ec, lower.DEc, lower.Ec);
  SplitMarks(layer.DSa, layer.Sa, m, b, upper.DSa, upper.Sa, lower.DSa, lower.Sa);
}

}  // namespace

void DrawTable::Clear() {
  entries_.fill(DrawEntry{});
  entryCount_ = 0;
  lastEntry_ = 0;
}

bool AddLayerToDrawing(DrawTable& table, LegendUsage& usage, const LayerRecord& layer,
                       int scaleIndex) {
  usage.Update(layer);
  if (!model::IsValidScaleIndex(scaleIndex)) return true;
  if (table.entryCount_ + 2 >= DrawTable::kCapacity) return false;

  const int length = model::kScales[scaleIndex].sheetLength;
  int c = ++table.entryCount_;
  const std::int64_t sheets = TruncatedMetres(layer.bot) / length + 1;
  if (sheets < 1) return true;
  // Every sheet the layer reaches moves lastEntry on; only the sheet that
  // holds its top writes rows.
  table.lastEntry_ = c;
  const std::int64_t k = SheetOf(layer.top, length);
  if (k < 1 || k > sheets) return true;

  const float m = static_cast<float>(static_cast<double>((k - 1) * length));
  const float b = static_cast<float>(static_cast<double>(k * length));
  const float sheetLength = static_cast<float>(length);
  DrawEntry& upper = table.entries_[c];
  if (layer.bot <= b) {
    FillWhole(upper, layer, k, m);
    return true;
  }

  DrawEntry lower;
  upper.x = SheetX(k);
  upper.top = layer.top - m;
  upper.bottom = sheetLength;
  CopyCodes(upper, layer);
  upper.Bou = -1;
  lower.x = SheetX(k + 1);
  lower.top = 0.0f;
  lower.bottom = layer.bot - b;
  CopyCodes(lower, layer);
  if (layer.int_ <= b) {
    // The boundary lies below the lithology change: the continuation is all
    // lower lithology.
    upper.int_ = layer.int_ - m;
    upper.RF1 = layer.RF1;
    upper.RF2 = layer.RF2;
    lower.int_ = 0.0f;
    lower.RF1 = layer.RF2;
    lower.RF2 = layer.RF2;
  } else {
    upper.int_ = sheetLength;
    upper.RF1 = layer.RF1;
    upper.RF2 = layer.RF1;
    lower.int_ = layer.int_ - b;
    lower.RF1 = layer.RF1;
    lower.RF2 = layer.RF2;
  }
  SplitAllMarks(layer, m, b, upper, lower);
  c = ++table.entryCount_;
  table.entries_[c] = lower;
  table.lastEntry_ = c;
  return true;
}

void RebuildDrawing(DrawTable& table, LegendUsage& usage, const model::LayerTable& layers,
                    int scaleIndex) {
  table.Clear();
  for (int slot = 1; slot <= layers.LayerCount(); ++slot) {
    AddLayerToDrawing(table, usage, layers.Get(slot), scaleIndex);
  }
}

}  // namespace borvik::render
