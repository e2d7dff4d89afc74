// 前のデータ / 次のデータ over the stored layers, and a stored layer shown
// in the form.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "editor/messages.h"
#include "editor_harness.h"

namespace borvik::editor {
namespace {

using testing::Editor;
using namespace testing;

struct Step {
  void (Session::*press)();
  const char* label;
  EntryMode mode;
  bool nextEnabled;
  const char* top;  // what the form shows
  const char* bot;
  std::vector<std::string> messages;
};

void Walk(Editor& e, const std::vector<Step>& steps) {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Step& step = steps[i];
    SCOPED_TRACE("step " + std::to_string(i + 1));
    (e.session.get()->*step.press)();
    EXPECT_EQ(e.State().recordLabel, step.label);
    EXPECT_EQ(e.session->Mode(), step.mode);
    EXPECT_EQ(e.State().nextEnabled, step.nextEnabled);
    EXPECT_EQ(e.State().top, step.top);
    EXPECT_EQ(e.State().bot, step.bot);
    EXPECT_EQ(e.ui.TakeMessages(), step.messages);
  }
}

constexpr auto kPrevious = &Session::ShowPreviousLayer;
constexpr auto kNext = &Session::ShowNextLayer;
const std::string kNoEarlier(kNoEarlierRecordMessage);

TEST(Navigation, ThreeLayersBackAndForth) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  ASSERT_TRUE(e.Enter("2", "5", kFineSandBox).accepted);
  ASSERT_TRUE(e.Enter("5", "9", kCoarseSandBox).accepted);
  const std::string work = e.WorkFile();
  const auto edit = EntryMode::Edit;
  const auto append = EntryMode::Append;
  Walk(e, {
              {kPrevious, "柱状図データ：  2 /   3", edit, true, "2", "5", {}},
              {kNext, "柱状図データ：  3 /   3", edit, true, "5", "9", {}},
              {kNext, "柱状図データ：  3 /   3", append, false, "9", "0", {}},
              {kNext, "柱状図データ：  3 /   3", append, false, "9", "0", {}},
              {kPrevious, "柱状図データ：  2 /   3", edit, true, "2", "5", {}},
              {kPrevious, "柱状図データ：  1 /   3", edit, true, "0", "2", {}},
              // Record 0: the empty place before layer 1.
              {kPrevious, "柱状図データ：  0 /   3", edit, true, "0", "0", {}},
              {kPrevious, "柱状図データ：  0 /   3", edit, true, "0", "0", {kNoEarlier}},
              {kNext, "柱状図データ：  1 /   3", edit, true, "0", "2", {}},
          });
  // Looking changes nothing.
  EXPECT_EQ(e.WorkFile(), work);
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 3);
  EXPECT_EQ(e.session->Log().layers.Get(3).bot, 9.0f);
}

TEST(Navigation, EmptyLogAndOneLayer) {
  {
    Editor e;
    const auto append = EntryMode::Append;
    Walk(e, {
                {kPrevious, "柱状図データ：0/0", append, true, "0", "0", {kNoEarlier}},
                {kNext, "柱状図データ：  0 /   0", append, false, "0", "0", {}},
            });
  }
  {
    Editor e;
    e.TypeHeader("B-1", "12.5");
    ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
    Walk(e, {
                {kPrevious, "柱状図データ：  0 /   1", EntryMode::Edit, true, "0", "0", {}},
                {kNext, "柱状図データ：  1 /   1", EntryMode::Edit, true, "0", "2", {}},
            });
    EXPECT_TRUE(e.State().CheckBox(kClayBox)->checked);
  }
}

// Each stored layer, loaded from a file, as the form shows it.
TEST(LoadFormFromLayer, ShowsTheStoredLayer) {
  const struct {
    const char* label;
    std::string line;
    std::vector<int> checked;
    std::function<void(const MainWindowState&)> more;
  } cases[] = {
      {"inverse grading shows its entry and both boxes",
       PlainLine("0,2,1,2,0,0.21,0.15"), {kClayBox, kCoarseSandBox},
       [](const MainWindowState& s) {
         EXPECT_EQ(s.lithologyChange.selection, 2);
         EXPECT_EQ(s.lithologyChange.entries[2], "逆級化構造");
         EXPECT_EQ(s.int_, "1");
       }},
      {"fine ash is not very fine sand", PlainLine("0,2,0,0,0,0.1799,0.1799"), {kFineAshBox}, {}},
      {"very fine sand is not fine ash", PlainLine("0,2,0,0,0,0.18,0.18"), {kVeryFineSandBox}, {}},
      {"bedrock checks its own box only", PlainLine("0,2,0,0,3,0.29,0.32"), {kLimestoneBox},
       [](const MainWindowState& s) { EXPECT_EQ(s.base.selection, 3); }},
      {"a code from no table checks nothing", PlainLine("0,2,0,0,0,0.3,0.3"), {}, {}},
      {"structure 2 of kind 3 and the marks",
       "0,2,0,0,4,0.15,0.15,4,3,-1,0,1.5,3,-1,-1,-1,0,0.5,9,-1,0,-1,0,1.25,1,-1,0,-1,0,2,1\r\n",
       {kClayBox},
       [](const MainWindowState& s) {
         EXPECT_EQ(s.structureKinds[1].selection, 3);
         EXPECT_EQ(s.structureKinds[1].entries[3], "斜交層理");
         EXPECT_EQ(s.structureDepths[1], "1.5");
         // A kind of -1 leaves its list without a selection.
         EXPECT_EQ(s.structureKinds[2].selection, -1);
         EXPECT_EQ(s.featureKinds[0].selection, 9);
         EXPECT_EQ(s.featureDepths[0], "0.5");
         EXPECT_EQ(s.sampleDepths[0], "1.25");
         EXPECT_EQ(s.sampleDepths[3], "2");
         EXPECT_EQ(s.base.selection, 4);
         EXPECT_EQ(s.rockQuality, 4);
         EXPECT_EQ(s.weathering, 3);
       }},
      {"codes outside the lists and radio groups select nothing",
       "0,2,0,7,9,0.15,0.15,5,8,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0\r\n",
       {kClayBox},
       [](const MainWindowState& s) {
         EXPECT_EQ(s.lithologyChange.selection, -1);
         EXPECT_EQ(s.base.selection, -1);
         EXPECT_EQ(s.rockQuality, -1);
         EXPECT_EQ(s.weathering, -1);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Editor e;
    e.Load("in.csv", "B-1,12.5,\r\n" + HeaderLine() + c.line);
    ASSERT_EQ(e.session->Log().layers.LayerCount(), 1);
    for (const CheckBoxState& box : e.State().lithology) {
      const bool expected =
          std::find(c.checked.begin(), c.checked.end(), box.id) != c.checked.end();
      EXPECT_EQ(box.checked, expected) << box.id;
    }
    if (c.more) c.more(e.State());
    // Stepping away and back shows the same.
    const MainWindowState shown = e.State();
    e.session->ShowPreviousLayer();
    e.session->ShowNextLayer();
    MainWindowState again = e.State();
    again.recordLabel = shown.recordLabel;
    EXPECT_EQ(again, shown);
  }
}

}  // namespace
}  // namespace borvik::editor
