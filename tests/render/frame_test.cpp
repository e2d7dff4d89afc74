#include "render/frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <tuple>

#include "render/recording_canvas.h"
#include "support/canvas_geometry.h"

namespace borvik::render {
namespace {

using borvik::testing::Replay;

struct Log {
  std::unique_ptr<DrawTable> drawing = std::make_unique<DrawTable>();
  LegendUsage usage;
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  model::LogHeader header;
  ViewOptions view;

  void Add(const model::LayerRecord& layer) {
    ASSERT_TRUE(AddLayerToDrawing(*drawing, usage, layer, view.scaleIndex));
  }
  RecordingCanvas Draw(const FrameOptions& options) {
    ColumnRenderer renderer(options);
    return Draw(renderer);
  }
  RecordingCanvas Draw(ColumnRenderer& renderer) {
    RecordingCanvas canvas;
    renderer.RenderLog(canvas, Scene{*drawing, usage, catalogue, header, view}, 880, 831);
    return canvas;
  }
  RecordingCanvas Draw() {
    ColumnRenderer renderer;
    return Draw(renderer);
  }
};

model::LayerRecord Sand(float top, float bot) {
  model::LayerRecord layer;
  layer.top = top;
  layer.bot = bot;
  layer.int_ = top;
  layer.RF1 = layer.RF2 = model::kFineSand;
  return layer;
}

// The grain-size scale and frame lines of entry e: the batch of 15 segments.
std::vector<Point> FrameLines(const borvik::testing::Drawing& d, int e) {
  for (const auto& lines : d.lines) {
    if (lines.points.size() == 30 && e-- == 0) return lines.points;
  }
  ADD_FAILURE() << "no frame lines";
  return std::vector<Point>(30);
}

TEST(RenderLog, EmptyLogDrawsEntryZeroOnSheetOne) {
  Log log;
  RecordingCanvas canvas = log.Draw();
  const auto& ops = canvas.Ops();
  ASSERT_FALSE(ops.empty());
  EXPECT_TRUE(std::holds_alternative<op::BeginFrame>(ops.front()));
  EXPECT_TRUE(std::holds_alternative<op::EndFrame>(ops.back()));
  ASSERT_EQ(canvas.All<op::BeginEntry>().size(), 1u);
  EXPECT_EQ(canvas.All<op::BeginEntry>()[0].cameraX, 0.0f);
  EXPECT_EQ(canvas.All<op::BeginEntry>()[0].width, 880);
  // The strip's top line of sheet 1 at x0 = -1.3.
  const auto d = Replay(canvas);
  const auto frame = FrameLines(d, 0);
  EXPECT_FLOAT_EQ(frame[24].x, -1.3f);
  EXPECT_FLOAT_EQ(frame[24].y, 1.2f);
}

TEST(RenderLog, EveryEntryStartsFromTheResetStateInOrder) {
  Log log;
  log.Add(Sand(0, 10));
  log.Add(Sand(10, 30));
  RecordingCanvas canvas = log.Draw();
  // Entries 0 to 3 (the second layer splits at 25 m).
  EXPECT_EQ(canvas.All<op::ResetEntryState>().size(), 4u);
  EXPECT_EQ(canvas.All<op::EndEntry>().size(), 4u);
  const auto& ops = canvas.Ops();
  for (std::size_t i = 0; i < ops.size(); ++i) {
    if (std::holds_alternative<op::BeginEntry>(ops[i])) {
      ASSERT_GT(i, 0u);
      EXPECT_TRUE(std::holds_alternative<op::ResetEntryState>(ops[i - 1])) << i;
    }
  }
}

TEST(RenderLog, ScaleAndScrollSetTheView) {
  Log log;
  log.Add(Sand(0, 10));
  log.view.scrollPosition = 100;
  log.view.scaleIndex = 3;
  ColumnRenderer renderer;
  RecordingCanvas canvas = log.Draw(renderer);
  EXPECT_EQ(canvas.All<op::BeginEntry>()[0].cameraX, 10.0f);
  // 10 m at 1/400: 0.25 x 0.975621 x 10 / 10 below the sheet top.
  const auto d = Replay(canvas);
  const float bottom = static_cast<float>(0.25 * 0.975621 * 10 / 10);
  EXPECT_FLOAT_EQ(FrameLines(d, 1)[27].y, 1.2f - bottom);
  // An unknown scale keeps the scale of the frame before: its factor, and
  // its axis (at 1/400 labels every 5 m: "   5", never "   1").
  log.view.scaleIndex = 9;
  const RecordingCanvas unknown = log.Draw(renderer);
  const auto again = Replay(unknown);
  EXPECT_FLOAT_EQ(FrameLines(again, 1)[27].y, 1.2f - bottom);
  std::set<std::string> labels;
  for (const op::Text& text : unknown.All<op::Text>()) labels.insert(text.utf8);
  EXPECT_TRUE(labels.count("   5"));
  EXPECT_FALSE(labels.count("   1"));
}

TEST(Marks, IconsStandRightOfTheWidestPartAtTheirDepth) {
  Log log;
  model::LayerRecord layer = Sand(10, 15);
  layer.Str = model::kGraded;
  layer.RF1 = model::kClay;
  layer.RF2 = model::kCobble;
  layer.int_ = 12;
  layer.DSe = {12.5f, -1, -1, -1};
  layer.Se = {3, 0, -1, 8};
  layer.DEc = {14, -1, -1};
  layer.Ec = {9, 0, 0};
  log.Add(layer);
  const auto d = Replay(log.Draw());
  std::vector<borvik::testing::DrawnQuad> icons;
  for (const auto& q : d.quads) {
    if (q.texture.find("cross") != std::string::npos || q.texture.find("artificial") != std::string::npos) {
      icons.push_back(q);
    }
  }
  ASSERT_EQ(icons.size(), 2u);
  const float d1 = static_cast<float>(0.975621 * 12.5 / 10);
  EXPECT_EQ(icons[0].texture, R"(TEX\SYSTEM\cross.png)");
  EXPECT_TRUE(icons[0].textured);
  EXPECT_FLOAT_EQ(icons[0].corners[0].x, -1.3f + 0.26f + 0.01f);
  EXPECT_FLOAT_EQ(icons[0].corners[1].x, -1.3f + 0.26f + 0.09f);
  EXPECT_FLOAT_EQ(icons[0].corners[0].y, 1.16f - d1);
  EXPECT_FLOAT_EQ(icons[0].corners[2].y, 1.24f - d1);
  EXPECT_EQ(icons[0].corners[0].t, 1.0f);  // upright image
  EXPECT_EQ(icons[1].texture, R"(TEX\SYSTEM\artificial.png)");
  EXPECT_FLOAT_EQ(icons[1].corners[0].x, -1.3f + 0.26f + 0.11f);
}

TEST(Marks, BedrockIconsUseTheBedrockWidth) {
  Log log;
  model::LayerRecord layer = Sand(0, 2);
  layer.RF1 = 0.29f;
  layer.RF2 = 0.36f;
  layer.DSe[0] = 1;
  layer.Se[0] = 1;
  log.Add(layer);
  const auto d = Replay(log.Draw());
  bool found = false;
  for (const auto& q : d.quads) {
    if (q.texture == R"(TEX\SYSTEM\parallel.png)") {
      found = true;
      EXPECT_FLOAT_EQ(q.corners[0].x, -1.3f + 0.29f + 0.01f);
    }
  }
  EXPECT_TRUE(found);
}

TEST(Marks, DisplaySwitchesHideOnlyTheirMarks) {
  model::LayerRecord layer = Sand(0, 2);
  layer.DSe[0] = 1;
  layer.Se[0] = 2;
  layer.DEc[0] = 1;
  layer.Ec[0] = 1;
  layer.DSa[0] = 1.5f;
  layer.Sa[0] = 1;
  const struct {
    bool structures, features, samples;
  } cases[] = {{true, true, true}, {false, true, true}, {true, false, true}, {true, true, false}};
  for (const auto& c : cases) {
    Log log;
    log.view.showStructures = c.structures;
    log.view.showFeatures = c.features;
    log.view.showSamples = c.samples;
    log.Add(layer);
    const auto d = Replay(log.Draw());
    int ripple = 0;
    int nodule = 0;
    for (const auto& q : d.quads) {
      ripple += q.texture == R"(TEX\SYSTEM\ripple.png)";
      nodule += q.texture == R"(TEX\SYSTEM\nodule.png)";
    }
    EXPECT_EQ(ripple, c.structures ? 1 : 0);
    EXPECT_EQ(nodule, c.features ? 1 : 0);
    ASSERT_EQ(d.triangles.size(), c.samples ? 1u : 0u);
    if (c.samples) {
      const float depth = static_cast<float>(0.975621 * 1.5 / 10);
      EXPECT_FLOAT_EQ(d.triangles[0].a.x, -1.3f);
      EXPECT_FLOAT_EQ(d.triangles[0].a.y, 1.2f - depth);
      EXPECT_FLOAT_EQ(d.triangles[0].b.x, -1.33f);
      EXPECT_FLOAT_EQ(d.triangles[0].b.y, 1.21f - depth);
    }
  }
}

// ---------------------------------------------------------------------------
// The fast frame: the same drawing with what cannot change a pixel left out.

// The sheet offset of every entry drawn, in order; the log name's own block
// at the end has none.
std::vector<float> SheetsDrawn(const RecordingCanvas& canvas) {
  std::vector<float> sheets;
  for (const auto& lines : borvik::testing::Replay(canvas).lines) {
    // The frame lines end every entry's first batch: the strip's top line
    // starts at x0.
    if (lines.points.size() == 30 || lines.points.size() == 6) {
      sheets.push_back(lines.points[lines.points.size() - 6].x + 1.3f);
    }
  }
  return sheets;
}

int Count(const RecordingCanvas& canvas, const std::string& text) {
  int n = 0;
  for (const auto& t : canvas.All<op::Text>()) n += t.utf8 == text;
  return n;
}

// One 20 m layer on each of sheets 1 to 10 at 1/100.
Log TenSheets() {
  Log log;
  for (int k = 0; k < 10; ++k) log.Add(Sand(25.0f * k, 25.0f * k + 20));
  return log;
}

TEST(FastFrame, SkipsEntriesThatCannotReachThePicture) {
  Log log = TenSheets();
  const auto near = [](float a, float b) { return std::fabs(a - b) < 1e-4f; };
  // Sheet 5's labels reach into the right edge; sheet 6 lies beyond it.
  const auto shown = SheetsDrawn(log.Draw(FrameOptions::Fast()));
  ASSERT_EQ(shown.size(), 6u);  // entry 0 and sheets 1 to 5
  EXPECT_TRUE(near(shown.back(), 2.8f)) << shown.back();
  // Scrolled by 5 world units: sheets 8 to 12 could show, the log has 10.
  log.view.scrollPosition = 50;
  const auto scrolled = SheetsDrawn(log.Draw(FrameOptions::Fast()));
  ASSERT_EQ(scrolled.size(), 3u);
  EXPECT_TRUE(near(scrolled.front(), 4.9f)) << scrolled.front();
  // A range of the caller's, whatever the camera: the columns of sheets 4
  // and 5 start at 0.8 and 1.5.
  const auto ranged = SheetsDrawn(log.Draw({FrameMode::kFast, WorldRange{1.0, 1.6}}));
  ASSERT_EQ(ranged.size(), 2u);
  EXPECT_TRUE(near(ranged[0], 2.1f) && near(ranged[1], 2.8f));
  // Every entry, as print wants it, and the literal frame.
  EXPECT_EQ(SheetsDrawn(log.Draw(FrameOptions::EveryEntry())).size(), 11u);
  EXPECT_EQ(SheetsDrawn(log.Draw(FrameOptions::Literal())).size(), 11u);
}

TEST(FastFrame, DrawsTheLastEntryWhileItsLegendCanShow) {
  Log log;
  log.Add(Sand(0, 10));
  log.Add(Sand(10, 20));
  // The camera 1 unit right: sheet 1's column is out of the picture, the
  // legend beside it is not.
  log.view.scrollPosition = 10;
  EXPECT_EQ(SheetsDrawn(log.Draw(FrameOptions::Fast())).size(), 0u);
  log.view.showLegend = true;
  const RecordingCanvas canvas = log.Draw(FrameOptions::Fast());
  EXPECT_EQ(SheetsDrawn(canvas).size(), 1u);
  EXPECT_EQ(Count(canvas, "凡　例"), 1);
  // Far enough right, the legend goes too.
  log.view.scrollPosition = 30;
  EXPECT_EQ(Count(log.Draw(FrameOptions::Fast()), "凡　例"), 0);
}

TEST(FastFrame, DrawsEachSheetsAxisCaptionsAndTheLogNameOnce) {
  Log log;
  log.header.name = "B-7";
  // Three entries on sheet 1, two on sheet 2 (the third layer crosses).
  log.Add(Sand(0, 5));
  log.Add(Sand(5, 12));
  log.Add(Sand(12, 30));
  log.Add(Sand(30, 31));
  const RecordingCanvas literal = log.Draw(FrameOptions::Literal());
  const RecordingCanvas fast = log.Draw(FrameOptions::Fast());
  EXPECT_EQ(Count(literal, "Dep.(m)"), 6);
  EXPECT_EQ(Count(literal, "B-7"), 6);
  EXPECT_EQ(Count(fast, "Dep.(m)"), 2);
  EXPECT_EQ(Count(fast, "M"), 2);
  EXPECT_EQ(Count(fast, "B-7"), 1);
  // The log name comes last, after every entry.
  EXPECT_EQ(fast.All<op::Text>().back().utf8, "B-7");
  // Every label the literal frame draws, once: sheet 1 down to 25 m (its
  // deepest entry), sheet 2 down to 31 m.
  std::set<std::tuple<float, float, std::string>> wanted;
  std::vector<std::tuple<float, float, std::string>> drawn;
  for (const auto& t : literal.All<op::Text>()) wanted.insert({t.x, t.y, t.utf8});
  for (const auto& t : fast.All<op::Text>()) drawn.push_back({t.x, t.y, t.utf8});
  EXPECT_EQ(std::set(drawn.begin(), drawn.end()), wanted);
  EXPECT_EQ(drawn.size(), wanted.size());
  // Sheet 1's grain-size scale and frame lines in one batch with the last
  // entry of the sheet, the others draw their frame lines alone.
  int scales = 0;
  for (const auto& lines : fast.All<op::Lines>()) scales += lines.points.size() == 30;
  EXPECT_EQ(scales, 2);
}

TEST(FastFrame, AShallowerLaterEntryLeavesTheDeeperAxisDrawn) {
  Log log;
  // Entered out of order: the deeper layer first.
  log.Add(Sand(10, 20));
  log.Add(Sand(0, 5));
  const RecordingCanvas fast = log.Draw(FrameOptions::Fast());
  int deepest = 0;
  for (const auto& t : fast.All<op::Text>()) deepest += t.utf8 == "  20";
  EXPECT_EQ(deepest, 1);
  // Entry 0 (bottom 0) and the shallow entry are both within the 20 m
  // axis; the shallow one comes later and draws its own again.
  EXPECT_EQ(Count(fast, "Dep.(m)"), 2);
}

}  // namespace
}  // namespace borvik::render
