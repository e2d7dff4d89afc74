// 層を挿入 and 層を削除: a layer put in before the one shown, or taken out,
// with the work file, the drawing and the form following.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/messages.h"
#include "editor_harness.h"

namespace borvik::editor {
namespace {

using testing::Editor;
using namespace testing;

const std::string kHead = "B-1,12.5,\r\n" + HeaderLine();
const std::string kClay02 = PlainLine("0,2,0,0,0,0.15,0.15");
const std::string kFineSand25 = PlainLine("2,5,2,0,0,0.19,0.19");
const std::string kCoarseSand59 = PlainLine("5,9,5,0,0,0.21,0.21");

std::vector<float> Tops(const Editor& e) {
  std::vector<float> tops;
  const model::LayerTable& layers = e.session->Log().layers;
  for (int slot = 1; slot <= layers.LayerCount(); ++slot) tops.push_back(layers.Get(slot).top);
  return tops;
}

TEST(InsertLayer, PutsTheFormBeforeTheLayerShownAndKeepsShowingIt) {
  Editor e;
  EnterThree(e);
  e.session->ShowPreviousLayer();  // layer 2
  ASSERT_EQ(e.State().recordLabel, "柱状図データ：  2 /   3");
  // The form's values become the new layer: granule from 2 to 3.5 m.
  e.TypeDepths("2", "3.5");
  Untick(e);
  e.Tick(kGranuleBox);
  const int redraws = e.ui.redraws;
  ASSERT_TRUE(e.session->InsertLayer().accepted);
  EXPECT_TRUE(e.ui.messages.empty());
  EXPECT_GT(e.ui.redraws, redraws);

  EXPECT_EQ(Tops(e), (std::vector<float>{0, 2, 2, 5}));
  EXPECT_EQ(e.session->Log().layers.Get(2).RF1, model::kGranule);
  EXPECT_EQ(e.session->Log().layers.NextFreeSlot(), 5);
  EXPECT_EQ(e.WorkFile(),
            kHead + kClay02 + PlainLine("2,3.5,2,0,0,0.24,0.24") + kFineSand25 + kCoarseSand59);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 4);
  EXPECT_TRUE(e.session->Legend().gravel);
  // The layer that was shown, now layer 3, in edit mode.
  EXPECT_EQ(e.session->Mode(), EntryMode::Edit);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  3 /   4");
  EXPECT_EQ(e.State().top, "2");
  EXPECT_EQ(e.State().bot, "5");
  EXPECT_TRUE(e.State().CheckBox(kFineSandBox)->checked);
  EXPECT_FALSE(e.State().CheckBox(kGranuleBox)->checked);
  EXPECT_EQ(e.session->ShownLayer(), 3);
}

TEST(InsertLayer, BeforeTheFirstLayer) {
  Editor e;
  EnterThree(e);
  e.session->ShowLayer(1);
  e.TypeDepths("0", "0.5");
  Untick(e);
  e.Tick(kSiltBox);
  ASSERT_TRUE(e.session->InsertLayer().accepted);
  EXPECT_EQ(Tops(e), (std::vector<float>{0, 0, 2, 5}));
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  2 /   4");
  EXPECT_EQ(e.State().bot, "2");
}

// Outside edit mode 層を挿入 is データ入力; where data entry refuses, so
// does insertion, with the same words, and nothing is stored.
TEST(InsertLayer, RefusesAsDataEntryDoes) {
  {
    SCOPED_TRACE("append mode appends");
    Editor e;
    EnterThree(e);
    e.TypeDepths("9", "10");
    e.Tick(kClayBox);
    ASSERT_TRUE(e.session->InsertLayer().accepted);
    EXPECT_EQ(e.WorkFile(),
              kHead + kClay02 + kFineSand25 + kCoarseSand59 + PlainLine("9,10,9,0,0,0.15,0.15"));
    EXPECT_EQ(e.session->Mode(), EntryMode::Append);
  }
  const struct {
    const char* label;
    std::string message;
    void (*arrange)(Editor&);
  } cases[] = {
      {"a rule of data entry", std::string(kThicknessMessages[1]),
       [](Editor& e) {
         e.session->ShowLayer(2);
         e.TypeDepths("2", "40");
       }},
      {"record 0", std::string(kRecordZeroMessage),
       [](Editor& e) {
         e.session->ShowLayer(1);
         e.session->ShowPreviousLayer();
         e.TypeDepths("0", "1");
         e.Tick(kClayBox);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Editor e;
    EnterThree(e);
    c.arrange(e);
    const std::string work = e.WorkFile();
    const std::size_t steps = e.session->History().UndoSteps();
    EXPECT_FALSE(e.session->InsertLayer().accepted);
    EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{c.message});
    EXPECT_EQ(e.WorkFile(), work);
    EXPECT_EQ(e.session->Log().layers.LayerCount(), 3);
    EXPECT_EQ(e.session->History().UndoSteps(), steps);
  }
}

TEST(InsertLayer, AFullTableRefusesEvenInEditMode) {
  Editor e;
  std::string full = kHead;
  for (int layer = 0; layer < model::LayerTable::kMaxLayers; ++layer) {
    full += PlainLine(std::to_string(layer) + "," + std::to_string(layer + 1) + "," +
                      std::to_string(layer) + ",0,0,0.15,0.15");
  }
  e.Load("full.csv", full);
  e.session->ShowLayer(500);
  EXPECT_FALSE(e.session->InsertLayer().accepted);
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{std::string(kTableFullMessage)});
  EXPECT_EQ(e.WorkFile(), full);
  // Once a layer is gone there is room again.
  e.ui.yesNoAnswers.push_back(true);
  e.session->DeleteLayer();
  ASSERT_EQ(e.session->Log().layers.LayerCount(), 998);
  e.TypeDepths("499", "500");
  EXPECT_TRUE(e.session->InsertLayer().accepted);
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 999);
  EXPECT_EQ(e.WorkFile(), full);
}

TEST(DeleteLayer, AsksThenTakesOutTheLayerShown) {
  Editor e;
  EnterThree(e);
  e.session->ShowLayer(2);
  e.ui.yesNoAnswers.push_back(true);
  e.session->DeleteLayer();
  EXPECT_EQ(e.ui.questions, std::vector<std::string>{"この層を削除しますか？"});
  EXPECT_TRUE(e.ui.messages.empty());
  EXPECT_EQ(Tops(e), (std::vector<float>{0, 5}));
  EXPECT_EQ(e.WorkFile(), kHead + kClay02 + kCoarseSand59);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 2);
  // The layer that followed, now in slot 2.
  EXPECT_EQ(e.session->Mode(), EntryMode::Edit);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  2 /   2");
  EXPECT_EQ(e.State().top, "5");
  EXPECT_TRUE(e.State().CheckBox(kCoarseSandBox)->checked);
}

TEST(DeleteLayer, TheLastLayerReturnsToAppending) {
  Editor e;
  EnterThree(e);
  e.session->ShowLayer(3);
  e.ui.yesNoAnswers.push_back(true);
  e.session->DeleteLayer();
  EXPECT_EQ(e.WorkFile(), kHead + kClay02 + kFineSand25);
  EXPECT_EQ(e.session->Mode(), EntryMode::Append);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  2 /   2");
  EXPECT_EQ(e.State().top, "5");
  EXPECT_EQ(e.State().bot, "0");
  EXPECT_FALSE(e.State().nextEnabled);
  EXPECT_FALSE(e.session->CanDeleteLayer());
  // The next entry goes below the new last layer.
  ASSERT_TRUE(e.Enter("5", "6", kClayBox).accepted);
  EXPECT_EQ(e.WorkFile(), kHead + kClay02 + kFineSand25 + PlainLine("5,6,5,0,0,0.15,0.15"));
}

TEST(DeleteLayer, NoOrNothingShownChangesNothing) {
  Editor e;
  EnterThree(e);
  const std::string work = e.WorkFile();
  const std::size_t steps = e.session->History().UndoSteps();
  // Appending, and record 0: no stored layer is shown; nothing is asked.
  EXPECT_FALSE(e.session->CanDeleteLayer());
  e.session->DeleteLayer();
  e.session->ShowLayer(1);
  e.session->ShowPreviousLayer();
  EXPECT_FALSE(e.session->CanDeleteLayer());
  e.session->DeleteLayer();
  EXPECT_TRUE(e.ui.questions.empty());
  // いいえ.
  e.session->ShowLayer(2);
  EXPECT_TRUE(e.session->CanDeleteLayer());
  e.ui.yesNoAnswers.push_back(false);
  e.session->DeleteLayer();
  EXPECT_EQ(e.ui.questions.size(), 1u);
  EXPECT_EQ(e.WorkFile(), work);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  2 /   3");
  EXPECT_EQ(e.session->History().UndoSteps(), steps);
}

TEST(DeleteLayer, EveryLayerGoneLeavesAnEmptyLogThatStillHasItsName) {
  Editor e;
  EnterThree(e);
  for (int i = 0; i < 3; ++i) {
    e.session->ShowLayer(1);
    e.ui.yesNoAnswers.push_back(true);
    e.session->DeleteLayer();
  }
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 0);
  EXPECT_EQ(e.WorkFile(), kHead);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  0 /   0");
  EXPECT_EQ(e.State().top, "0");
  EXPECT_EQ(e.session->Drawing().EntryCount(), 0);
  EXPECT_EQ(e.State().name, "B-1");
}

}  // namespace
}  // namespace borvik::editor
