// The catalogue in the window's controls, 設定の読込, and the settings
// dialog that writes a settings file.

#include <gtest/gtest.h>

#include "editor/messages.h"
#include "editor/settings_dialog.h"
#include "editor_harness.h"
#include "settings/settings_file.h"

namespace borvik::editor {
namespace {

using borvik::testing::ReadBytes;
using borvik::testing::TempDir;
using borvik::testing::WriteBytes;
using testing::Editor;
using testing::ScriptedPlatform;
using namespace testing;

std::vector<std::string> BedrockCaptions(const MainWindowState& s) {
  std::vector<std::string> captions;
  for (int id : {1087, 1018, 1099, 1019, 1020, 1017}) captions.push_back(s.CheckBox(id)->caption);
  return captions;
}

TEST(FillCategoryControls, ShowsTheCatalogueAtStart) {
  Editor e;
  const MainWindowState& s = e.State();
  EXPECT_EQ(BedrockCaptions(s), (std::vector<std::string>{"堆積岩類", "火山岩類", "半深成岩類",
                                                          "深成岩類", "変成岩類", "石灰岩類"}));
  for (const ListState& list : s.structureKinds) {
    ASSERT_EQ(list.entries.size(), 8u);
    EXPECT_EQ(list.entries[0], "");
    EXPECT_EQ(list.entries[3], "斜交層理");
    EXPECT_EQ(list.selection, 0);
  }
  for (const ListState& list : s.featureKinds) {
    ASSERT_EQ(list.entries.size(), 10u);
    EXPECT_EQ(list.entries[0], "");
    EXPECT_EQ(list.entries[9], "人工遺物");
    EXPECT_EQ(list.selection, 0);
  }
  EXPECT_EQ(s.lithologyChange.entries,
            (std::vector<std::string>{"岩相変化無し", "級化構造", "逆級化構造"}));
  EXPECT_EQ(s.base.entries, (std::vector<std::string>{"明瞭", "不明瞭", "侵食面", "断層", "連続"}));
  EXPECT_EQ(s.scale.entries, (std::vector<std::string>{"1/50", "1/100", "1/200", "1/400"}));
  EXPECT_EQ(s.scale.selection, 1);
  EXPECT_EQ(s.recordLabel, "柱状図データ：0/0");
  EXPECT_TRUE(s.nextEnabled);
  EXPECT_EQ(s.top, "0");
  EXPECT_EQ(s.bot, "0");
  EXPECT_EQ(s.int_, "0");
  EXPECT_EQ(s.featureDepths[2], "-1");
  EXPECT_EQ(s.rockQuality, 0);
  EXPECT_EQ(s.weathering, 0);
  EXPECT_EQ(s.scrollBar, 0);
  EXPECT_EQ(e.WorkFile(), "");
  EXPECT_TRUE(std::filesystem::exists(e.dir / files::kWorkFileName));
  EXPECT_TRUE(e.ui.messages.empty());
}

// A settings file with its own names; bedrock slot 2 left empty.
std::string CustomSettings() {
  settings::SettingsRows rows = settings::RowsOf(settings::CategoryCatalogue::Defaults());
  rows[0] = {"砂岩", "/tex/sandstone.png"};
  rows[1] = {"", ""};
  rows[6 + 2] = {"ハンモック", "/tex/hummock.png"};
  rows[13 + 8] = {"土器片", "/tex/pottery.png"};
  std::string text;
  settings::WriteSettingsFile(text, rows);
  return text;
}

TEST(SettingsLoad, ReplacesTheCatalogueAndRefillsTheLists) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  e.State().structureKinds[1].selection = 4;
  WriteBytes(e.dir / "custom.set", CustomSettings());
  e.ui.fileAnswers.push_back(e.dir / "custom.set");
  const int redraws = e.ui.redraws;
  e.session->OnSettingsLoad();

  ASSERT_EQ(e.ui.fileDialogs.size(), 1u);
  EXPECT_EQ(e.ui.fileDialogs[0].filter, "設定ファイル (*.set)|*.set||");
  EXPECT_EQ(e.ui.fileDialogs[0].defaultExtension, "");
  EXPECT_EQ(e.ui.redraws, redraws + 1);  // only for the emptied log
  EXPECT_TRUE(e.ui.messages.empty());
  const MainWindowState& s = e.State();
  EXPECT_EQ(BedrockCaptions(s), (std::vector<std::string>{"砂岩", "", "半深成岩類", "深成岩類",
                                                          "変成岩類", "石灰岩類"}));
  for (const ListState& list : s.structureKinds) {
    ASSERT_EQ(list.entries.size(), 8u);
    EXPECT_EQ(list.entries[3], "ハンモック");
    EXPECT_EQ(list.selection, 0);
  }
  for (const ListState& list : s.featureKinds) {
    ASSERT_EQ(list.entries.size(), 10u);
    EXPECT_EQ(list.entries[9], "土器片");
    EXPECT_EQ(list.selection, 0);
  }
  EXPECT_EQ(e.session->Catalogue().bedrock[0].texturePath, "/tex/sandstone.png");
  // The log was given up first.
  EXPECT_EQ(s.recordLabel, "柱状図データ：  0 /   0");
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 0);
  EXPECT_EQ(e.WorkFile(), "");
  EXPECT_EQ(s.name, "");
}

TEST(SettingsLoad, ACancelledDialogStillResetsTheLog) {
  const struct {
    const char* label;
    bool chooseMissingFile;
  } cases[] = {{"cancelled", false}, {"file cannot be opened", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Editor e;
    e.TypeHeader("B-1", "12.5");
    ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
    e.session->ShowPreviousLayer();
    if (c.chooseMissingFile) {
      e.ui.fileAnswers.push_back(e.dir / "missing.set");
    } else {
      e.ui.fileAnswers.push_back(std::nullopt);
    }
    e.session->OnSettingsLoad();
    EXPECT_TRUE(e.ui.messages.empty());
    EXPECT_EQ(e.session->Catalogue(), settings::CategoryCatalogue::Defaults());
    EXPECT_EQ(e.session->Log().layers.LayerCount(), 0);
    EXPECT_EQ(e.session->Mode(), EntryMode::Append);
    EXPECT_EQ(e.WorkFile(), "");
    EXPECT_EQ(e.State().recordLabel, "柱状図データ：  0 /   0");
    for (const ListState& list : e.State().structureKinds) {
      EXPECT_EQ(list.entries.size(), 8u);
      EXPECT_EQ(list.selection, 0);
    }
    for (const ListState& list : e.State().featureKinds) {
      EXPECT_EQ(list.entries.size(), 10u);
      EXPECT_EQ(list.selection, 0);
    }
    EXPECT_EQ(BedrockCaptions(e.State())[2], "半深成岩類");
  }
}

struct DialogRun {
  TempDir dir;
  ScriptedPlatform ui;
};

TEST(SettingsDialog, SavesEmptyRowsAsCommas) {
  DialogRun run;
  SettingsDialog dialog(run.ui);
  run.ui.fileAnswers.push_back(run.dir / "blank");
  EXPECT_TRUE(dialog.Save());
  ASSERT_EQ(run.ui.fileDialogs.size(), 1u);
  EXPECT_TRUE(run.ui.fileDialogs[0].save);
  EXPECT_EQ(run.ui.fileDialogs[0].filter, "データファイル (*.set)|*.set||");
  EXPECT_EQ(run.ui.fileDialogs[0].defaultExtension, "set");
  std::string expected = "rockface\r\n";
  for (int i = 0; i < 6; ++i) expected += ",\r\n";
  expected += "sedimentarystructure\r\n";
  for (int i = 0; i < 7; ++i) expected += ",\r\n";
  expected += "otherfeature\r\n";
  for (int i = 0; i < 8; ++i) expected += ",\r\n";
  expected += ",";
  EXPECT_EQ(ReadBytes(run.dir / "blank.set"), expected);
  EXPECT_TRUE(run.ui.messages.empty());
}

TEST(SettingsDialog, RowsWithANameOrATexture) {
  DialogRun run;
  SettingsDialog dialog(run.ui);
  dialog.Name(1) = "砂岩";
  run.ui.fileAnswers.push_back(std::filesystem::path("/tex/mud stone.png"));
  dialog.Import(2);
  run.ui.fileAnswers.push_back(std::nullopt);  // a cancelled choice changes nothing
  dialog.Import(2);
  EXPECT_EQ(dialog.TexturePath(2), "/tex/mud stone.png");
  dialog.Name(22) = "土器片";
  run.ui.fileAnswers.push_back(std::filesystem::path("/tex/a.png"));
  dialog.Import(22);
  run.ui.fileAnswers.push_back(std::filesystem::path("/tex/b.png"));
  dialog.Import(22);  // choosing again replaces the path
  run.ui.fileAnswers.push_back(run.dir / "mine.set");
  EXPECT_TRUE(dialog.Save());
  for (const auto& d : run.ui.fileDialogs) {
    if (!d.save) {
      EXPECT_EQ(d.filter, "テクスチャファイル (*.png)|*.png||");
    }
  }
  const std::string text = ReadBytes(run.dir / "mine.set");
  EXPECT_TRUE(text.starts_with("rockface\r\n砂岩,\r\n,/tex/mud stone.png\r\n,\r\n")) << text;
  EXPECT_TRUE(text.ends_with("\r\n,\r\n土器片,/tex/b.png")) << text;
  // Read back, the file gives the rows typed.
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  ASSERT_TRUE(settings::LoadSettingsFile(run.dir / "mine.set", catalogue));
  EXPECT_EQ(catalogue.bedrock[0], (settings::CategoryEntry{"砂岩", ""}));
  EXPECT_EQ(catalogue.bedrock[1], (settings::CategoryEntry{"", "/tex/mud stone.png"}));
  EXPECT_EQ(catalogue.structures[0], (settings::CategoryEntry{"", ""}));
}

// The textures chosen belong to one opening of the dialog: a later opening
// that does not choose them again writes empty paths.
TEST(SettingsDialog, TexturesBelongToOneOpening) {
  DialogRun run;
  {
    SettingsDialog first(run.ui);
    run.ui.fileAnswers.push_back(std::filesystem::path("/tex/first.png"));
    first.Import(3);
    // キャンセル: the dialog goes without saving.
  }
  SettingsDialog second(run.ui);
  EXPECT_EQ(second.TexturePath(3), "");
  EXPECT_EQ(second.Name(3), "");
  run.ui.fileAnswers.push_back(run.dir / "second.set");
  EXPECT_TRUE(second.Save());
  EXPECT_EQ(ReadBytes(run.dir / "second.set").find("first.png"), std::string::npos);
}

TEST(SettingsDialog, StaysOpenWhenTheSaveIsCancelledOrDeclined) {
  DialogRun run;
  SettingsDialog dialog(run.ui);
  dialog.Name(1) = "砂岩";
  run.ui.fileAnswers.push_back(std::nullopt);
  EXPECT_FALSE(dialog.Save());

  const auto existing = run.dir / "old.set";
  WriteBytes(existing, "old settings");
  run.ui.fileAnswers.push_back(existing);
  run.ui.overwriteAnswers.push_back(false);
  EXPECT_FALSE(dialog.Save());
  EXPECT_EQ(ReadBytes(existing), "old settings");
  EXPECT_EQ(run.ui.overwriteQuestions, 1);

  run.ui.fileAnswers.push_back(existing);
  run.ui.overwriteAnswers.push_back(true);
  EXPECT_TRUE(dialog.Save());
  EXPECT_TRUE(ReadBytes(existing).starts_with("rockface\r\n砂岩,\r\n"));
  EXPECT_TRUE(run.ui.messages.empty());
}

TEST(SettingsDialog, AFileThatCannotBeWrittenIsReportedAndTheDialogCloses) {
  DialogRun run;
  WriteBytes(run.dir / "plain-file", "");
  SettingsDialog dialog(run.ui);
  run.ui.fileAnswers.push_back(run.dir / "plain-file" / "out.set");
  EXPECT_TRUE(dialog.Save());
  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_EQ(run.ui.messages[0].rfind("ファイルを開くことができませんでした", 0), 0u);
}

TEST(SettingsDialog, RowsControlsAndLabels) {
  const struct {
    int row;
    int nameBox, pathBox, importButton;
    const char* label;
    const char* group;
  } cases[] = {
      {1, 1101, 1005, 1040, "基盤岩1", "ユーザー定義　基盤岩類"},
      {6, 1106, 1010, 1045, "基盤岩6", "ユーザー定義　基盤岩類"},
      {7, 1107, 1011, 1046, "堆積構造1", "ユーザー定義　堆積構造"},
      {13, 1113, 1017, 1052, "堆積構造7", "ユーザー定義　堆積構造"},
      {14, 1114, 1018, 1053, "その他1", "ユーザー定義　その他の特徴"},
      {22, 1122, 1026, 1061, "その他9", "ユーザー定義　その他の特徴"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SettingsDialog::NameBoxId(c.row), c.nameBox);
    EXPECT_EQ(SettingsDialog::PathBoxId(c.row), c.pathBox);
    EXPECT_EQ(SettingsDialog::ImportButtonId(c.row), c.importButton);
    EXPECT_EQ(SettingsDialog::RowLabel(c.row), c.label);
    EXPECT_EQ(SettingsDialog::GroupLabel(c.row), c.group);
  }
}

}  // namespace
}  // namespace borvik::editor
