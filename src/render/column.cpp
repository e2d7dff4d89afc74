#include "render/column.h"

#include <cmath>
#include <vector>

#include "model/codes.h"
#include "render/draw_limits.h"
#include "render/shapes.h"
#include "render/texture_files.h"

namespace borvik::render {
namespace {

using namespace model;

constexpr float kStrip = 0.1f;         // pattern strip width and tile size
constexpr float kTileOrigin = 1.195f;  // tiles lie 0.005 below the outline heights

bool IsTwoLithology(std::int32_t str) { return str == kGraded || str == kInverseGraded; }

// trunc(length x 10 + 0.9) tiles, none for a negative count, at most the
// drawing bound.
int TileCount(float length) {
  const double n = std::trunc(static_cast<double>(length) * 10 + 0.9);
  if (!(n > 0)) return 0;
  return n > kMaxDrawSteps ? kMaxDrawSteps : static_cast<int>(n);
}

// Loads the pattern, or empties the texture when there is none.
void UsePattern(Canvas& canvas, std::string_view pattern) {
  if (pattern.empty()) {
    canvas.ClearTexture();
  } else {
    canvas.LoadTexture(pattern, TextureLoader::Rgb);
  }
}

// Stacks n tiles downward from depth' a; returns the running depth after
// them. Single-lithology tiles show the image's first row at their top, the
// tiles of two-lithology entries its last row.
float DrawTiles(Canvas& canvas, float x0, float a, int n, bool firstRowOnTop) {
  const float tTop = firstRowOnTop ? 0.0f : 1.0f;
  const float tBottom = firstRowOnTop ? 1.0f : 0.0f;
  for (int i = 0; i < n; ++i) {
    canvas.Quad({{{x0, kTileOrigin - a, 0, tTop},
                  {x0 + kStrip, kTileOrigin - a, 1, tTop},
                  {x0 + kStrip, kTileOrigin - a - kStrip, 1, tBottom},
                  {x0, kTileOrigin - a - kStrip, 0, tBottom}}});
    a += 0.1f;
  }
  return a;
}

struct Bezier {
  Point p0, p1, p2, p3;
  Point At(float t) const {
    const float u = 1 - t;
    const float b0 = u * u * u;
    const float b1 = 3 * u * u * t;
    const float b2 = 3 * u * t * t;
    const float b3 = t * t * t;
    return {b0 * p0.x + b1 * p1.x + b2 * p2.x + b3 * p3.x,
            b0 * p0.y + b1 * p1.y + b2 * p2.y + b3 * p3.y};
  }
};

Bezier OutlineCurve(const EntryValues& v) {
  return {{v.x0 + v.RF2, SheetY(v.bottom)},
          {v.x0 + v.RF2, SheetY(v.int_)},
          {v.x0 + v.RF1, SheetY(v.int_)},
          {v.x0 + v.RF1, SheetY(v.top)}};
}

}  // namespace

namespace {

// The rows of the pattern tables that single- and two-lithology entries
// share: sand and ash, gravel and volcanic blocks, mud.
std::string_view SandPattern(float c, int q) {
  switch (q) {
    case kQualityLoamy: return builtin::kLoamySand;
    case kQualityHumic: return builtin::kHumicSand;
    case kQualityOrganic: return builtin::kOrganicSand;
    case kQualityCalcareous: return builtin::kCalcSand;
    default: break;
  }
  if (c == kFineAsh) return builtin::kFineAsh;
  if (c == kCoarseAsh) return builtin::kCoarseAsh;
  return builtin::kSand;
}

// Loamy gravel has no pattern of its own.
std::string_view GravelPattern(float c, int q) {
  switch (q) {
    case kQualityHumic: return builtin::kHumicGravel;
    case kQualityOrganic: return builtin::kOrganicGravel;
    case kQualityCalcareous: return builtin::kCalcGravel;
    default: break;
  }
  if (c == kLapilli) return builtin::kLapilli;
  if (c == kVolcanicBomb) return builtin::kBreccia;
  return builtin::kGravel;
}

// Plain mud has no pattern: a white strip.
std::string_view MudPattern(int q) {
  switch (q) {
    case kQualityLoamy: return builtin::kLoam;
    case kQualityHumic: return builtin::kHumicMud;
    case kQualityOrganic: return builtin::kOrganicMud;
    case kQualityCalcareous: return builtin::kCalcMud;
    default: return {};
  }
}

bool InSandRange(float c) { return c > kSilt && c < kGranule; }

}  // namespace

std::string_view SingleLithologyPattern(float m, float bedrockCode, int q,
                                        const settings::CategoryCatalogue& catalogue) {
  if (InSandRange(m)) return SandPattern(m, q);
  if (m > kVeryCoarseSand && m < kBedrockWidth) return GravelPattern(m, q);
  if (m >= kBedrockWidth) {
    const auto slot = BedrockSlotForCode(bedrockCode);
    return slot ? std::string_view(catalogue.bedrock[*slot - 1].texturePath) : std::string_view{};
  }
  return MudPattern(q);
}

// Without the bedrock row: a part coarser than sand is gravel.
std::string_view PartPattern(float c, int q) {
  if (InSandRange(c)) return SandPattern(c, q);
  if (c > kVeryCoarseSand) return GravelPattern(c, q);
  return MudPattern(q);
}

void DrawColumnTiles(Canvas& canvas, const DrawEntry& entry, EntryValues& v,
                     const settings::CategoryCatalogue& catalogue) {
  canvas.SetTexturing(true);
  float maskTop = 0.0f;
  if (!IsTwoLithology(entry.Str)) {
    const bool bedrock = v.RF1 >= kBedrockWidth;
    UsePattern(canvas, SingleLithologyPattern(v.RF1, v.RF2, entry.RFe, catalogue));
    // A bedrock column is drawn at the bedrock width throughout.
    if (bedrock) v.RF2 = v.RF1;
    maskTop = DrawTiles(canvas, v.x0, v.top, TileCount(v.bottom - v.top), true);
  } else {
    UsePattern(canvas, PartPattern(v.RF1, entry.RFe));
    DrawTiles(canvas, v.x0, v.top, TileCount(v.int_ - v.top), false);
    UsePattern(canvas, PartPattern(v.RF2, entry.RFe));
    maskTop = DrawTiles(canvas, v.x0, v.int_, TileCount(v.bottom - v.int_), false) + 0.1f;
  }
  // The mask paints over tile overshoot below the entry's bottom.
  canvas.LoadTexture(builtin::kWhite, TextureLoader::Rgb);
  canvas.Quad({{{v.x0, kTileOrigin - maskTop, 0, 1},
                {v.x0 + kStrip, kTileOrigin - maskTop, 1, 1},
                {v.x0 + kStrip, SheetY(v.bottom), 1, 0},
                {v.x0, SheetY(v.bottom), 0, 0}}});
  canvas.SetTexturing(false);
}

void DrawGrainScaleAndFrameLines(Canvas& canvas, const EntryValues& v, bool withGrainScale) {
  constexpr float kBase = 1.25f;
  constexpr struct {
    float c, h;
  } kTicks[] = {{0.15f, 1.26f}, {0.16f, 1.27f}, {0.18f, 1.26f}, {0.19f, 1.26f},
                {0.20f, 1.26f}, {0.21f, 1.26f}, {0.22f, 1.27f}, {0.24f, 1.26f},
                {0.25f, 1.26f}, {0.26f, 1.26f}, {0.27f, 1.27f}};
  const float x0 = v.x0;
  std::vector<Point> lines;
  lines.reserve(30);
  if (withGrainScale) {
    lines.push_back({x0 + 0.1f, kBase});
    lines.push_back({x0 + 0.29f, kBase});
    for (const auto& tick : kTicks) {
      lines.push_back({x0 + tick.c, kBase});
      lines.push_back({x0 + tick.c, tick.h});
    }
  }
  lines.push_back({x0, 1.2f});
  lines.push_back({x0 + kStrip, 1.2f});
  lines.push_back({x0, SheetY(v.top)});
  lines.push_back({x0, SheetY(v.bottom)});
  lines.push_back({x0 + kStrip, SheetY(v.top)});
  lines.push_back({x0 + kStrip, SheetY(v.bottom)});
  canvas.SetColor(0, 0, 0);
  canvas.SetLineWidth(1);
  canvas.Lines(lines);
}

void DrawBaseLine(Canvas& canvas, const DrawEntry& entry, const EntryValues& v) {
  const float y = SheetY(v.bottom);
  const Point segment[] = {{v.x0, y}, {v.x0 + v.RF2, y}};
  canvas.SetColor(0, 0, 0);
  switch (entry.Bou) {
    case kBaseSharp:
      canvas.Lines(segment);
      break;
    case kBaseIndistinct:
      canvas.SetLineStipple(true, 0xF0F0);
      canvas.Lines(segment);
      canvas.SetLineStipple(false);
      break;
    case kBaseErosional: {
      canvas.LineStrip(ErosionalWave(v.x0, y, v.RF2, -0.01f));
      break;
    }
    case kBaseFault:
      canvas.SetLineWidth(5);
      canvas.Lines(segment);
      canvas.SetLineWidth(1);
      break;
    default:
      break;
  }
}

void DrawOutline(Canvas& canvas, const DrawEntry& entry, const EntryValues& v) {
  canvas.SetColor(0, 0, 0);
  const float yTop = SheetY(v.top);
  const bool step = v.RF1 > v.prevRF2;
  if (IsTwoLithology(entry.Str)) {
    const Bezier curve = OutlineCurve(v);
    std::vector<Point> strip;
    Point last;
    for (float t = 0.0f; t <= 1.0f; t += 0.05f) {
      last = curve.At(t);
      strip.push_back(last);
    }
    strip.push_back({last.x, yTop});
    strip.push_back(step ? Point{v.x0 + v.prevRF2, yTop} : last);
    canvas.LineStrip(strip);
    return;
  }
  std::vector<Point> lines{{v.x0 + v.RF1, yTop}, {v.x0 + v.RF1, SheetY(v.bottom)}};
  if (step) {
    lines.push_back({v.x0 + v.RF1, yTop});
    lines.push_back({v.x0 + v.prevRF2, yTop});
  }
  canvas.Lines(lines);
}

void DrawWeathering(Canvas& canvas, const DrawEntry& entry, const EntryValues& v) {
  switch (entry.Wea) {
    case kReddened: break;
    case kBrowned: canvas.SetLineStipple(true, 0xF0F0); break;
    case kMottled: canvas.SetLineStipple(true, 0xAAAA); break;
    default: return;
  }
  canvas.SetColor(0, 0, 0);
  canvas.SetLineWidth(1);
  const float yTop = SheetY(v.top);
  const float yBottom = SheetY(v.bottom);
  const float r = entry.Str == kInverseGraded ? v.RF2 : v.RF1;
  std::vector<Point> lines;
  float h = 0.0f;
  for (int i = 0; r - 0.1f > h && i < kMaxDrawSteps; ++i, h += 0.02f) {
    lines.push_back({v.x0 + 0.1f + h, yTop});
    lines.push_back({v.x0 + 0.1f + h, yBottom});
  }
  if (IsTwoLithology(entry.Str)) {
    // Three lines from the curve into the widening part of the layer.
    const Bezier curve = OutlineCurve(v);
    for (const float t : {0.0f, 0.5f, 1.0f}) {
      const Point b = curve.At(t);
      lines.push_back(b);
      lines.push_back({b.x, entry.Str == kInverseGraded ? yTop : yBottom});
    }
  }
  if (!lines.empty()) canvas.Lines(lines);
  canvas.SetLineStipple(false);
}

}  // namespace borvik::render
