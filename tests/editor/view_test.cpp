// The display buttons, the scale list and the scroll bar: they change the
// picture, never the log or the form.

#include <gtest/gtest.h>

#include "editor/messages.h"
#include "editor_harness.h"

namespace borvik::editor {
namespace {

using testing::Editor;
using namespace testing;

TEST(DisplayToggle, FlagsAndCaptions) {
  const struct {
    int id;
    bool render::ViewOptions::*flag;
    bool initially;
    const char* initialCaption;
    const char* toggledCaption;
  } cases[] = {
      {1090, &render::ViewOptions::showStructures, true, "堆積構造　表示有", "堆積構造　表示無"},
      {1091, &render::ViewOptions::showFeatures, true, "その他の特徴　表示有",
       "その他の特徴　表示無"},
      {1092, &render::ViewOptions::showSamples, true, "試料採取位置　表示有",
       "試料採取位置　表示無"},
      {1093, &render::ViewOptions::showLegend, false, "凡例　表示無", "凡例　表示有"},
      {1100, &render::ViewOptions::elevationLabels, false, "標高表示に変更", "深度表示に変更"},
  };
  Editor e;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(e.State().Button(c.id)->caption, c.initialCaption);
    EXPECT_EQ(e.session->View().*c.flag, c.initially);
    const render::ViewOptions before = e.session->View();
    const int redraws = e.ui.redraws;
    e.session->OnDisplayToggle(c.id);
    EXPECT_EQ(e.session->View().*c.flag, !c.initially);
    EXPECT_EQ(e.State().Button(c.id)->caption, c.toggledCaption);
    EXPECT_EQ(e.ui.redraws, redraws + 1);
    // Only this switch moved.
    render::ViewOptions expected = before;
    expected.*c.flag = !c.initially;
    EXPECT_EQ(e.session->View(), expected);
    e.session->OnDisplayToggle(c.id);
    EXPECT_EQ(e.session->View().*c.flag, c.initially);
    EXPECT_EQ(e.State().Button(c.id)->caption, c.initialCaption);
  }
}

TEST(ScaleChange, RebuildsTheDrawingFromTheFirstEntry) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "10", kClayBox).accepted);
  ASSERT_TRUE(e.Enter("10", "20", kFineSandBox).accepted);
  ASSERT_TRUE(e.Enter("20", "25", kCoarseSandBox).accepted);
  ASSERT_EQ(e.session->Drawing().EntryCount(), 3);
  // A bottom typed but not entered stays in its box.
  e.State().bot = "27";

  e.State().scale.selection = 0;  // 1/50: sheets of 13 m
  const int redraws = e.ui.redraws;
  e.session->OnScaleChange();
  EXPECT_EQ(e.ui.redraws, redraws + 1);
  EXPECT_EQ(e.session->View().scaleIndex, 0);
  const render::DrawTable& drawing = e.session->Drawing();
  ASSERT_EQ(drawing.EntryCount(), 4);
  const struct {
    float x, top, bottom;
  } rows[] = {{0.0f, 0.0f, 10.0f}, {0.0f, 10.0f, 13.0f}, {0.7f, 0.0f, 7.0f}, {0.7f, 7.0f, 12.0f}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_FLOAT_EQ(drawing.Entry(i + 1).x, rows[i].x);
    EXPECT_FLOAT_EQ(drawing.Entry(i + 1).top, rows[i].top);
    EXPECT_FLOAT_EQ(drawing.Entry(i + 1).bottom, rows[i].bottom);
  }
  EXPECT_EQ(e.State().bot, "27");
  EXPECT_EQ(e.State().top, "25");

  // The next entry is checked against the new scale's limit.
  e.State().bot = "38";
  EXPECT_FALSE(e.session->EnterLayer().accepted);
  EXPECT_EQ(e.ui.TakeMessages().back(), "入力深度の差分を13m以下で入力ください。\n");
}

// A scale list whose text was typed over draws as 1/50, the scale its
// thickness rule applies.
TEST(ScaleChange, NoSelectionDrawsAs50) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "12", kClayBox).accepted);
  ASSERT_TRUE(e.Enter("12", "14", kClayBox).accepted);
  e.State().scale.selection = -1;
  e.session->OnScaleChange();
  EXPECT_EQ(e.session->View().scaleIndex, 0);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 3);  // the second layer crosses 13 m
}

TEST(ScaleChange, ALayerEnteredAt400ShownAt100) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  e.State().scale.selection = 3;
  e.session->OnScaleChange();
  ASSERT_TRUE(e.Enter("0", "60", kClayBox).accepted);
  ASSERT_EQ(e.session->Drawing().EntryCount(), 1);
  e.State().scale.selection = 1;
  e.session->OnScaleChange();
  // One row per sheet it touches, the middle one a full sheet.
  const render::DrawTable& drawing = e.session->Drawing();
  ASSERT_EQ(drawing.EntryCount(), 3);
  EXPECT_FLOAT_EQ(drawing.Entry(1).bottom, 25.0f);
  EXPECT_FLOAT_EQ(drawing.Entry(2).x, 0.7f);
  EXPECT_FLOAT_EQ(drawing.Entry(2).bottom, 25.0f);
  EXPECT_EQ(drawing.Entry(2).Bou, -1);
  EXPECT_FLOAT_EQ(drawing.Entry(3).x, 1.4f);
  EXPECT_FLOAT_EQ(drawing.Entry(3).bottom, 10.0f);
  EXPECT_TRUE(e.ui.messages.empty());
}

TEST(ScaleChange, SaysWhenALayerIsTooLongToDraw) {
  // Only a file brings such a layer: 1000 km is beyond any drawing.
  Editor e;
  e.Load("deep.csv", "DEEP,10,\r\n" + HeaderLine() + PlainLine("0,5,0,0,0,0.15,0.15") +
                         PlainLine("5,1e6,5,0,0,0.15,0.15"));
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{std::string(kDrawingFullMessage)});
  EXPECT_EQ(e.session->Drawing().EntryCount(), 1);
  e.State().scale.selection = 0;
  e.session->OnScaleChange();
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{std::string(kDrawingFullMessage)});
}

TEST(Scroll, PositionAndBar) {
  Editor e;
  const struct {
    ScrollEvent event;
    int times;
    int thumb;
    int position;
    int bar;
  } steps[] = {
      {ScrollEvent::LineLeft, 1, 0, 0, 0},  // not below 0
      {ScrollEvent::LineRight, 10, 0, 10, 10},
      {ScrollEvent::PageLeft, 1, 0, 5, 5},
      {ScrollEvent::PageLeft, 2, 0, 0, 0},
      {ScrollEvent::ThumbTrack, 1, 37, 37, 37},
      {ScrollEvent::ThumbPosition, 1, 50, 50, 50},
      {ScrollEvent::PageRight, 9, 0, 95, 50},  // the thumb stays at the end
      {ScrollEvent::PageRight, 2, 0, 100, 50},
      {ScrollEvent::LineRight, 1, 0, 100, 50},
      {ScrollEvent::Other, 1, 0, 100, 50},
      {ScrollEvent::LineLeft, 3, 0, 97, 50},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.position);
    const int redraws = e.ui.redraws;
    for (int i = 0; i < step.times; ++i) e.session->OnScroll(step.event, step.thumb);
    EXPECT_EQ(e.session->View().scrollPosition, step.position);
    EXPECT_EQ(e.State().scrollBar, step.bar);
    EXPECT_EQ(e.ui.redraws, redraws + step.times);
  }
}

// The position is read back from the bar at the next form transfer, which
// reports no more than 50. Scrolling itself leaves typed text alone.
TEST(Scroll, TypedTextStaysAndTheReadBackFallsTo50) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  e.TypeDepths("0", "1.50");
  for (int i = 0; i < 14; ++i) e.session->OnScroll(ScrollEvent::PageRight);
  ASSERT_EQ(e.session->View().scrollPosition, 70);
  EXPECT_EQ(e.State().bot, "1.50");
  e.Tick(kClayBox);
  ASSERT_TRUE(e.session->EnterLayer().accepted);
  EXPECT_EQ(e.session->View().scrollPosition, 50);
  EXPECT_EQ(e.State().scrollBar, 50);
  EXPECT_EQ(e.session->Log().layers.Get(1).bot, 1.5f);
}

}  // namespace
}  // namespace borvik::editor
