// The drawing by sheet: each shape on the sheet whose band holds it, each
// text and line set once per sheet, pattern tiles joined into strips.

#include <gtest/gtest.h>

#include <algorithm>

#include "log_fixture.h"
#include "render/texture_files.h"
#include "render/vector/document_export.h"
#include "render/vector/sheet_groups.h"
#include "render/vector/vector_canvas.h"

namespace borvik::render::vector {
namespace {

using testing::LoadLog;

std::vector<std::string> Texts(const ShapeGroup& group) {
  std::vector<std::string> texts;
  for (const Shape& shape : group.shapes) {
    if (const auto* t = std::get_if<TextRun>(&shape)) texts.push_back(t->utf8);
  }
  return texts;
}

std::size_t SegmentCount(const ShapeGroup& group) {
  std::size_t count = 0;
  for (const Shape& shape : group.shapes) {
    if (const auto* s = std::get_if<Segments>(&shape)) count += s->points.size() / 2;
  }
  return count;
}

VectorCanvas StartedCanvas() {
  VectorCanvas canvas;
  canvas.BeginFrame(880, 831);
  canvas.ResetEntryState();
  return canvas;
}

TEST(SheetGroups, EachTextAndLineOncePerSheet) {
  VectorCanvas canvas = StartedCanvas();
  const float x0 = -1.3f;
  for (int entry = 0; entry < 2; ++entry) {
    canvas.SetColor(0, 0, 0);
    canvas.Text(x0 - 0.12f, 1.18f, "  25");
    const Point tick[] = {{x0, 1.2f}, {x0 - 0.02f, 1.2f}};
    canvas.Lines(tick);
    // The same line the other way round is the same line.
    const Point reversed[] = {{x0 - 0.02f, 1.2f}, {x0, 1.2f}};
    canvas.Lines(reversed);
    // A stippled line starts its pattern where it starts.
    canvas.SetLineStipple(true, 0xF0F0);
    canvas.Lines(tick);
    canvas.Lines(reversed);
    canvas.SetLineStipple(false, 0xFFFF);
    const Point strip[] = {{x0, 1}, {x0 + 0.1f, 1}, {x0 + 0.1f, 0.9f}};
    canvas.LineStrip(strip);
    // Triangles and other fills are all kept.
    canvas.Triangle({x0, 1}, {x0 - 0.03f, 1.01f}, {x0 - 0.03f, 0.99f});
  }
  // Not the same: another colour, another place, another sheet.
  canvas.SetColor(1, 0, 0);
  canvas.Text(x0 - 0.12f, 1.18f, "  25");
  canvas.SetColor(0, 0, 0);
  canvas.Text(x0 - 0.12f, 1.08f, "  25");
  canvas.Text(x0 + 0.7f - 0.12f, 1.18f, "  25");

  const SheetGroups groups = GroupBySheet(canvas.Drawing(), 2);
  ASSERT_EQ(groups.sheets.size(), 2u);
  const ShapeGroup& first = groups.sheets[0];
  EXPECT_EQ(first.id, "sheet-1");
  EXPECT_EQ(Texts(first), (std::vector<std::string>{"  25", "  25", "  25"}));
  EXPECT_EQ(SegmentCount(first), 3u);
  const auto count = [&first](auto pick) {
    return std::count_if(first.shapes.begin(), first.shapes.end(), pick);
  };
  EXPECT_EQ(count([](const Shape& s) { return std::holds_alternative<Polyline>(s); }), 1);
  EXPECT_EQ(count([](const Shape& s) { return std::holds_alternative<Fill>(s); }), 2);
  EXPECT_EQ(groups.sheets[1].id, "sheet-2");
  EXPECT_EQ(Texts(groups.sheets[1]), std::vector<std::string>{"  25"});
  EXPECT_TRUE(groups.legend.shapes.empty());
}

// Tiles of one texture stacked downwards, each mapping the image once.
void Tiles(VectorCanvas& canvas, float x0, float top, int n, bool firstRowOnTop) {
  const float tTop = firstRowOnTop ? 0.0f : 1.0f;
  const float tBottom = 1.0f - tTop;
  float a = top;
  for (int i = 0; i < n; ++i) {
    canvas.Quad({{{x0, 1.195f - a, 0, tTop},
                  {x0 + 0.1f, 1.195f - a, 1, tTop},
                  {x0 + 0.1f, 1.195f - a - 0.1f, 1, tBottom},
                  {x0, 1.195f - a - 0.1f, 0, tBottom}}});
    a += 0.1f;
  }
}

TEST(SheetGroups, TilesThatContinueEachOtherBecomeOneStrip) {
  VectorCanvas canvas = StartedCanvas();
  canvas.SetTexturing(true);
  canvas.LoadTexture(builtin::kSand, TextureLoader::Rgb);
  Tiles(canvas, -1.3f, 0.0f, 24, true);
  canvas.LoadTexture(builtin::kGravel, TextureLoader::Rgb);
  Tiles(canvas, -1.3f, 2.4f, 3, false);
  // Apart from the strip above: a tile of its own.
  Tiles(canvas, -1.3f, 2.9f, 1, false);
  const SheetGroups groups = GroupBySheet(canvas.Drawing(), 1);
  ASSERT_EQ(groups.sheets.size(), 1u);
  const auto& shapes = groups.sheets[0].shapes;
  ASSERT_EQ(shapes.size(), 3u);

  const auto& sand = std::get<ImageQuad>(shapes[0]).corners;
  EXPECT_FLOAT_EQ(sand[0].y, 1.195f);
  EXPECT_NEAR(sand[3].y, 1.195f - 2.4f, 1e-5);
  EXPECT_FLOAT_EQ(sand[0].t, 0.0f);
  EXPECT_NEAR(sand[3].t, 24.0f, 1e-3);  // the image 24 times down the strip
  EXPECT_NEAR(sand[2].s, 1.0f, 1e-5);
  const auto& gravel = std::get<ImageQuad>(shapes[1]).corners;
  EXPECT_FLOAT_EQ(gravel[0].t, 1.0f);
  EXPECT_NEAR(gravel[3].t, -2.0f, 1e-3);
  EXPECT_EQ(std::get<ImageQuad>(shapes[2]).corners[0].t, 1.0f);
}

TEST(SheetGroups, AFrameShowsEachSheetsAxisAndCaptionsOnce) {
  ViewOptions view;
  view.showLegend = true;
  const auto log = LoadLog(testing::ExampleLog(), view);
  const SheetGroups groups = GroupBySheet(DrawWholeLog(log->Scene()), 2);
  ASSERT_EQ(groups.sheets.size(), 2u);
  const auto texts = [](const ShapeGroup& g) {
    std::vector<std::string> t = Texts(g);
    std::sort(t.begin(), t.end());
    return t;
  };
  std::vector<std::string> sheet1{"B-1 地点", "Dep.(m)", "G", "M", "R", "S"};
  for (int m = 0; m <= 25; ++m) {
    char label[8];
    std::snprintf(label, sizeof label, "%4d", m);
    sheet1.push_back(label);
  }
  std::sort(sheet1.begin(), sheet1.end());
  EXPECT_EQ(texts(groups.sheets[0]), sheet1);
  EXPECT_EQ(texts(groups.sheets[1]),
            (std::vector<std::string>{"  25", "  26", "  27", "Dep.(m)", "G", "M", "R", "S"}));
  // The legend lies right of the last sheet.
  const std::vector<std::string> legend = Texts(groups.legend);
  EXPECT_EQ(legend.front(), "凡　例");
  EXPECT_NE(std::find(legend.begin(), legend.end(), "試料採取位置"), legend.end());
  EXPECT_GT(groups.legend.bounds.left, groups.sheets[1].bounds.right);
}

}  // namespace
}  // namespace borvik::render::vector
