#include "render/frame.h"

#include <gtest/gtest.h>

#include <memory>

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
  // An unknown scale keeps the factor of the frame before.
  log.view.scaleIndex = 9;
  const auto again = Replay(log.Draw(renderer));
  EXPECT_FLOAT_EQ(FrameLines(again, 1)[27].y, 1.2f - bottom);
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

}  // namespace
}  // namespace borvik::render
