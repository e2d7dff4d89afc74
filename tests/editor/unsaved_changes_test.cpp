// 上書き保存, the title with the file's name and "*", and the question before
// a window with unsaved changes closes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/messages.h"
#include "editor_harness.h"

namespace borvik::editor {
namespace {

using borvik::testing::ReadBytes;
using borvik::testing::WriteBytes;
using testing::Editor;
using namespace testing;

const std::string kTwoLayers = "B-2,7,\r\n" + HeaderLine() + PlainLine("0,2,0,0,0,0.15,0.15") +
                               PlainLine("2,5,2,0,0,0.19,0.19");

TEST(WindowTitle, NamesTheFileAndMarksChanges) {
  Editor e;
  EXPECT_EQ(e.session->WindowTitle(), "Borvik");
  EXPECT_FALSE(e.session->HasUnsavedChanges());
  // A name typed is a change: saving would write it.
  e.TypeHeader("B-1", "12.5");
  EXPECT_EQ(e.session->WindowTitle(), "*無題 - Borvik");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  e.ui.fileAnswers.push_back(e.dir / "b1");
  e.session->OnFileSave();
  EXPECT_EQ(e.session->File(), e.dir / "b1.csv");
  EXPECT_EQ(e.session->WindowTitle(), "b1.csv - Borvik");

  ASSERT_TRUE(e.Enter("2", "3", kSiltBox).accepted);
  EXPECT_EQ(e.session->WindowTitle(), "*b1.csv - Borvik");
  // Undone back to what the file holds: nothing to save.
  e.session->Undo();
  EXPECT_EQ(e.session->WindowTitle(), "b1.csv - Borvik");
  // A change made and taken back by hand is no change either.
  e.session->ShowLayer(1);
  e.State().bot = "1.5";
  ASSERT_TRUE(e.session->EnterLayer().accepted);
  EXPECT_TRUE(e.session->HasUnsavedChanges());
  e.session->ShowLayer(1);
  e.State().bot = "2";
  ASSERT_TRUE(e.session->EnterLayer().accepted);
  EXPECT_FALSE(e.session->HasUnsavedChanges());
  e.State().elevation = "13";
  EXPECT_TRUE(e.session->HasUnsavedChanges());
}

TEST(WindowTitle, FollowsTheFileThroughLoadNewAndUndo) {
  Editor e;
  e.Load("two.csv", kTwoLayers);
  EXPECT_EQ(e.session->WindowTitle(), "two.csv - Borvik");
  e.session->OnFileNew();
  EXPECT_TRUE(e.session->File().empty());
  EXPECT_EQ(e.session->WindowTitle(), "Borvik");
  e.session->Undo();
  EXPECT_EQ(e.session->WindowTitle(), "two.csv - Borvik");
  // Saved under another name, the log keeps that name through undo and redo
  // of its own steps.
  Untick(e);
  ASSERT_TRUE(e.Enter("5", "6", kClayBox).accepted);
  e.ui.fileAnswers.push_back(e.dir / "copy.csv");
  e.session->OnFileSave();
  e.session->Undo();
  EXPECT_EQ(e.session->WindowTitle(), "*copy.csv - Borvik");
  e.session->Redo();
  EXPECT_EQ(e.session->WindowTitle(), "copy.csv - Borvik");
}

TEST(SaveInPlace, WritesTheFileLastLoadedOrSavedWithoutAsking) {
  Editor e;
  e.Load("two.csv", kTwoLayers);
  e.ui.fileDialogs.clear();
  Untick(e);
  ASSERT_TRUE(e.Enter("5", "6", kClayBox).accepted);
  e.State().name = "B-2 改";  // typed, not entered: the file gets it
  e.session->OnFileSaveInPlace();
  EXPECT_TRUE(e.ui.fileDialogs.empty());
  EXPECT_EQ(e.ui.overwriteQuestions, 0);
  EXPECT_TRUE(e.ui.messages.empty());
  const std::string expected = "B-2 \x89\xfc,7,\r\n" + HeaderLine() +
                               PlainLine("0,2,0,0,0,0.15,0.15") + PlainLine("2,5,2,0,0,0.19,0.19") +
                               PlainLine("5,6,5,0,0,0.15,0.15");
  EXPECT_EQ(ReadBytes(e.dir / "two.csv"), expected);
  EXPECT_EQ(e.WorkFile(), expected);
  EXPECT_FALSE(e.session->HasUnsavedChanges());
}

TEST(SaveInPlace, WithoutAFileIsTheSaveCommand) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  WriteBytes(e.dir / "there.csv", "old");
  e.ui.fileAnswers.push_back(e.dir / "there.csv");
  e.ui.overwriteAnswers.push_back(false);
  e.session->OnFileSaveInPlace();
  ASSERT_EQ(e.ui.fileDialogs.size(), 1u);
  EXPECT_TRUE(e.ui.fileDialogs[0].save);
  EXPECT_EQ(e.ui.fileDialogs[0].filter, "データファイル (*.csv)|*.csv||");
  EXPECT_EQ(e.ui.overwriteQuestions, 1);
  EXPECT_EQ(ReadBytes(e.dir / "there.csv"), "old");
  EXPECT_TRUE(e.session->File().empty());
  EXPECT_TRUE(e.session->HasUnsavedChanges());
}

TEST(QueryClose, AsksOnlyWhenSomethingWouldBeLost) {
  const struct {
    const char* label;
    std::vector<YesNoCancel> answers;
    std::vector<std::optional<std::filesystem::path>> files;  // for the save dialog
    bool closes;
    bool saved;
  } cases[] = {
      {"キャンセル keeps the window", {YesNoCancel::kCancel}, {}, false, false},
      {"いいえ closes without saving", {YesNoCancel::kNo}, {}, true, false},
      {"はい saves, then closes", {YesNoCancel::kYes}, {"log.csv"}, true, true},
      {"はい, then the save dialog cancelled", {YesNoCancel::kYes}, {std::nullopt}, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Editor e;
    EXPECT_TRUE(e.session->QueryClose());  // nothing typed: no question
    e.TypeHeader("B-1", "12.5");
    ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
    e.ui.yesNoCancelAnswers.assign(c.answers.begin(), c.answers.end());
    for (const auto& file : c.files) {
      e.ui.fileAnswers.push_back(file ? std::optional(e.dir.Path() / *file) : std::nullopt);
    }
    EXPECT_EQ(e.session->QueryClose(), c.closes);
    EXPECT_EQ(e.ui.questions, std::vector<std::string>{"変更を保存しますか？"});
    EXPECT_EQ(std::filesystem::exists(e.dir / "log.csv"), c.saved);
    // The log is still there whatever was answered.
    EXPECT_EQ(e.session->Log().layers.LayerCount(), 1);
  }
}

TEST(QueryClose, ASavedLogClosesWithoutAQuestion) {
  Editor e;
  e.Load("two.csv", kTwoLayers);
  e.session->ShowLayer(1);  // looking is no change
  EXPECT_TRUE(e.session->QueryClose());
  EXPECT_TRUE(e.ui.questions.empty());
  // A file that can no longer be written keeps the window open.
  ASSERT_TRUE(e.Enter("0", "1.5", kClayBox).accepted);
  std::filesystem::remove(e.dir / "two.csv");
  std::filesystem::create_directory(e.dir / "two.csv");
  e.ui.yesNoCancelAnswers.push_back(YesNoCancel::kYes);
  EXPECT_FALSE(e.session->QueryClose());
  // Said once, in the words of a failed save.
  EXPECT_EQ(e.ui.messages.size(), 1u);
  EXPECT_TRUE(e.session->HasUnsavedChanges());
}

}  // namespace
}  // namespace borvik::editor
