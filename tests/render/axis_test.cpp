#include "render/axis.h"

#include <gtest/gtest.h>

#include "render/recording_canvas.h"
#include "support/canvas_text.h"

namespace borvik::render {
namespace {

using borvik::testing::FindText;

struct Case {
  const char* what;
  int scale;
  bool elevation;
  float elevationValue;
  int sheet;       // 1-based
  float bottom;    // metres below the sheet top
  std::vector<long long> labels;
};

AxisLayout Layout(const Case& c) {
  DrawEntry entry;
  entry.x = static_cast<float>((c.sheet - 1) * 0.7);
  entry.bottom = c.bottom;
  EntryValues v;
  v.x = entry.x;
  v.x0 = entry.x - 1.3f;
  v.scale = model::kScales[c.scale].factor;
  ViewOptions view;
  view.scaleIndex = c.scale;
  view.elevationLabels = c.elevation;
  return LayOutDepthAxis(entry, v, view, c.elevationValue);
}

std::vector<long long> Values(const AxisLayout& layout) {
  std::vector<long long> values;
  for (const AxisLabel& label : layout.labels) values.push_back(label.value);
  return values;
}

TEST(DepthAxis, LabelsEachSheetFromItsTopDepth) {
  const Case cases[] = {
      {"1/100 sheet 1", 1, false, 0, 1, 3, {0, 1, 2, 3}},
      {"1/100 sheet 2", 1, false, 0, 2, 2.5f, {25, 26, 27, 28}},
      {"1/100 sheet 4", 1, false, 0, 4, 0.5f, {75, 76}},
      {"1/50 sheet 2", 0, false, 0, 2, 1, {13, 14}},
      {"1/200 sheet 2", 2, false, 0, 2, 12, {50, 55, 60}},
      {"1/400 sheet 2", 3, false, 0, 2, 20, {100, 105, 110, 115, 120}},
      {"empty log", 1, false, 0, 1, 0, {0}},
      {"elevation 12.4", 1, true, 12.4f, 1, 2, {12, 11, 10}},
      {"negative elevation", 1, true, -3.5f, 1, 1, {-3, -4}},
      {"elevation at 1/200", 2, true, 12.0f, 1, 12, {10, 5, 0}},
      {"elevation at 1/400", 3, true, 7.0f, 1, 8, {5, 0}},
      {"elevation multiples below 0", 2, true, -2.0f, 1, 9, {-5, -10}},
  };
  for (const Case& c : cases) EXPECT_EQ(Values(Layout(c)), c.labels) << c.what;
}

TEST(DepthAxis, TicksAndLabelsSitWhereTheyShould) {
  const AxisLayout layout = Layout({"", 1, false, 0, 1, 2, {}});
  // Ticks at 0, 1 and 2 m (the bound is 0.975621 x 2 + 0.9).
  ASSERT_EQ(layout.ticks.size(), 6u);
  EXPECT_FLOAT_EQ(layout.ticks[0].x, -1.3f);
  EXPECT_FLOAT_EQ(layout.ticks[1].x, -1.32f);
  EXPECT_FLOAT_EQ(layout.ticks[2].y, 1.2f - static_cast<float>(0.975621 * 1 / 10));
  EXPECT_FLOAT_EQ(layout.labels[1].y, layout.ticks[2].y - 0.02f);
  EXPECT_FLOAT_EQ(layout.labelX, -1.42f);

  // 1/200: ticks every metre, labels every 5 m at the 5 m ticks.
  const AxisLayout fives = Layout({"", 2, false, 0, 1, 10, {}});
  EXPECT_EQ(fives.ticks.size(), 2u * 11);
  EXPECT_FLOAT_EQ(fives.labels[1].y, 1.18f - static_cast<float>(0.5 * 0.975621 * 5 / 10));

  // Elevation 12.4: the first tick 0.4 m below the sheet top.
  const AxisLayout elevation = Layout({"", 1, true, 12.4f, 1, 2, {}});
  EXPECT_NEAR(elevation.ticks[0].y, 1.2f - 0.975621f * 0.4f / 10, 1e-6);

  // 1/400 in elevation mode ticks only the labelled metres.
  const AxisLayout coarse = Layout({"", 3, true, 7.0f, 1, 8, {}});
  EXPECT_EQ(coarse.ticks.size(), 4u);
}

TEST(DepthAxis, LabelsAreRightAlignedInFourCells) {
  RecordingCanvas canvas;
  DrawEntry entry;
  EntryValues v;
  v.x0 = -1.3f;
  ViewOptions view;
  view.elevationLabels = true;
  DrawDepthAxis(canvas, entry, v, view, -5.0f);
  const auto places = FindText(canvas, "  -5");
  ASSERT_EQ(places.size(), 1u);
  EXPECT_FLOAT_EQ(places[0].x, -1.42f);
  EXPECT_FLOAT_EQ(places[0].y, 1.18f);
}

TEST(DepthAxis, NegativeOrHugeValuesStayBounded) {
  ViewOptions elevationView;
  elevationView.elevationLabels = true;
  for (const float bottom : {-5.0f, -1e30f, 1e30f}) {
    for (const float elevation : {3e38f, -6.5e37f, 0.0f}) {
      for (const ViewOptions& view : {ViewOptions{}, elevationView}) {
        DrawEntry entry;
        entry.bottom = bottom;
        entry.x = 3e38f;
        EntryValues v;
        const AxisLayout layout = LayOutDepthAxis(entry, v, view, elevation);
        EXPECT_LE(layout.ticks.size(), 20000u);
      }
    }
  }
}

TEST(Captions, DrawNameLettersAndAxisCaption) {
  RecordingCanvas canvas;
  EntryValues v;
  v.x0 = -0.6f;
  model::LogHeader header{"B-1 地点", 12.5f};
  ViewOptions view;
  DrawCaptions(canvas, v, view, header);
  const auto name = FindText(canvas, "B-1 地点");
  ASSERT_EQ(name.size(), 1u);
  EXPECT_FLOAT_EQ(name[0].x, -1.35f);
  EXPECT_FLOAT_EQ(name[0].y, 1.35f);
  for (const auto& [letter, dx] : {std::pair{"M", 0.12f}, {"S", 0.19f}, {"G", 0.24f}, {"R", 0.29f}}) {
    const auto at = FindText(canvas, letter);
    ASSERT_FALSE(at.empty()) << letter;
    EXPECT_FLOAT_EQ(at.back().x, -0.6f + dx) << letter;
    EXPECT_FLOAT_EQ(at.back().y, 1.28f);
  }
  EXPECT_EQ(FindText(canvas, "Dep.(m)").size(), 1u);
  view.elevationLabels = true;
  canvas.Clear();
  DrawCaptions(canvas, v, view, header);
  EXPECT_EQ(FindText(canvas, "Dep.(m)").size(), 0u);
  ASSERT_EQ(FindText(canvas, "EL.(m)").size(), 1u);
  EXPECT_FLOAT_EQ(FindText(canvas, "EL.(m)")[0].x, -0.72f);
}

}  // namespace
}  // namespace borvik::render
