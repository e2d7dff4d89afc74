// データ入力 in append and edit mode, the work file after every step, and
// the entries the layer files could not hold.

#include <gtest/gtest.h>

#include <string>

#include "editor/messages.h"
#include "editor_harness.h"

namespace borvik::editor {
namespace {

using testing::Editor;
using namespace testing;

const std::string kClay02 = PlainLine("0,2,0,0,0,0.15,0.15");
const std::string kFineSand25Sample3 =
    "2,5,2,0,0,0.19,0.19,0,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,3,1,-1,0,-1,0,-1,0\r\n";

void ExpectFreshFormBelow(Editor& e, const char* top) {
  const MainWindowState& s = e.State();
  EXPECT_EQ(s.top, top);
  EXPECT_EQ(s.bot, "0");
  EXPECT_EQ(s.int_, "0");
  for (const std::string& depth : s.structureDepths) EXPECT_EQ(depth, "-1");
  for (const std::string& depth : s.featureDepths) EXPECT_EQ(depth, "-1");
  for (const std::string& depth : s.sampleDepths) EXPECT_EQ(depth, "-1");
  for (const CheckBoxState& box : s.lithology) EXPECT_FALSE(box.checked) << box.id;
  EXPECT_EQ(s.lithologyChange.selection, 0);
  EXPECT_EQ(s.base.selection, 0);
  for (const ListState& list : s.structureKinds) EXPECT_EQ(list.selection, 0);
  for (const ListState& list : s.featureKinds) EXPECT_EQ(list.selection, 0);
  EXPECT_EQ(s.rockQuality, 0);
  EXPECT_EQ(s.weathering, 0);
}

TEST(EnterLayer, AppendsWithTheWorkFileAfterEveryStep) {
  Editor e;
  EXPECT_EQ(e.WorkFile(), "");  // created empty at start
  EXPECT_FALSE(e.session->WorkFileStarted());

  // The first press starts the work file even though it is refused, with
  // the empty name it was made with.
  e.TypeDepths("0", "2");
  EXPECT_FALSE(e.session->EnterLayer().accepted);
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{std::string(kNeedNameMessage)});
  EXPECT_EQ(e.WorkFile(), ",0,\r\n" + HeaderLine());
  EXPECT_TRUE(e.session->WorkFileStarted());

  // The head keeps that first press's name; only layer lines follow.
  e.TypeHeader("B-1", "12.5");
  const int redraws = e.ui.redraws;
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  EXPECT_EQ(e.ui.redraws, redraws + 1);
  EXPECT_EQ(e.WorkFile(), ",0,\r\n" + HeaderLine() + kClay02);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  1 /   1");
  ExpectFreshFormBelow(e, "2");
  EXPECT_EQ(e.State().scale.selection, 1);
  EXPECT_EQ(e.State().name, "B-1");
  EXPECT_EQ(e.State().elevation, "12.5");

  e.State().bot = "5";
  e.State().sampleDepths[0] = "3";
  e.Tick(kFineSandBox);
  ASSERT_TRUE(e.session->EnterLayer().accepted);
  EXPECT_EQ(e.WorkFile(), ",0,\r\n" + HeaderLine() + kClay02 + kFineSand25Sample3);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  2 /   2");
  ExpectFreshFormBelow(e, "5");
  EXPECT_TRUE(e.ui.messages.empty());

  const model::LayerTable& layers = e.session->Log().layers;
  EXPECT_EQ(layers.CurrentLayer(), 2);
  EXPECT_EQ(layers.LayerCount(), 2);
  EXPECT_EQ(layers.NextFreeSlot(), 3);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 2);
  EXPECT_TRUE(e.session->Legend().mud);
  EXPECT_TRUE(e.session->Legend().sand);
  EXPECT_TRUE(e.session->Legend().samples);
}

// Showing layer 2 of 3, changing it and entering it rewrites the work file
// with the edit in line 2 and the name as it stands; the editor moves on to
// layer 3, and past it back to appending.
TEST(EnterLayer, EditRewritesOneLineAndMovesOn) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  ASSERT_TRUE(e.Enter("2", "5", kFineSandBox).accepted);
  ASSERT_TRUE(e.Enter("5", "9", kCoarseSandBox).accepted);
  const std::string fineSand = PlainLine("2,5,2,0,0,0.19,0.19");
  const std::string coarseSand = PlainLine("5,9,5,0,0,0.21,0.21");
  ASSERT_EQ(e.WorkFile(), "B-1,12.5,\r\n" + HeaderLine() + kClay02 + fineSand + coarseSand);

  e.session->ShowPreviousLayer();
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  2 /   3");
  EXPECT_EQ(e.session->Mode(), EntryMode::Edit);
  e.State().CheckBox(kFineSandBox)->checked = false;
  e.Tick(kSiltBox);
  e.State().base.selection = 2;
  e.State().name = "B-1b";
  ASSERT_TRUE(e.session->EnterLayer().accepted);
  const std::string silt = PlainLine("2,5,2,0,2,0.16,0.16");
  EXPECT_EQ(e.WorkFile(), "B-1b,12.5,\r\n" + HeaderLine() + kClay02 + silt + coarseSand);
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 3);
  EXPECT_EQ(e.session->Log().layers.NextFreeSlot(), 4);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 3);
  EXPECT_EQ(e.session->Drawing().Entry(2).RF1, 0.16f);
  // On to layer 3, still editing.
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  3 /   3");
  EXPECT_EQ(e.session->Mode(), EntryMode::Edit);
  EXPECT_EQ(e.State().top, "5");
  EXPECT_TRUE(e.State().CheckBox(kCoarseSandBox)->checked);

  // Entering layer 3 unchanged rewrites the same bytes and returns to a new
  // layer below it.
  ASSERT_TRUE(e.session->EnterLayer().accepted);
  EXPECT_EQ(e.WorkFile(), "B-1b,12.5,\r\n" + HeaderLine() + kClay02 + silt + coarseSand);
  EXPECT_EQ(e.session->Mode(), EntryMode::Append);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  3 /   3");
  EXPECT_FALSE(e.State().nextEnabled);
  ExpectFreshFormBelow(e, "9");
  EXPECT_TRUE(e.ui.messages.empty());

  ASSERT_TRUE(e.Enter("9", "10", kClayBox).accepted);
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 4);
}

TEST(EnterLayer, ARenamedLogKeepsTheFirstHeadUntilARewrite) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  e.TypeHeader("B-2", "20");
  ASSERT_TRUE(e.Enter("2", "3", kClayBox).accepted);
  EXPECT_EQ(e.WorkFile().substr(0, 11), "B-1,12.5,\r\n");
  // The log itself carries the name as typed now.
  EXPECT_EQ(e.session->Log().header.name, "B-2");
}

// The layer file has no escaping and holds the name in CP932: a name it
// could not give back is refused before anything is written.
TEST(EnterLayer, RefusesANameTheFileCannotHold) {
  const struct {
    const char* name;
    std::string_view message;
  } cases[] = {
      {"B,1", kNameSeparatorMessage},
      {"B\n1", kNameSeparatorMessage},
      {"B\r1", kNameSeparatorMessage},
      {"孔\xF0\x9F\x98\x80", kNameEncodingMessage},   // an emoji
      {"\xED\x95\x9C\xEA\xB8\x80", kNameEncodingMessage},  // Hangul
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Editor e;
    e.TypeHeader(c.name, "12.5");
    const EntryResult result = e.Enter("0", "2", kClayBox);
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(result.refusal, c.message);
    EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{std::string(c.message)});
    EXPECT_EQ(e.session->Log().layers.LayerCount(), 0);
    EXPECT_EQ(e.session->Drawing().EntryCount(), 0);
    EXPECT_EQ(e.WorkFile(), "");
    EXPECT_FALSE(e.session->WorkFileStarted());
    // Corrected, the same form goes in, and the head has the good name.
    e.State().name = "B-1 孔①";
    EXPECT_TRUE(e.session->EnterLayer().accepted);
    EXPECT_EQ(e.WorkFile(), "B-1 \x8d\x45\x87\x40,12.5,\r\n" + HeaderLine() + kClay02);
  }
}

TEST(EnterLayer, RefusesALayerPastTheLast999) {
  Editor e;
  std::string full = "B-1,12.5,\r\n" + HeaderLine();
  for (int layer = 0; layer < model::LayerTable::kMaxLayers; ++layer) {
    full += PlainLine(std::to_string(layer) + "," + std::to_string(layer + 1) + "," +
                      std::to_string(layer) + ",0,0,0.15,0.15");
  }
  e.Load("full.csv", full);
  ASSERT_EQ(e.session->Log().layers.LayerCount(), 999);
  const std::string before = e.WorkFile();
  ASSERT_EQ(before, full);
  const int entries = e.session->Drawing().EntryCount();

  const EntryResult result = e.Enter("999", "1000", kClayBox);
  EXPECT_FALSE(result.accepted);
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{std::string(kTableFullMessage)});
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 999);
  EXPECT_EQ(e.session->Drawing().EntryCount(), entries);
  EXPECT_EQ(e.WorkFile(), before);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：999 / 999");
  // Editing a stored layer still works.
  e.session->ShowPreviousLayer();
  EXPECT_TRUE(e.session->EnterLayer().accepted);
}

// Record 0 is the empty place before layer 1; an entry there would be
// stored in no layer at all.
TEST(EnterLayer, RefusesAnEntryOnRecordZero) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  const std::string before = e.WorkFile();
  const model::LayerRecord layer1 = e.session->Log().layers.Get(1);
  e.session->ShowPreviousLayer();
  ASSERT_EQ(e.State().recordLabel, "柱状図データ：  0 /   1");
  e.TypeDepths("0", "3");
  e.Tick(kSiltBox);
  const EntryResult result = e.session->EnterLayer();
  EXPECT_FALSE(result.accepted);
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{std::string(kRecordZeroMessage)});
  EXPECT_EQ(e.WorkFile(), before);
  EXPECT_EQ(e.session->Log().layers.Get(1), layer1);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 1);
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 1);
  EXPECT_EQ(e.session->Mode(), EntryMode::Edit);
  // 次のデータ reaches layer 1, which can be edited.
  e.session->ShowNextLayer();
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  1 /   1");
  e.State().bot = "3";
  EXPECT_TRUE(e.session->EnterLayer().accepted);
  EXPECT_EQ(e.session->Log().layers.Get(1).bot, 3.0f);
}

// When the work file cannot be written the user is told each time, and the
// log in memory is kept all the same.
TEST(EnterLayer, AWorkFileThatCannotBeWrittenIsReported) {
  borvik::testing::TempDir dir;
  ScriptedPlatform ui;
  // A regular file where the folder should be.
  borvik::testing::WriteBytes(dir / "not-a-folder", "");
  auto session = std::make_unique<Session>(ui, dir / "not-a-folder" / "temp.csv");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.TakeMessages()[0].rfind(editor::kCannotOpenMessage, 0), 0u);

  session->State().name = "B-1";
  session->State().elevation = "12.5";
  session->State().top = "0";
  session->State().bot = "2";
  EXPECT_TRUE(session->EnterLayer().accepted);
  const std::vector<std::string> messages = ui.TakeMessages();
  ASSERT_EQ(messages.size(), 2u);  // the head, then the line
  for (const std::string& message : messages) {
    EXPECT_EQ(message.rfind(editor::kCannotOpenMessage, 0), 0u) << message;
  }
  EXPECT_EQ(session->Log().layers.LayerCount(), 1);
  EXPECT_EQ(session->Drawing().EntryCount(), 1);

  // An edit that cannot rewrite the file keeps the edit in the table.
  session->ShowPreviousLayer();
  session->ShowNextLayer();
  session->State().bot = "3";
  EXPECT_TRUE(session->EnterLayer().accepted);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind(editor::kCannotOpenMessage, 0), 0u);
  EXPECT_EQ(session->Log().layers.Get(1).bot, 3.0f);
}

}  // namespace
}  // namespace borvik::editor
