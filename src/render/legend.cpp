#include "render/legend.h"

#include <cmath>
#include <string>

#include "render/shapes.h"
#include "render/texture_files.h"

namespace borvik::render {
namespace {

constexpr float kSwatch = 0.048f;

void Black(Canvas& canvas) { canvas.SetColor(0, 0, 0); }
void White(Canvas& canvas) { canvas.SetColor(1, 1, 1); }

void TexturedSquare(Canvas& canvas, float x, float y, float w, float h) {
  canvas.SetTexturing(true);
  canvas.Quad(UprightImageQuad(x, y, x + w, y + h));
  canvas.SetTexturing(false);
}

void SquareOutline(Canvas& canvas, float x, float y) {
  const Point loop[] = {{x, y}, {x + kSwatch, y}, {x + kSwatch, y + kSwatch}, {x, y + kSwatch}};
  canvas.LineLoop(loop);
}

// One column of rows: headings at the swatch position, captions beside.
class LegendColumn {
 public:
  LegendColumn(Canvas& canvas, float swatchX, float captionX)
      : canvas_(canvas), swatchX_(swatchX), captionX_(captionX) {}

  float Y() const { return LegendRowY(row_); }
  float SwatchX() const { return swatchX_; }
  void Skip() { ++row_; }

  void Heading(const char* text) {
    Black(canvas_);
    canvas_.Text(swatchX_, Y(), text);
    White(canvas_);
    ++row_;
  }

  // A pattern swatch with a black outline.
  void Pattern(std::string_view texture, const std::string& caption) {
    canvas_.LoadTexture(texture, TextureLoader::Rgb);
    TexturedSquare(canvas_, swatchX_, Y(), kSwatch, kSwatch);
    Black(canvas_);
    SquareOutline(canvas_, swatchX_, Y());
    Caption(caption.c_str(), captionX_);
  }

  // An icon on the swatch square, without an outline.
  void Icon(std::string_view texture, const std::string& caption) {
    canvas_.LoadTexture(texture, TextureLoader::Rgba);
    TexturedSquare(canvas_, swatchX_, Y(), kSwatch, kSwatch);
    Black(canvas_);
    Caption(caption.c_str(), captionX_);
  }

  // The caption of an item whose sign is already drawn, in black.
  void Caption(const char* text, float x) {
    canvas_.Text(x, Y(), text);
    White(canvas_);
    ++row_;
  }

 private:
  Canvas& canvas_;
  float swatchX_;
  float captionX_;
  int row_ = 0;
};

void LithologyItems(LegendColumn& column, const LegendUsage& u,
                    const settings::CategoryCatalogue& catalogue) {
  if (!u.AnyLithology()) return;
  column.Heading("岩　相");
  const struct {
    bool on;
    std::string_view texture;
    const char* caption;
  } items[] = {
      {u.mud, builtin::kWhite, "粘土"},           {u.sand, builtin::kSand, "砂"},
      {u.gravel, builtin::kGravel, "礫"},         {u.fineAsh, builtin::kFineAsh, "細粒火山灰"},
      {u.coarseAsh, builtin::kCoarseAsh, "粗粒火山灰"}, {u.lapilli, builtin::kLapilli, "火山礫"},
      {u.volcanicBomb, builtin::kBreccia, "火山弾"},
  };
  for (const auto& item : items) {
    if (item.on) column.Pattern(item.texture, item.caption);
  }
  for (std::size_t slot = 0; slot < u.bedrock.size(); ++slot) {
    if (u.bedrock[slot]) {
      column.Pattern(catalogue.bedrock[slot].texturePath, catalogue.bedrock[slot].name);
    }
  }
}

void BaseItems(Canvas& canvas, LegendColumn& column, const LegendUsage& u, float x0) {
  if (!u.AnyBase()) return;
  column.Heading("基底の性状");
  const float left = x0 + 0.6f;
  auto line = [&](const char* caption) {
    Black(canvas);
    const float y = column.Y() + 0.02f;
    const Point segment[] = {{left, y}, {left + 0.1f, y}};
    canvas.Lines(segment);
    column.Caption(caption, x0 + 0.72f);
  };
  if (u.clearBase) line("明瞭");
  if (u.indistinctBase) {
    canvas.SetLineStipple(true, 0xF0F0);
    line("不明瞭");
    canvas.SetLineStipple(false);
  }
  if (u.erosionalBase) {
    Black(canvas);
    // Eleven points, as long as the other sample lines.
    canvas.LineStrip(ErosionalWave(left, column.Y() + 0.02f, 0.1f, 0.01f));
    column.Caption("侵食面", x0 + 0.72f);
  }
  if (u.fault) {
    canvas.SetLineWidth(5);
    line("断層");
    canvas.SetLineWidth(1);
  }
}

void WeatheringItems(Canvas& canvas, LegendColumn& column, const LegendUsage& u, float x0) {
  if (!u.AnyWeathering()) return;
  column.Heading("風化状況");
  const struct {
    bool on;
    bool stipple;
    std::uint16_t pattern;
    const char* caption;
  } items[] = {{u.reddened, false, 0xFFFF, "赤色化（強風化）"},
               {u.browned, true, 0xF0F0, "褐色化（風化）"},
               {u.mottled, true, 0xAAAA, "マダラ模様"}};
  for (const auto& item : items) {
    if (!item.on) continue;
    const float x = column.SwatchX();
    const float y = column.Y();
    Black(canvas);
    SquareOutline(canvas, x, y);
    if (item.stipple) canvas.SetLineStipple(true, item.pattern);
    const Point hatch[] = {{x + 0.01f, y},  {x + 0.01f, y + kSwatch},  {x + 0.025f, y},
                           {x + 0.025f, y + kSwatch}, {x + 0.04f, y}, {x + 0.04f, y + kSwatch}};
    canvas.Lines(hatch);
    if (item.stipple) canvas.SetLineStipple(false);
    column.Caption(item.caption, x0 + 1.17f);
  }
}

}  // namespace

float LegendRowY(int row) {
  const float r = static_cast<float>(row);
  return -(r * 0.01f + (-1.03f + 3 * 0.048f) + r * 0.048f);
}

void DrawLegend(Canvas& canvas, const EntryValues& v, const Scene& scene) {
  const float x0 = v.x0;
  const LegendUsage& u = scene.usage;
  const settings::CategoryCatalogue& catalogue = scene.catalogue;

  Black(canvas);
  canvas.Text(x0 + 0.6f, 1.33f, "凡　例");
  // Drawn in the title's black, so that only the image's shape shows.
  canvas.LoadTexture(builtin::kRockface, TextureLoader::Rgba);
  TexturedSquare(canvas, x0 + 0.6f, 0.982f, 0.774f, 0.3f);
  White(canvas);

  LegendColumn left(canvas, x0 + 0.6f, x0 + 0.67f);
  LithologyItems(left, u, catalogue);
  left.Skip();
  BaseItems(canvas, left, u, x0);
  left.Skip();
  if (scene.view.showStructures) {
    if (u.AnyStructure()) left.Heading("堆積構造");
    for (int k = 0; k < model::kStructureKinds; ++k) {
      if (u.structures[k]) left.Icon(catalogue.structures[k].texturePath, catalogue.structures[k].name);
    }
    left.Skip();
  }
  if (scene.view.showSamples && u.samples) {
    Black(canvas);
    const float y = left.Y();
    canvas.Triangle({x0 + 0.648f, y + 0.024f}, {x0 + 0.618f, y + 0.034f}, {x0 + 0.618f, y + 0.014f});
    left.Caption("試料採取位置", x0 + 0.65f);
  }

  LegendColumn right(canvas, x0 + 1.1f, x0 + 1.17f);
  if (u.AnyRockQuality()) {
    right.Heading("岩　質");
    const struct {
      bool on;
      std::string_view texture;
      const char* caption;
    } items[] = {{u.loamy, builtin::kLoam, "ローム質"},
                 {u.humic, builtin::kHumicMud, "腐植質"},
                 {u.organic, builtin::kOrganicMud, "有機質"},
                 {u.calcareous, builtin::kCalcMud, "石灰質"}};
    for (const auto& item : items) {
      if (item.on) right.Pattern(item.texture, item.caption);
    }
  }
  right.Skip();
  WeatheringItems(canvas, right, u, x0);
  right.Skip();
  if (scene.view.showFeatures) {
    if (u.AnyFeature()) right.Heading("その他の特徴");
    for (int k = 0; k < model::kFeatureKinds; ++k) {
      if (u.features[k]) right.Icon(catalogue.features[k].texturePath, catalogue.features[k].name);
    }
  }
}

}  // namespace borvik::render
