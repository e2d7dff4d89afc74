#include "render/draw_table.h"

#include <cmath>
#include <cstdint>

#include "render/draw_limits.h"

namespace borvik::render {
namespace {

using model::LayerRecord;

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

// The sheet j >= 1 with (j - 1) L < bottom <= j L, or 0 when there is none:
// a bottom on a boundary ends the sheet above it.
std::int64_t LastSheetOf(float bottom, int sheetLength) {
  const std::int64_t k = SheetOf(bottom, sheetLength);
  if (k > 1 && static_cast<double>((k - 1) * sheetLength) == static_cast<double>(bottom)) {
    return k - 1;
  }
  return k;
}

float SheetTop(std::int64_t k, int sheetLength) {
  return static_cast<float>(static_cast<double>((k - 1) * sheetLength));
}

// Each mark goes to the piece on whose sheet it lies; the first piece also
// takes the marks above it (a mark without a depth, -1, among them) and the
// last those below. Every piece carries every depth relative to its sheet.
template <std::size_t N>
void SplitMarks(const std::array<float, N>& depth, const std::array<std::int32_t, N>& code,
                std::int64_t sheet, std::int64_t first, std::int64_t last, int sheetLength, float m,
                std::array<float, N>& pieceDepth, std::array<std::int32_t, N>& pieceCode) {
  for (std::size_t i = 0; i < N; ++i) {
    const float d = depth[i];
    const bool above = sheet > first && !(d > m);
    const bool below = sheet < last && d > SheetTop(sheet + 1, sheetLength);
    pieceDepth[i] = d - m;
    pieceCode[i] = above || below ? -1 : code[i];
  }
}

// The piece of a layer that lies on sheet `sheet`, one of the sheets `first`
// to `last` (first < last) it touches. Above the lithology change a piece
// is all upper lithology, below it all lower, and the piece that holds the
// change keeps both with the change at its depth.
DrawEntry Piece(const LayerRecord& layer, std::int64_t sheet, std::int64_t first, std::int64_t last,
                int sheetLength) {
  const float m = SheetTop(sheet, sheetLength);
  const float b = SheetTop(sheet + 1, sheetLength);
  const float length = static_cast<float>(sheetLength);
  DrawEntry e;
  e.x = SheetX(sheet);
  e.top = sheet == first ? layer.top - m : 0.0f;
  e.bottom = sheet == last ? layer.bot - m : length;
  CopyCodes(e, layer);
  if (sheet != last) e.Bou = -1;
  if (sheet != first && layer.int_ <= m) {
    e.int_ = 0.0f;
    e.RF1 = layer.RF2;
    e.RF2 = layer.RF2;
  } else if (sheet == last || layer.int_ <= b) {
    e.int_ = layer.int_ - m;
    e.RF1 = layer.RF1;
    e.RF2 = layer.RF2;
  } else {
    e.int_ = length;
    e.RF1 = layer.RF1;
    e.RF2 = layer.RF1;
  }
  // Bedrock has one lithology in two codes, the column width and the rock
  // type: every piece keeps both, or a continuation would be drawn at the
  // type code's width.
  if (layer.RF1 == model::kBedrockWidth) {
    e.RF1 = layer.RF1;
    e.RF2 = layer.RF2;
  }
  SplitMarks(layer.DSe, layer.Se, sheet, first, last, sheetLength, m, e.DSe, e.Se);
  SplitMarks(layer.DEc, layer.Ec, sheet, first, last, sheetLength, m, e.DEc, e.Ec);
  SplitMarks(layer.DSa, layer.Sa, sheet, first, last, sheetLength, m, e.DSa, e.Sa);
  return e;
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

  const int length = model::kScales[scaleIndex].sheetLength;
  const std::int64_t sheets = TruncatedMetres(layer.bot) / length + 1;
  // Only the sheet that holds the top writes rows, one for each sheet from
  // there to the one that holds the bottom.
  const std::int64_t first = sheets < 1 ? 0 : SheetOf(layer.top, length);
  const bool placed = first >= 1 && first <= sheets;
  std::int64_t last = first;
  if (placed && layer.bot > SheetTop(first + 1, length)) {
    last = LastSheetOf(layer.bot, length);
    if (last <= first) return false;  // beyond any sheet the table could hold
  }
  // A layer on no sheet still takes a row.
  const std::int64_t rows = placed ? last - first + 1 : 1;
  if (table.entryCount_ + rows >= DrawTable::kCapacity) return false;

  int c = ++table.entryCount_;
  if (sheets < 1) return true;
  // Every sheet the layer reaches moves lastEntry on.
  table.lastEntry_ = c;
  if (!placed) return true;
  if (first == last) {
    FillWhole(table.entries_[c], layer, first, SheetTop(first, length));
    return true;
  }
  for (std::int64_t sheet = first; sheet <= last; ++sheet) {
    if (sheet > first) c = ++table.entryCount_;
    table.entries_[c] = Piece(layer, sheet, first, last, length);
  }
  table.lastEntry_ = c;
  return true;
}

int RebuildDrawing(DrawTable& table, LegendUsage& usage, const model::LayerTable& layers,
                   int scaleIndex) {
  table.Clear();
  int refused = 0;
  for (int slot = 1; slot <= layers.LayerCount(); ++slot) {
    if (!AddLayerToDrawing(table, usage, layers.Get(slot), scaleIndex)) ++refused;
  }
  return refused;
}

}  // namespace borvik::render
