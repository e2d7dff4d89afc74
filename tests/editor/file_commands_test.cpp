// 新規作成, 柱状図データの読込 and 柱状図データの保存 as the user meets them.

#include <gtest/gtest.h>

#include <filesystem>

#include "editor/messages.h"
#include "editor_harness.h"

namespace borvik::editor {
namespace {

using borvik::testing::ReadBytes;
using borvik::testing::WriteBytes;
using testing::Editor;
using namespace testing;

const std::string kThreeLayers = "B-3,45.5,\r\n" + HeaderLine() +
                                 PlainLine("0,2,0,0,0,0.15,0.15") +
                                 PlainLine("2,5,2,0,1,0.19,0.19") +
                                 PlainLine("5,9,7,1,2,0.16,0.22");

TEST(FileLoad, ShowsTheLastLayerOfTheFile) {
  Editor e;
  EnterThree(e);
  ASSERT_TRUE(e.Enter("9", "10", kGranuleBox).accepted);
  e.session->ShowPreviousLayer();  // browsing: edit mode, fine sand shown
  // Untidy numbers and plain line feeds come back as the program writes them.
  std::string untidy = kThreeLayers;
  for (std::size_t pos; (pos = untidy.find("\r\n")) != std::string::npos;) untidy.replace(pos, 2, "\n");
  untidy.replace(untidy.find("45.5"), 4, "45.500");
  const int redraws = e.ui.redraws;
  e.Load("b3.csv", untidy);
  EXPECT_TRUE(e.ui.messages.empty());
  ASSERT_EQ(e.ui.fileDialogs.size(), 1u);
  EXPECT_FALSE(e.ui.fileDialogs[0].save);
  EXPECT_EQ(e.ui.fileDialogs[0].filter, "データファイル (*.csv)|*.csv||");
  EXPECT_EQ(e.ui.fileDialogs[0].defaultExtension, "");
  EXPECT_GT(e.ui.redraws, redraws);

  const MainWindowState& s = e.State();
  EXPECT_EQ(s.recordLabel, "柱状図データ：  3 /   3");
  EXPECT_EQ(s.name, "B-3");
  EXPECT_EQ(s.elevation, "45.5");
  EXPECT_EQ(s.top, "5");
  EXPECT_EQ(s.bot, "9");
  EXPECT_EQ(s.int_, "7");
  EXPECT_EQ(s.lithologyChange.selection, 1);
  EXPECT_EQ(s.base.selection, 2);
  for (const CheckBoxState& box : s.lithology) {
    EXPECT_EQ(box.checked, box.id == kSiltBox || box.id == 1012) << box.id;
  }
  EXPECT_EQ(e.session->Mode(), EntryMode::Append);
  EXPECT_TRUE(e.session->WorkFileStarted());
  EXPECT_EQ(e.WorkFile(), kThreeLayers);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 3);
  // Nothing of the earlier log is left in the legend.
  EXPECT_FALSE(e.session->Legend().gravel);
  EXPECT_TRUE(e.session->Legend().indistinctBase);

  // The next entry is layer 4; the lists still show layer 3's choices.
  e.State().top = "9";
  e.State().bot = "10";
  for (CheckBoxState& box : e.State().lithology) box.checked = false;
  e.State().lithologyChange.selection = 0;
  e.Tick(kClayBox);
  ASSERT_TRUE(e.session->EnterLayer().accepted);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  4 /   4");
  EXPECT_EQ(e.WorkFile(), kThreeLayers + PlainLine("9,10,9,0,2,0.15,0.15"));
}

// The file is read whole before the log being edited is given up: a load
// that fails leaves the log, its work file and the form as they were.
TEST(FileLoad, AFailedLoadLeavesTheCurrentLogAlone) {
  const struct {
    const char* label;
    const char* file;  // written when not null
    std::vector<std::string> messagesStartWith;
  } cases[] = {
      {"missing file", nullptr,
       {std::string(editor::kCannotOpenMessage) + "\nファイルまたはフォルダがありません。",
        std::string(editor::kImportFailedMessage)}},
      {"malformed line", "B,1,\r\nh\r\n0,2,0\r\n",
       {std::string(editor::kImportFailedMessage) + "\n3 行目"}},
      {"a folder", "", {std::string(kCannotOpenMessage), std::string(kImportFailedMessage)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Editor e;
    EnterThree(e);
    e.session->ShowPreviousLayer();
    e.State().bot = "4.5";  // typed, not entered
    const MainWindowState before = e.State();
    const std::string work = e.WorkFile();
    const model::LayerTable layers = e.session->Log().layers;
    const auto path = e.dir / "chosen.csv";
    if (c.file != nullptr && *c.file != '\0') WriteBytes(path, c.file);
    if (c.file != nullptr && *c.file == '\0') std::filesystem::create_directory(path);
    e.ui.fileAnswers.push_back(path);
    e.session->OnFileLoad();

    const std::vector<std::string> messages = e.ui.TakeMessages();
    ASSERT_EQ(messages.size(), c.messagesStartWith.size());
    for (std::size_t i = 0; i < messages.size(); ++i) {
      EXPECT_EQ(messages[i].rfind(c.messagesStartWith[i], 0), 0u) << messages[i];
    }
    EXPECT_EQ(e.State(), before);
    EXPECT_EQ(e.WorkFile(), work);
    EXPECT_EQ(e.session->Log().layers, layers);
    EXPECT_EQ(e.session->Log().header.name, "B-1");
    EXPECT_EQ(e.session->Mode(), EntryMode::Edit);
    EXPECT_EQ(e.session->Drawing().EntryCount(), 3);
  }
}

TEST(FileLoad, CancelledChangesNothing) {
  Editor e;
  EnterThree(e);
  const MainWindowState before = e.State();
  e.ui.fileAnswers.push_back(std::nullopt);
  e.session->OnFileLoad();
  EXPECT_EQ(e.State(), before);
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 3);
  EXPECT_TRUE(e.ui.messages.empty());
}

// A file with no layers leaves the form as 新規作成 does.
TEST(FileLoad, AFileOfNoLayers) {
  Editor e;
  EnterThree(e);
  e.Load("empty.csv", "B-0,3,\r\n" + HeaderLine());
  const MainWindowState& s = e.State();
  EXPECT_EQ(s.recordLabel, "柱状図データ：  0 /   0");
  EXPECT_EQ(s.name, "B-0");
  EXPECT_EQ(s.top, "0");
  EXPECT_EQ(s.bot, "0");
  for (const std::string& depth : s.structureDepths) EXPECT_EQ(depth, "-1");
  for (const ListState& list : s.structureKinds) EXPECT_EQ(list.selection, 0);
  EXPECT_EQ(e.WorkFile(), "B-0,3,\r\n" + HeaderLine());
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  EXPECT_EQ(e.WorkFile(), "B-0,3,\r\n" + HeaderLine() + PlainLine("0,2,0,0,0,0.15,0.15"));
}

TEST(FileNew, DiscardsTheLogAndAppendsAgain) {
  Editor e;
  EnterThree(e);
  e.session->ShowPreviousLayer();
  e.session->ShowPreviousLayer();
  ASSERT_EQ(e.session->Mode(), EntryMode::Edit);
  const int redraws = e.ui.redraws;
  e.session->OnFileNew();
  EXPECT_GT(e.ui.redraws, redraws);
  EXPECT_TRUE(e.ui.messages.empty());
  const MainWindowState& s = e.State();
  EXPECT_EQ(s.recordLabel, "柱状図データ：  0 /   0");
  EXPECT_EQ(s.name, "");
  EXPECT_EQ(s.elevation, "0");
  EXPECT_EQ(s.top, "0");
  EXPECT_EQ(s.bot, "0");
  EXPECT_EQ(s.int_, "0");
  EXPECT_EQ(s.sampleDepths[2], "-1");
  for (const CheckBoxState& box : s.lithology) EXPECT_FALSE(box.checked);
  EXPECT_EQ(e.session->Mode(), EntryMode::Append);
  EXPECT_FALSE(e.session->WorkFileStarted());
  EXPECT_EQ(e.WorkFile(), "");
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 0);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 0);
  EXPECT_EQ(e.session->Legend(), render::LegendUsage{});

  e.TypeHeader("N-1", "3");
  ASSERT_TRUE(e.Enter("0", "1", kSiltBox).accepted);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  1 /   1");
  EXPECT_EQ(e.WorkFile(), "N-1,3,\r\n" + HeaderLine() + PlainLine("0,1,0,0,0,0.16,0.16"));
}

// A work file someone removed is no reason to refuse New, Load or the
// settings load.
TEST(FileNew, AMissingWorkFileDoesNotStopTheReset) {
  const struct {
    const char* label;
    void (*command)(Editor&);
  } cases[] = {
      {"new", [](Editor& e) { e.session->OnFileNew(); }},
      {"load", [](Editor& e) { e.Load("b3.csv", kThreeLayers); }},
      {"settings load",
       [](Editor& e) {
         e.ui.fileAnswers.push_back(std::nullopt);
         e.session->OnSettingsLoad();
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Editor e;
    EnterThree(e);
    std::filesystem::remove(e.dir / files::kWorkFileName);
    c.command(e);
    EXPECT_TRUE(e.ui.messages.empty());
    EXPECT_TRUE(std::filesystem::exists(e.dir / files::kWorkFileName));
    EXPECT_NE(e.session->Log().header.name, "B-1");
  }
}

// A work file that is there but cannot be removed ends the command before
// anything of the log is given up.
TEST(FileNew, AWorkFileThatCannotBeRemovedStopsTheCommand) {
  Editor e;
  EnterThree(e);
  const auto work = e.dir / files::kWorkFileName;
  std::filesystem::remove(work);
  std::filesystem::create_directory(work);
  WriteBytes(work / "inside", "x");
  const MainWindowState before = e.State();
  e.session->OnFileNew();
  const std::vector<std::string> messages = e.ui.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("temp.csv を削除できませんでした。\n", 0), 0u) << messages[0];
  EXPECT_EQ(e.State(), before);
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 3);
}

TEST(FileSave, SaveLoadSaveGivesTheSameBytes) {
  Editor e;
  EnterThree(e);
  e.ui.fileAnswers.push_back(e.dir / "log");  // typed without extension
  e.session->OnFileSave();
  ASSERT_EQ(e.ui.fileDialogs.size(), 1u);
  EXPECT_TRUE(e.ui.fileDialogs[0].save);
  EXPECT_EQ(e.ui.fileDialogs[0].filter, "データファイル (*.csv)|*.csv||");
  EXPECT_EQ(e.ui.fileDialogs[0].defaultExtension, "csv");
  EXPECT_EQ(e.ui.overwriteQuestions, 0);
  const std::string saved = ReadBytes(e.dir / "log.csv");
  EXPECT_EQ(saved, e.WorkFile());
  EXPECT_EQ(saved, "B-1,12.5,\r\n" + HeaderLine() + PlainLine("0,2,0,0,0,0.15,0.15") +
                       PlainLine("2,5,2,0,0,0.19,0.19") + PlainLine("5,9,5,0,0,0.21,0.21"));

  Editor again;
  again.ui.fileAnswers.push_back(e.dir / "log.csv");
  again.session->OnFileLoad();
  again.ui.fileAnswers.push_back(again.dir / "again.csv");
  again.session->OnFileSave();
  EXPECT_EQ(ReadBytes(again.dir / "again.csv"), saved);
  EXPECT_TRUE(again.ui.messages.empty());
}

TEST(FileSave, BeforeAnyLayerWritesTheHead) {
  Editor e;
  e.ui.fileAnswers.push_back(e.dir / "empty.csv");
  e.session->OnFileSave();
  EXPECT_EQ(ReadBytes(e.dir / "empty.csv"), ",0,\r\n" + HeaderLine());
  e.TypeHeader("B-9", "7.25");
  e.ui.fileAnswers.push_back(e.dir / "named.csv");
  e.session->OnFileSave();
  EXPECT_EQ(ReadBytes(e.dir / "named.csv"), "B-9,7.25,\r\n" + HeaderLine());
  EXPECT_TRUE(e.ui.messages.empty());
}

// The file carries the name and elevation the boxes hold when saving, and
// the work file is brought up to date with them.
TEST(FileSave, WritesTheNameAndElevationAsTheyStandNow) {
  Editor e;
  EnterThree(e);
  e.TypeHeader("B-1 改", "13");
  e.ui.fileAnswers.push_back(e.dir / "renamed.csv");
  e.session->OnFileSave();
  const std::string saved = ReadBytes(e.dir / "renamed.csv");
  EXPECT_EQ(saved.substr(0, saved.find('\n') + 1), "B-1 \x89\xfc,13,\r\n");
  EXPECT_EQ(e.WorkFile(), saved);
  EXPECT_EQ(e.session->Log().header.elevation, 13.0f);
}

TEST(FileSave, RefusesWhatTheFileCannotHold) {
  const struct {
    const char* name;
    const char* elevation;
    std::string message;
  } cases[] = {
      {"B,1", "12.5", std::string(kNameSeparatorMessage)},
      {"B-1", "abc", std::string(kNeedNumberMessage)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Editor e;
    EnterThree(e);
    const std::string work = e.WorkFile();
    e.TypeHeader(c.name, c.elevation);
    e.ui.fileAnswers.push_back(e.dir / "out.csv");
    e.session->OnFileSave();
    EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{c.message});
    EXPECT_FALSE(std::filesystem::exists(e.dir / "out.csv"));
    EXPECT_EQ(e.WorkFile(), work);
  }
}

TEST(FileSave, AsksBeforeReplacingAFile) {
  Editor e;
  EnterThree(e);
  const auto target = e.dir / "old.csv";
  WriteBytes(target, "old bytes\n");
  e.ui.fileAnswers.push_back(target);
  e.ui.overwriteAnswers.push_back(false);
  e.session->OnFileSave();
  EXPECT_EQ(e.ui.overwriteQuestions, 1);
  EXPECT_EQ(ReadBytes(target), "old bytes\n");

  e.ui.fileAnswers.push_back(target);
  e.ui.overwriteAnswers.push_back(true);
  e.session->OnFileSave();
  EXPECT_EQ(e.ui.overwriteQuestions, 2);
  EXPECT_EQ(ReadBytes(target), e.WorkFile());

  e.ui.fileAnswers.push_back(std::nullopt);  // cancelled: nothing asked
  e.session->OnFileSave();
  EXPECT_EQ(e.ui.overwriteQuestions, 2);
  EXPECT_TRUE(e.ui.messages.empty());
}

TEST(FileSave, AFailedWriteIsReported) {
  Editor e;
  EnterThree(e);
  WriteBytes(e.dir / "plain-file", "");
  e.ui.fileAnswers.push_back(e.dir / "plain-file" / "out.csv");
  e.session->OnFileSave();
  const std::vector<std::string> messages = e.ui.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  // The file cannot even be created there.
  EXPECT_EQ(messages[0].rfind(std::string(editor::kCannotOpenMessage) + "\n", 0), 0u);
  // Nothing is left beside the target.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(e.dir.Path()),
                          std::filesystem::directory_iterator()),
            2);
}

// The saved file does not depend on the work file: when that cannot be
// brought up to date the user hears of it and the file is written all the
// same.
TEST(FileSave, AWorkFileThatCannotBeWrittenDoesNotStopTheSave) {
  borvik::testing::TempDir dir;
  ScriptedPlatform ui;
  WriteBytes(dir / "not-a-folder", "");
  auto session = std::make_unique<Session>(ui, dir / "not-a-folder" / "temp.csv");
  session->State().name = "B-1";
  session->State().elevation = "12.5";
  session->State().top = "0";
  session->State().bot = "2";
  ASSERT_TRUE(session->EnterLayer().accepted);
  ui.TakeMessages();
  ui.fileAnswers.push_back(dir / "saved.csv");
  session->OnFileSave();
  const std::vector<std::string> messages = ui.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind(editor::kCannotOpenMessage, 0), 0u);
  EXPECT_EQ(ReadBytes(dir / "saved.csv"),
            "B-1,12.5,\r\n" + HeaderLine() + PlainLine("0,2,0,0,0,0,0"));
}

TEST(Close, RemovesTheWorkFile) {
  Editor e;
  EnterThree(e);
  e.session->OnClose();
  EXPECT_FALSE(std::filesystem::exists(e.dir / files::kWorkFileName));
  EXPECT_TRUE(e.ui.messages.empty());
}

}  // namespace
}  // namespace borvik::editor
