// 元に戻す and やり直し: every command that changes the log is one step, and
// undo brings back everything the step changed.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "editor/form_transfer.h"
#include "editor/messages.h"
#include "editor_harness.h"
#include "observed_state.h"

namespace borvik::editor {
namespace {

using borvik::testing::WriteBytes;
using testing::Editor;
using namespace testing;

const std::string kThreeLayers = "B-3,45.5,\r\n" + HeaderLine() + PlainLine("0,2,0,0,0,0.15,0.15") +
                                 PlainLine("2,5,2,0,1,0.19,0.19") +
                                 PlainLine("5,9,7,1,2,0.16,0.22");
// Bedrock and marks: other legend flags, other drawing entries.
const std::string kFiveLayers =
    "B-5 孔,3.25,\r\n" + HeaderLine() + PlainLine("0,1.5,0,0,0,0.18,0.18") +
    "1.5,4,1.5,0,3,0.29,0.33,2,1,2,3,-1,0,-1,0,-1,0,3,9,-1,0,-1,0,3.5,1,-1,0,-1,0,-1,0\r\n" +
    PlainLine("4,7.5,4,0,0,0.1799,0.1799") + PlainLine("7.5,30,7.5,0,4,0.29,0.32") +
    PlainLine("30,31,30,0,0,0,0");

// Each command that changes the log, from a state where it changes much:
// undo gives back the state before it, redo the state after it, as often
// as the user goes back and forth.
TEST(Undo, EachCommandIsOneStepThereAndBack) {
  const struct {
    const char* label;
    std::function<void(Editor&)> arrange;
    std::function<void(Editor&)> command;
  } cases[] = {
      {"データ入力, append",
       [](Editor& e) {
         EnterThree(e);
         e.TypeDepths("9", "10.5");
         e.Tick(kGranuleBox);
         e.State().sampleDepths[1] = "10";
       },
       [](Editor& e) { ASSERT_TRUE(e.session->EnterLayer().accepted); }},
      {"データ入力, the first layer of a log",
       [](Editor& e) {
         e.TypeHeader("B-1", "12.5");
         e.TypeDepths("0", "2");
         e.Tick(kClayBox);
       },
       [](Editor& e) { ASSERT_TRUE(e.session->EnterLayer().accepted); }},
      {"データ入力, edit",
       [](Editor& e) {
         EnterThree(e);
         e.session->ShowLayer(2);
         Untick(e);
         e.Tick(kGranuleBox);  // gravel comes into the legend
         e.State().name = "B-1 改";
       },
       [](Editor& e) { ASSERT_TRUE(e.session->EnterLayer().accepted); }},
      {"層を挿入",
       [](Editor& e) {
         EnterThree(e);
         e.session->ShowLayer(2);
         e.TypeDepths("2", "3");
         Untick(e);
         e.Tick(kFineAshBox);
       },
       [](Editor& e) { ASSERT_TRUE(e.session->InsertLayer().accepted); }},
      {"層を削除",
       [](Editor& e) {
         EnterThree(e);
         e.session->ShowLayer(2);
         e.ui.yesNoAnswers.push_back(true);
       },
       [](Editor& e) { e.session->DeleteLayer(); }},
      {"新規作成",
       [](Editor& e) {
         e.Load("five.csv", kFiveLayers);
         e.session->ShowLayer(2);
         e.State().bot = "3.75";  // typed, not entered
       },
       [](Editor& e) { e.session->OnFileNew(); }},
      {"柱状図データの読込, from a loaded and changed log",
       [](Editor& e) {
         e.Load("three.csv", kThreeLayers);
         Untick(e);
         e.State().lithologyChange.Select(0);
         ASSERT_TRUE(e.Enter("9", "10", kClayBox).accepted);
         WriteBytes(e.dir / "five.csv", kFiveLayers);
         e.ui.fileAnswers.push_back(e.dir / "five.csv");
       },
       [](Editor& e) { e.session->OnFileLoad(); }},
      {"設定の読込 (the log is reset even when no file is chosen)",
       [](Editor& e) {
         e.Load("five.csv", kFiveLayers);
         e.ui.fileAnswers.push_back(std::nullopt);
       },
       [](Editor& e) { e.session->OnSettingsLoad(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Editor e;
    c.arrange(e);
    const std::size_t steps = e.session->History().UndoSteps();
    const ObservedState before = Observe(e);
    c.command(e);
    EXPECT_TRUE(e.ui.TakeMessages().empty());
    const ObservedState after = Observe(e);
    ASSERT_FALSE(after == before);
    EXPECT_EQ(e.session->History().UndoSteps(), steps + 1);
    EXPECT_FALSE(e.session->CanRedo());
    for (int round = 0; round < 2; ++round) {
      SCOPED_TRACE(round);
      e.session->Undo();
      ExpectSameState(Observe(e), before);
      EXPECT_TRUE(e.session->CanRedo());
      e.session->Redo();
      ExpectSameState(Observe(e), after);
      EXPECT_FALSE(e.session->CanRedo());
    }
    EXPECT_TRUE(e.ui.messages.empty());
  }
}

// Undo puts the form back as it was typed: the same press then stores the
// same layer again.
TEST(Undo, TheFormComesBackAsTypedSoThePressCanBeRepeated) {
  Editor e;
  EnterThree(e);
  e.session->ShowLayer(2);
  e.TypeDepths("2", "4");
  e.State().structureDepths[0] = "3";
  e.State().structureKinds[0].Select(2);
  ASSERT_TRUE(e.session->EnterLayer().accepted);
  const ObservedState edited = Observe(e);
  e.session->Undo();
  EXPECT_EQ(e.State().bot, "4");
  EXPECT_EQ(e.State().structureKinds[0].selection, 2);
  EXPECT_EQ(e.session->Log().layers.Get(2).bot, 5.0f);
  ASSERT_TRUE(e.session->EnterLayer().accepted);
  ExpectSameState(Observe(e), edited);
  // A new step drops what could be redone.
  EXPECT_FALSE(e.session->CanRedo());
}

TEST(Undo, WhatChangesNoLogIsNoStep) {
  Editor e;
  // 新規作成 of an empty log, a refused entry, a cancelled load.
  e.session->OnFileNew();
  e.TypeDepths("0", "2");
  EXPECT_FALSE(e.session->EnterLayer().accepted);
  e.ui.fileAnswers.push_back(std::nullopt);
  e.session->OnFileLoad();
  EXPECT_FALSE(e.session->CanUndo());

  EnterThree(e);
  const std::size_t steps = e.session->History().UndoSteps();
  EXPECT_EQ(steps, 3u);
  // Looking around, a file that fails to load, 層を削除 answered いいえ, the
  // view, a save.
  e.session->ShowPreviousLayer();
  e.session->ShowNextLayer();
  e.ui.fileAnswers.push_back(e.dir / "missing.csv");
  e.session->OnFileLoad();
  e.ui.yesNoAnswers.push_back(false);
  e.session->DeleteLayer();
  e.State().scale.Select(2);
  e.session->OnScaleChange();
  e.session->OnDisplayToggle(control::kShowLegend);
  e.ui.fileAnswers.push_back(e.dir / "saved.csv");
  e.session->OnFileSave();
  EXPECT_EQ(e.session->History().UndoSteps(), steps);
}

TEST(Undo, ReachesBackOverALoadAndANewLog) {
  Editor e;
  EnterThree(e);
  const ObservedState entered = Observe(e);
  e.Load("three.csv", kThreeLayers);
  const ObservedState loaded = Observe(e);
  e.session->OnFileNew();
  ASSERT_TRUE(e.Enter("0", "1", kClayBox).accepted == false);  // a new log has no name
  e.ui.TakeMessages();
  e.session->Undo();  // the new log
  ExpectSameState(Observe(e), loaded);
  EXPECT_EQ(e.session->File(), e.dir / "three.csv");
  e.session->Undo();  // the load
  ExpectSameState(Observe(e), entered);
  EXPECT_TRUE(e.session->File().empty());
  // The typed log, layer by layer.
  for (int count = 2; count >= 0; --count) {
    e.session->Undo();
    EXPECT_EQ(e.session->Log().layers.LayerCount(), count);
  }
  EXPECT_FALSE(e.session->CanUndo());
  EXPECT_EQ(e.WorkFile(), "");
  EXPECT_EQ(e.session->Drawing().EntryCount(), 0);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：0/0");
}

// The drawing follows the scale shown now; the legend keeps what the layers
// switched on, as an edit keeps it.
TEST(Undo, RedrawsAtTheScaleShownNow) {
  Editor e;
  EnterThree(e);
  e.session->ShowLayer(1);
  Untick(e);
  e.Tick(kGranuleBox);
  ASSERT_TRUE(e.session->EnterLayer().accepted);  // gravel in, mud stays in the legend
  e.State().scale.Select(3);
  e.session->OnScaleChange();
  const int redraws = e.ui.redraws;
  e.session->Undo();
  EXPECT_GT(e.ui.redraws, redraws);
  auto expected = std::make_unique<render::DrawTable>();
  render::LegendUsage legend;
  render::RebuildDrawing(*expected, legend, e.session->Log().layers, 3);
  ASSERT_EQ(e.session->Drawing().EntryCount(), expected->EntryCount());
  for (int i = 1; i <= expected->EntryCount(); ++i) {
    EXPECT_EQ(e.session->Drawing().Entry(i), expected->Entry(i)) << i;
  }
  EXPECT_FALSE(e.session->Legend().gravel);
  EXPECT_TRUE(e.session->Legend().mud);
  EXPECT_EQ(e.State().scale.selection, 3);
}

TEST(Undo, KeepsTheLast100StepsAndLittleForEach) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  for (int i = 0; i < 150; ++i) {
    ASSERT_TRUE(e.Enter(std::to_string(i), std::to_string(i + 1), kClayBox).accepted) << i;
  }
  EXPECT_EQ(e.session->History().UndoSteps(), UndoHistory::kMaxSteps);
  // Steps share the layers they did not change: a step costs a few hundred
  // bytes, not a copy of the log.
  const std::size_t perStep = e.session->History().MemoryBytes() / UndoHistory::kMaxSteps;
  EXPECT_LT(perStep, 150 * sizeof(model::LayerRecord) / 4);
  while (e.session->CanUndo()) e.session->Undo();
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 50);
  EXPECT_EQ(e.WorkFile().substr(e.WorkFile().size() - PlainLine("49,50,49,0,0,0.15,0.15").size()),
            PlainLine("49,50,49,0,0,0.15,0.15"));
}

// A long session of random commands, each undo checked against the state
// before its step; then undone all the way back to the window as it
// opened.
TEST(Undo, ARandomSessionUndoneAllTheWayReturnsToTheStart) {
  for (const unsigned seed : {7u, 42u, 2024u}) {
    SCOPED_TRACE(seed);
    Editor e;
    WriteBytes(e.dir / "three.csv", kThreeLayers);
    WriteBytes(e.dir / "five.csv", kFiveLayers);
    std::mt19937 random(seed);
    const auto pick = [&random](int n) { return static_cast<int>(random() % n); };
    const auto typeLayer = [&](Editor& ed) {
      const float top = ParseNumberBox(ed.State().top).value_or(0.0f);
      ed.State().bot = FormatNumberBox(top + 0.5f * static_cast<float>(1 + pick(8)));
      Untick(ed);
      ed.State().lithologyChange.Select(0);
      ed.Tick(std::vector<int>{kClayBox, kFineSandBox, kGranuleBox, kFineAshBox,
                               kLimestoneBox}[static_cast<std::size_t>(pick(5))]);
      if (pick(4) == 0) ed.State().sampleDepths[0] = ed.State().top;
    };
    // The first step is taken from the window as it opened.
    const ObservedState start = Observe(e);
    e.ui.fileAnswers.push_back(e.dir / "five.csv");
    e.session->OnFileLoad();
    ASSERT_EQ(e.session->History().UndoSteps(), 1u);
    std::vector<ObservedState> undoable{start};  // the state before each step
    std::vector<ObservedState> redoable;
    int steps = 0;
    for (int i = 0; i < 160; ++i) {
      SCOPED_TRACE(i);
      const int command = pick(16);
      // What the user types before pressing is part of the state the step
      // starts from.
      if (command >= 5 && command <= 7) {
        if (pick(3) == 0) e.TypeHeader(pick(2) ? "B-1" : "B-2 孔", pick(2) ? "12.5" : "3");
        typeLayer(e);
      }
      const ObservedState before = Observe(e);
      const std::size_t undoSteps = e.session->History().UndoSteps();
      const std::size_t redoSteps = e.session->History().RedoSteps();
      // The first step stays until the end, so that the start is where
      // undo ends.
      if (command <= 2 && e.session->History().UndoSteps() > 1) {
        e.session->Undo();
        ExpectSameState(Observe(e), undoable.back());
        undoable.pop_back();
        redoable.push_back(before);
        continue;
      }
      if (command <= 4 && e.session->CanRedo()) {
        e.session->Redo();
        ExpectSameState(Observe(e), redoable.back());
        redoable.pop_back();
        undoable.push_back(before);
        continue;
      }
      switch (command) {
        case 5:
        case 6: e.session->EnterLayer(); break;
        case 7: e.session->InsertLayer(); break;
        case 8:
          e.ui.yesNoAnswers.push_back(pick(4) != 0);
          if (e.session->CanDeleteLayer()) e.session->DeleteLayer();
          e.ui.yesNoAnswers.clear();
          break;
        case 9: e.session->ShowPreviousLayer(); break;
        case 10: e.session->ShowNextLayer(); break;
        case 11:
          if (e.session->Log().layers.LayerCount() > 0) {
            e.session->ShowLayer(1 + pick(e.session->Log().layers.LayerCount()));
          }
          break;
        case 12:
          if (pick(3) == 0) e.session->OnFileNew();
          break;
        case 13:
          e.ui.fileAnswers.push_back(e.dir / (pick(2) ? "three.csv" : "five.csv"));
          e.session->OnFileLoad();
          break;
        case 14:
          if (pick(3) == 0) {
            e.ui.fileAnswers.push_back(std::nullopt);
            e.session->OnSettingsLoad();
          }
          break;
        default: e.session->ShowLayer(1); break;
      }
      e.ui.TakeMessages();  // refusals are part of the game
      if (e.session->History().UndoSteps() == undoSteps + 1) {
        ++steps;
        undoable.push_back(before);
        redoable.clear();
        EXPECT_EQ(e.session->History().RedoSteps(), 0u);
      } else {
        ASSERT_EQ(e.session->History().UndoSteps(), undoSteps);
        EXPECT_EQ(e.session->History().RedoSteps(), redoSteps);
      }
      ASSERT_LT(undoable.size(), UndoHistory::kMaxSteps);
    }
    EXPECT_GT(steps, 40);
    while (e.session->CanUndo()) {
      e.session->Undo();
      ExpectSameState(Observe(e), undoable.back());
      undoable.pop_back();
    }
    EXPECT_TRUE(undoable.empty());
    ExpectSameState(Observe(e), start);
  }
}

}  // namespace
}  // namespace borvik::editor
