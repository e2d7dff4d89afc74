#include "render/legend.h"

#include <gtest/gtest.h>

#include <memory>

#include "render/recording_canvas.h"
#include "render/texture_files.h"
#include "support/canvas_geometry.h"
#include "support/canvas_text.h"

namespace borvik::render {
namespace {

using borvik::testing::FindText;
using borvik::testing::Replay;

struct Legend {
  LegendUsage usage;
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  model::LogHeader header;
  ViewOptions view;
  std::unique_ptr<DrawTable> drawing = std::make_unique<DrawTable>();
  float x0 = -1.3f;

  RecordingCanvas Draw() {
    RecordingCanvas canvas;
    EntryValues v;
    v.x0 = x0;
    DrawLegend(canvas, v, Scene{*drawing, usage, catalogue, header, view});
    return canvas;
  }
};

// The row of a text drawn at x, or -1.
int RowOf(const RecordingCanvas& canvas, const std::string& text, float x) {
  for (const Point& p : FindText(canvas, text)) {
    if (std::fabs(p.x - x) > 1e-5f) continue;
    for (int r = 0; r < 40; ++r) {
      if (std::fabs(LegendRowY(r) - p.y) < 1e-5f) return r;
    }
  }
  return -1;
}

TEST(Legend, RowsStepDownFromTheHeader) {
  EXPECT_FLOAT_EQ(LegendRowY(0), 0.886f);
  EXPECT_FLOAT_EQ(LegendRowY(3), 0.886f - 3 * 0.058f);
}

TEST(Legend, EmptyLogShowsTitleAndHeaderImageOnly) {
  Legend l;
  const RecordingCanvas canvas = l.Draw();
  const auto title = FindText(canvas, "凡　例");
  ASSERT_EQ(title.size(), 1u);
  EXPECT_FLOAT_EQ(title[0].x, -0.7f);
  EXPECT_FLOAT_EQ(title[0].y, 1.33f);
  EXPECT_EQ(canvas.All<op::Bitmap>().size(), 3u);
  const auto d = Replay(canvas);
  ASSERT_EQ(d.quads.size(), 1u);
  EXPECT_EQ(d.quads[0].texture, builtin::kRockface);
  EXPECT_FLOAT_EQ(d.quads[0].corners[0].x, -0.7f);
  EXPECT_FLOAT_EQ(d.quads[0].corners[0].y, 0.982f);
  EXPECT_NEAR(d.quads[0].corners[2].x, -1.3f + 1.374f, 1e-6);
  EXPECT_FLOAT_EQ(d.quads[0].corners[2].y, 1.282f);
  // Drawn in black: only the image's shape shows.
  const auto colors = canvas.All<op::SetColor>();
  ASSERT_FALSE(colors.empty());
  EXPECT_EQ(colors[0].r, 0.0f);
}

TEST(Legend, ClayAndSandThenTheBaseKindsUsed) {
  Legend l;
  l.usage.mud = l.usage.sand = true;
  l.usage.clearBase = l.usage.erosionalBase = true;
  const RecordingCanvas canvas = l.Draw();
  const float heading = -1.3f + 0.6f;
  const float caption = -1.3f + 0.67f;
  EXPECT_EQ(RowOf(canvas, "岩　相", heading), 0);
  EXPECT_EQ(RowOf(canvas, "粘土", caption), 1);
  EXPECT_EQ(RowOf(canvas, "砂", caption), 2);
  EXPECT_EQ(RowOf(canvas, "基底の性状", heading), 4);
  EXPECT_EQ(RowOf(canvas, "明瞭", -1.3f + 0.72f), 5);
  EXPECT_EQ(RowOf(canvas, "侵食面", -1.3f + 0.72f), 6);
  EXPECT_EQ(RowOf(canvas, "不明瞭", -1.3f + 0.72f), -1);
  const auto d = Replay(canvas);
  // Header image, then the clay (white) and sand swatches.
  ASSERT_EQ(d.quads.size(), 3u);
  EXPECT_EQ(d.quads[1].texture, builtin::kWhite);
  EXPECT_FLOAT_EQ(d.quads[1].corners[0].y, LegendRowY(1));
  EXPECT_FLOAT_EQ(d.quads[1].corners[2].x, -1.3f + 0.6f + 0.048f);
  EXPECT_EQ(d.quads[2].texture, builtin::kSand);
  // The erosional sign: 11 points of a sine wave.
  bool wave = false;
  for (const auto& lines : d.lines) {
    if (lines.kind == borvik::testing::DrawnLines::Kind::Strip) {
      wave = true;
      EXPECT_EQ(lines.points.size(), 11u);
      EXPECT_FLOAT_EQ(lines.points[0].y, LegendRowY(6) + 0.02f);
    }
  }
  EXPECT_TRUE(wave);
}

TEST(Legend, BedrockItemsComeFromTheCatalogue) {
  Legend l;
  l.usage.bedrock[2] = true;
  const RecordingCanvas canvas = l.Draw();
  EXPECT_EQ(RowOf(canvas, "岩　相", -0.7f), 0);
  EXPECT_EQ(RowOf(canvas, "半深成岩類", -1.3f + 0.67f), 1);
  EXPECT_EQ(Replay(canvas).quads[1].texture, R"(TEX\SYSTEM\hypabyssal.png)");
}

TEST(Legend, StructureSwitchRemovesItsSectionAndRow) {
  Legend l;
  l.usage.structures[2] = true;
  l.usage.samples = true;
  const RecordingCanvas shown = l.Draw();
  // No lithology and no base: two empty rows, then the structures.
  EXPECT_EQ(RowOf(shown, "堆積構造", -0.7f), 2);
  EXPECT_EQ(RowOf(shown, "斜交層理", -1.3f + 0.67f), 3);
  EXPECT_EQ(RowOf(shown, "試料採取位置", -1.3f + 0.65f), 5);
  l.view.showStructures = false;
  const RecordingCanvas hidden = l.Draw();
  EXPECT_EQ(RowOf(hidden, "堆積構造", -0.7f), -1);
  EXPECT_EQ(RowOf(hidden, "試料採取位置", -1.3f + 0.65f), 2);
  l.view.showSamples = false;
  EXPECT_EQ(RowOf(l.Draw(), "試料採取位置", -1.3f + 0.65f), -1);
}

TEST(Legend, RightColumnHoldsRockQualityWeatheringAndFeatures) {
  Legend l;
  l.usage.humic = true;
  l.usage.browned = true;
  l.usage.features[6] = true;
  l.x0 = 0.1f;  // the last entry on sheet 3
  const RecordingCanvas canvas = l.Draw();
  EXPECT_EQ(RowOf(canvas, "岩　質", 0.1f + 1.1f), 0);
  EXPECT_EQ(RowOf(canvas, "腐植質", 0.1f + 1.17f), 1);
  EXPECT_EQ(RowOf(canvas, "風化状況", 0.1f + 1.1f), 3);
  EXPECT_EQ(RowOf(canvas, "褐色化（風化）", 0.1f + 1.17f), 4);
  EXPECT_EQ(RowOf(canvas, "その他の特徴", 0.1f + 1.1f), 6);
  EXPECT_EQ(RowOf(canvas, "貝化石", 0.1f + 1.17f), 7);
  const auto d = Replay(canvas);
  bool stippledHatch = false;
  for (const auto& lines : d.lines) {
    if (lines.points.size() == 6 && lines.stipple && lines.pattern == 0xF0F0) stippledHatch = true;
  }
  EXPECT_TRUE(stippledHatch);
  l.view.showFeatures = false;
  EXPECT_EQ(RowOf(l.Draw(), "貝化石", 0.1f + 1.17f), -1);
}

}  // namespace
}  // namespace borvik::render
