#include "render/column.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/recording_canvas.h"
#include "render/texture_files.h"
#include "support/canvas_geometry.h"

namespace borvik::render {
namespace {

using borvik::testing::DrawnLines;
using borvik::testing::Replay;

const settings::CategoryCatalogue kCatalogue = settings::CategoryCatalogue::Defaults();

EntryValues Values(float top, float bottom, float rf1, float rf2, float intDepth = -1) {
  EntryValues v;
  v.x0 = -1.3f;
  v.top = top;
  v.bottom = bottom;
  v.int_ = intDepth < 0 ? top : intDepth;
  v.RF1 = rf1;
  v.RF2 = rf2;
  return v;
}

DrawEntry Entry(int str, int bou = 0, int rfe = 0, int wea = 0) {
  DrawEntry e;
  e.Str = str;
  e.Bou = bou;
  e.RFe = rfe;
  e.Wea = wea;
  return e;
}

TEST(ColumnPatterns, SingleLithologyChoosesByCodeAndRockQuality) {
  const struct {
    float code, bedrock;
    int q;
    std::string_view pattern;
  } cases[] = {
      {0.18f, 0, 0, builtin::kSand},          {0.22f, 0, 0, builtin::kSand},
      {0.19f, 0, 1, builtin::kLoamySand},     {0.2f, 0, 2, builtin::kHumicSand},
      {0.21f, 0, 3, builtin::kOrganicSand},   {0.18f, 0, 4, builtin::kCalcSand},
      {0.1799f, 0, 0, builtin::kFineAsh},     {0.2199f, 0, 7, builtin::kCoarseAsh},
      {0.1799f, 0, 2, builtin::kHumicSand},   {0.24f, 0, 0, builtin::kGravel},
      {0.27f, 0, 1, builtin::kGravel},        {0.25f, 0, 2, builtin::kHumicGravel},
      {0.26f, 0, 3, builtin::kOrganicGravel}, {0.24f, 0, 4, builtin::kCalcGravel},
      {0.2499f, 0, 0, builtin::kLapilli},     {0.2699f, 0, 1, builtin::kBreccia},
      {0.15f, 0, 0, {}},                      {0.16f, 0, 0, {}},
      {0.16f, 0, 1, builtin::kLoam},          {0.15f, 0, 2, builtin::kHumicMud},
      {0.0f, 0, 3, builtin::kOrganicMud},     {0.15f, 0, 4, builtin::kCalcMud},
      {0.29f, 0.33f, 0, R"(TEX\SYSTEM\volcanic.png)"},
      {0.29f, 0.32f, 4, R"(TEX\SYSTEM\lime.png)"},
      {0.29f, 0.29f, 0, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SingleLithologyPattern(c.code, c.bedrock, c.q, kCatalogue), c.pattern)
        << c.code << " q" << c.q;
  }
}

TEST(ColumnPatterns, PartsOfTwoLithologyEntriesChooseByTheirOwnCode) {
  const struct {
    float code;
    int q;
    std::string_view pattern;
  } cases[] = {
      {0.15f, 0, {}},                      {0.16f, 3, builtin::kOrganicMud},
      {0.19f, 3, builtin::kOrganicSand},   {0.25f, 3, builtin::kOrganicGravel},
      {0.22f, 4, builtin::kCalcSand},      {0.24f, 4, builtin::kCalcGravel},
      {0.33f, 0, builtin::kGravel},        {0.2699f, 0, builtin::kBreccia},
      {0.25f, 1, builtin::kGravel},
  };
  for (const auto& c : cases) EXPECT_EQ(PartPattern(c.code, c.q), c.pattern) << c.code;
}

TEST(ColumnTiles, SingleLithologyTilesShowTheFirstImageRowOnTop) {
  RecordingCanvas canvas;
  EntryValues v = Values(0.2f, 0.45f, 0.19f, 0.19f);
  DrawColumnTiles(canvas, Entry(0), v, kCatalogue);
  const auto d = Replay(canvas);
  // trunc(0.25 x 10 + 0.9) = 3 tiles, then the mask.
  ASSERT_EQ(d.quads.size(), 4u);
  const auto& first = d.quads[0].corners;
  EXPECT_FLOAT_EQ(first[0].x, -1.3f);
  EXPECT_FLOAT_EQ(first[0].y, 1.195f - 0.2f);
  EXPECT_FLOAT_EQ(first[2].x, -1.2f);
  EXPECT_FLOAT_EQ(first[2].y, 1.195f - 0.3f);
  EXPECT_EQ(first[0].t, 0.0f);
  EXPECT_EQ(first[2].t, 1.0f);
  EXPECT_EQ(first[1].s, 1.0f);
  EXPECT_EQ(d.quads[0].texture, builtin::kSand);
  EXPECT_TRUE(d.quads[0].textured);
  EXPECT_FLOAT_EQ(d.quads[2].corners[0].y, 1.195f - 0.4f);
  // The mask starts at the end of the last tile and reaches the bottom.
  const auto& mask = d.quads[3];
  EXPECT_EQ(mask.texture, builtin::kWhite);
  EXPECT_FLOAT_EQ(mask.corners[0].y, 1.195f - 0.5f);
  EXPECT_FLOAT_EQ(mask.corners[2].y, 1.2f - 0.45f);
  EXPECT_EQ(mask.corners[0].t, 1.0f);
  EXPECT_EQ(mask.corners[2].t, 0.0f);
}

TEST(ColumnTiles, TwoLithologyTilesShowTheLastImageRowOnTop) {
  RecordingCanvas canvas;
  // Graded clay over pebble: the upper part has no pattern and is white.
  EntryValues v = Values(0.0f, 0.3f, 0.15f, 0.25f, 0.1f);
  DrawColumnTiles(canvas, Entry(1), v, kCatalogue);
  const auto d = Replay(canvas);
  // trunc(0.1 x 10 + 0.9) = 1 upper, trunc(0.2 x 10 + 0.9) = 2 lower, mask.
  ASSERT_EQ(d.quads.size(), 4u);
  EXPECT_EQ(d.quads[0].texture, "");
  EXPECT_EQ(d.quads[1].texture, builtin::kGravel);
  EXPECT_EQ(d.quads[0].corners[0].t, 1.0f);
  EXPECT_EQ(d.quads[0].corners[2].t, 0.0f);
  EXPECT_FLOAT_EQ(d.quads[1].corners[0].y, 1.195f - 0.1f);
  // Mask from 0.1 below the last lower tile.
  EXPECT_FLOAT_EQ(d.quads[3].corners[0].y, 1.195f - 0.4f);
}

TEST(ColumnTiles, LowerPartWithoutPatternIsWhiteAfterAPatternedUpperPart) {
  RecordingCanvas canvas;
  EntryValues v = Values(0.0f, 0.2f, 0.26f, 0.15f, 0.1f);
  DrawColumnTiles(canvas, Entry(2), v, kCatalogue);
  const auto d = Replay(canvas);
  EXPECT_EQ(d.quads[0].texture, builtin::kGravel);
  EXPECT_EQ(d.quads[1].texture, "");
}

TEST(ColumnTiles, BedrockUsesItsSlotAndTheBedrockWidth) {
  RecordingCanvas canvas;
  EntryValues v = Values(0.0f, 0.1f, 0.29f, 0.33f);
  DrawColumnTiles(canvas, Entry(0), v, kCatalogue);
  EXPECT_EQ(Replay(canvas).quads[0].texture, R"(TEX\SYSTEM\volcanic.png)");
  EXPECT_EQ(v.RF2, 0.29f);
}

TEST(ColumnTiles, ZeroHeightEntryDrawsOnlyTheMask) {
  RecordingCanvas canvas;
  EntryValues v = Values(0.5f, 0.5f, 0.0f, 0.0f);
  DrawColumnTiles(canvas, Entry(0), v, kCatalogue);
  const auto d = Replay(canvas);
  ASSERT_EQ(d.quads.size(), 1u);
  EXPECT_EQ(d.quads[0].texture, builtin::kWhite);
}

TEST(ColumnTiles, HugeEntriesStayBounded) {
  RecordingCanvas canvas;
  EntryValues v = Values(-3e38f, 3e38f, 3e38f, -3e38f, 0);
  DrawColumnTiles(canvas, Entry(1), v, kCatalogue);
  DrawWeathering(canvas, Entry(2, 2, 0, 1), v);
  DrawBaseLine(canvas, Entry(0, 2), v);
  EXPECT_LT(canvas.Ops().size(), 30000u);
}

TEST(GrainScale, DrawsFifteenSegmentsInOneBatch) {
  RecordingCanvas canvas;
  DrawGrainScaleAndFrameLines(canvas, Values(0.1f, 0.5f, 0.2f, 0.2f));
  const auto d = Replay(canvas);
  ASSERT_EQ(d.lines.size(), 1u);
  const auto& p = d.lines[0].points;
  ASSERT_EQ(p.size(), 30u);
  EXPECT_EQ(d.lines[0].color, (std::array<float, 3>{0, 0, 0}));
  EXPECT_FLOAT_EQ(p[0].x, -1.2f);
  EXPECT_FLOAT_EQ(p[1].x, -1.3f + 0.29f);
  EXPECT_FLOAT_EQ(p[0].y, 1.25f);
  // The long ticks close the mud, sand and gravel groups.
  EXPECT_FLOAT_EQ(p[5].y, 1.27f);   // 0.16
  EXPECT_FLOAT_EQ(p[3].y, 1.26f);   // 0.15
  EXPECT_FLOAT_EQ(p[15].y, 1.27f);  // 0.22
  EXPECT_FLOAT_EQ(p[23].y, 1.27f);  // 0.27
  EXPECT_FLOAT_EQ(p[24].y, 1.2f);   // strip top at the sheet top
  EXPECT_FLOAT_EQ(p[27].y, 1.2f - 0.5f);
}

TEST(BaseLine, FollowsTheBaseCode) {
  const EntryValues v = Values(0.0f, 0.5f, 0.19f, 0.19f);
  {
    RecordingCanvas canvas;
    DrawBaseLine(canvas, Entry(0, 0), v);
    const auto d = Replay(canvas);
    ASSERT_EQ(d.lines.size(), 1u);
    EXPECT_FLOAT_EQ(d.lines[0].points[1].x, -1.3f + 0.19f);
    EXPECT_FLOAT_EQ(d.lines[0].points[1].y, 0.7f);
    EXPECT_FALSE(d.lines[0].stipple);
  }
  {
    RecordingCanvas canvas;
    DrawBaseLine(canvas, Entry(0, 1), v);
    const auto d = Replay(canvas);
    EXPECT_TRUE(d.lines[0].stipple);
    EXPECT_EQ(d.lines[0].pattern, 0xF0F0);
    EXPECT_FALSE(canvas.All<op::SetLineStipple>().back().on);
  }
  {
    RecordingCanvas canvas;
    DrawBaseLine(canvas, Entry(0, 2), v);
    const auto d = Replay(canvas);
    ASSERT_EQ(d.lines[0].kind, DrawnLines::Kind::Strip);
    // t = 0, 0.0095, ... while t <= 0.19.
    EXPECT_EQ(d.lines[0].points.size(), 21u);
    const Point p = d.lines[0].points[3];
    const float t = 0.0095f + 0.0095f + 0.0095f;
    EXPECT_FLOAT_EQ(p.x, -1.3f + t);
    EXPECT_FLOAT_EQ(p.y, 0.7f - 0.01f * std::sin(500 * t));
  }
  {
    RecordingCanvas canvas;
    DrawBaseLine(canvas, Entry(0, 3), v);
    const auto d = Replay(canvas);
    EXPECT_EQ(d.lines[0].width, 5.0f);
    EXPECT_EQ(canvas.All<op::SetLineWidth>().back().width, 1.0f);
  }
  for (const int none : {4, -1, 9}) {
    RecordingCanvas canvas;
    DrawBaseLine(canvas, Entry(0, none), v);
    EXPECT_TRUE(Replay(canvas).lines.empty()) << none;
  }
}

TEST(Outline, StraightEdgeStepsAcrossToAWiderLayerAbove) {
  EntryValues v = Values(0.2f, 0.5f, 0.22f, 0.22f);
  v.prevRF2 = 0.15f;
  RecordingCanvas canvas;
  DrawOutline(canvas, Entry(0), v);
  auto d = Replay(canvas);
  ASSERT_EQ(d.lines[0].points.size(), 4u);
  EXPECT_FLOAT_EQ(d.lines[0].points[3].x, -1.3f + 0.15f);
  v.prevRF2 = 0.25f;
  canvas.Clear();
  DrawOutline(canvas, Entry(0), v);
  EXPECT_EQ(Replay(canvas).lines[0].points.size(), 2u);
}

TEST(Outline, GradedLayersFollowTheBezierCurve) {
  const EntryValues v = Values(0.0f, 0.4f, 0.15f, 0.25f, 0.2f);
  for (const float prev : {0.0f, 0.3f}) {
    EntryValues w = v;
    w.prevRF2 = prev;
    RecordingCanvas canvas;
    DrawOutline(canvas, Entry(1), w);
    const auto drawing = Replay(canvas);
    const auto& p = drawing.lines[0].points;
    ASSERT_EQ(p.size(), 22u);
    // B(0) is the bottom at the lower width.
    EXPECT_FLOAT_EQ(p[0].x, -1.3f + 0.25f);
    EXPECT_FLOAT_EQ(p[0].y, 1.2f - 0.4f);
    EXPECT_FLOAT_EQ(p[20].x, p[19].x);
    EXPECT_FLOAT_EQ(p[20].y, 1.2f);
    if (prev < w.RF1) {
      EXPECT_FLOAT_EQ(p[21].x, -1.3f + prev);
    } else {
      EXPECT_EQ(p[21], p[19]);
    }
  }
}

TEST(Weathering, HatchesInsideTheProfileWithItsStipple) {
  const struct {
    int wea;
    bool stipple;
    std::uint16_t pattern;
  } cases[] = {{1, false, 0xFFFF}, {2, true, 0xF0F0}, {3, true, 0xAAAA}};
  for (const auto& c : cases) {
    RecordingCanvas canvas;
    DrawWeathering(canvas, Entry(0, 0, 0, c.wea), Values(0.0f, 0.3f, 0.19f, 0.19f));
    const auto d = Replay(canvas);
    ASSERT_EQ(d.lines.size(), 1u);
    // h = 0, 0.02, ... while 0.09 > h: five lines.
    EXPECT_EQ(d.lines[0].points.size(), 10u) << c.wea;
    EXPECT_EQ(d.lines[0].stipple, c.stipple);
    if (c.stipple) {
      EXPECT_EQ(d.lines[0].pattern, c.pattern);
    }
    EXPECT_FALSE(canvas.All<op::SetLineStipple>().back().on);
  }
  RecordingCanvas none;
  DrawWeathering(none, Entry(0), Values(0.0f, 0.3f, 0.19f, 0.19f));
  EXPECT_TRUE(none.Ops().empty());
}

TEST(Weathering, InverseGradedLayersReachUpFromTheCurve) {
  RecordingCanvas canvas;
  // Coarse above (RF1 0.25), fine below (RF2 0.15): R = RF2.
  DrawWeathering(canvas, Entry(2, 0, 0, 1), Values(0.0f, 0.4f, 0.25f, 0.15f, 0.2f));
  const auto drawing = Replay(canvas);
  const auto& p = drawing.lines[0].points;
  // trunc: h = 0, 0.02, 0.04 (< 0.05), then three curve lines.
  ASSERT_EQ(p.size(), 3u * 2 + 6);
  for (int i = 6; i < 12; i += 2) EXPECT_FLOAT_EQ(p[i + 1].y, 1.2f);
  EXPECT_FLOAT_EQ(p[6].x, -1.3f + 0.15f);  // B(0)
  EXPECT_FLOAT_EQ(p[10].x, -1.3f + 0.25f);  // B(1)
}

}  // namespace
}  // namespace borvik::render
