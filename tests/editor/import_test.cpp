// ボーリング交換用データの読込 as the user meets it: the file replaces the
// log as a loaded layer file does, and the report shows only when a name
// fell back or a sample was dropped.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "editor/import_report.h"
#include "editor/messages.h"
#include "editor_harness.h"
#include "exchange/import.h"
#include "observed_state.h"

namespace borvik::editor {
namespace {

using borvik::testing::ReadBytes;
using testing::Editor;
using namespace testing;

const std::filesystem::path kReal = BORVIK_TEST_DATA "/exchange/real";

// What the import makes of a file, straight from the core.
struct Expected {
  std::unique_ptr<model::Document> log = std::make_unique<model::Document>();
  exchange::ImportReport report;
};
Expected ImportDirectly(const std::filesystem::path& path) {
  Expected x;
  exchange::NameRules rules;
  EXPECT_TRUE(exchange::LoadNameRules(nullptr, rules));
  EXPECT_TRUE(exchange::ImportExchangeFile(path, rules, *x.log, x.report));
  return x;
}

TEST(FileImport, LoadsTheFileAsALoadedLogAndSaysNothingWhenAllIsMapped) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  e.session->ShowPreviousLayer();  // browsing: edit mode
  e.ui.TakeMessages();

  const auto file = kReal / "BOREHOLE_FUKUI_18000230651302239-BED0002.xml";
  e.ui.fileAnswers.push_back(file);
  e.session->OnFileImport();
  ASSERT_EQ(e.ui.fileDialogs.size(), 1u);
  EXPECT_FALSE(e.ui.fileDialogs[0].save);
  EXPECT_EQ(e.ui.fileDialogs[0].filter, "ボーリング交換用データ (*.xml)|*.xml;*.XML||");
  EXPECT_EQ(e.ui.fileDialogs[0].defaultExtension, "");
  EXPECT_TRUE(e.ui.messages.empty()) << e.ui.messages.front();

  const Expected x = ImportDirectly(file);
  const MainWindowState& s = e.State();
  EXPECT_EQ(s.recordLabel, "柱状図データ： 17 /  17");
  EXPECT_EQ(s.name, "H25B-2");
  EXPECT_EQ(s.elevation, "6.71");
  // The form shows the last layer, 26.8-32.2 m of gravel.
  EXPECT_EQ(s.top, "26.8");
  EXPECT_EQ(s.bot, "32.2");
  for (const CheckBoxState& box : s.lithology) EXPECT_EQ(box.checked, box.id == 1014) << box.id;
  EXPECT_EQ(e.session->Mode(), EntryMode::Append);
  EXPECT_TRUE(e.session->WorkFileStarted());
  EXPECT_EQ(e.WorkFile(), files::FormatLayerFile(x.log->header, x.log->layers));
  EXPECT_EQ(e.session->Log().layers, x.log->layers);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 18);  // 24.7-26.8 m crosses 25 m

  // The next entry continues the log.
  e.TypeDepths("32.2", "33");
  for (CheckBoxState& box : e.State().lithology) box.checked = false;
  e.Tick(kClayBox);
  ASSERT_TRUE(e.session->EnterLayer().accepted);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ： 18 /  18");
}

// An import is one step: undo brings back the log it replaced, redo the
// imported log, and the imported log belongs to no layer file.
TEST(FileImport, IsUndoneAndRedoneAsOneStep) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  const ObservedState before = Observe(e);
  e.ui.fileAnswers.push_back(kReal / "BOREHOLE_FUKUI_18000230651302239-BED0002.xml");
  e.session->OnFileImport();
  const ObservedState imported = Observe(e);
  EXPECT_TRUE(e.session->File().empty());
  EXPECT_EQ(e.session->WindowTitle(), "*無題 - Borvik");
  e.session->Undo();
  ExpectSameState(Observe(e), before);
  e.session->Redo();
  ExpectSameState(Observe(e), imported);
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 17);
}

TEST(FileImport, ShowsTheReportWhenSomethingWasDropped) {
  Editor e;
  const auto file = kReal / "BOREHOLE_FUKUI_18000210671200466-BED0003.xml";
  e.ui.fileAnswers.push_back(file);
  e.session->OnFileImport();
  const Expected x = ImportDirectly(file);
  ASSERT_EQ(e.ui.messages.size(), 1u);
  EXPECT_EQ(e.ui.messages[0],
            FormatImportReport(x.report, settings::CategoryCatalogue::Defaults()));
  EXPECT_NE(e.ui.messages[0].find("10.15 m（354 行目）: 1 つの層に置ける試料は 4 個までです"),
            std::string::npos)
      << e.ui.messages[0];
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  2 /   2");
}

TEST(FileImport, ARefusedFileLeavesTheLogAsItWas) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  const std::string workFile = e.WorkFile();
  const std::string real = ReadBytes(kReal / "BOREHOLE_FUKUI_18000230651302239-BED0002.xml");
  borvik::testing::WriteBytes(e.dir / "cut.xml", real.substr(0, real.size() / 2));
  const struct {
    std::filesystem::path file;
    std::string message;
  } cases[] = {
      {e.dir / "cut.xml", "ファイルの取り込みに失敗しました。\nファイルが途中で切れています（"},
      {e.dir / "missing.xml", "ファイルを開くことができませんでした\n"},
  };
  for (const auto& c : cases) {
    e.ui.fileAnswers.push_back(c.file);
    e.session->OnFileImport();
    ASSERT_FALSE(e.ui.messages.empty());
    EXPECT_EQ(e.ui.messages.front().rfind(c.message, 0), 0u) << e.ui.messages.front();
    e.ui.TakeMessages();
    EXPECT_EQ(e.WorkFile(), workFile);
    EXPECT_EQ(e.State().recordLabel, "柱状図データ：  1 /   1");
    EXPECT_EQ(e.session->Log().header.name, "B-1");
  }
  // Cancelled: nothing happens.
  e.ui.fileAnswers.push_back(std::nullopt);
  e.session->OnFileImport();
  EXPECT_TRUE(e.ui.messages.empty());
  EXPECT_EQ(e.WorkFile(), workFile);
}

TEST(ImportReportText, SaysWhatBecameOfTheHeaderTheNamesAndTheSamples) {
  const Expected x = ImportDirectly(kReal / "CBRDB_BEDCB53364726009.xml");
  const std::string text = FormatImportReport(x.report, settings::CategoryCatalogue::Defaults());
  for (const char* line : {
           "ボーリング交換用データ 3.00（文字コード UTF-8、宣言は shift_jis）\n",
           "柱状図名: CBRDB_BEDCB53364726009\n",
           "  ボーリング名が空のため、ファイル名を柱状図名にしました。\n",
           "孔口標高: 182.36 m\n",
           "層: 11 層を読み込みました（岩石土区分）。\n",
           "  軟岩・風化岩（3 層）→ 基盤岩（種類不明）、褐色（風化）\n",
           "  中硬岩（2 層）→ 基盤岩（種類不明）\n",
           "試料: 1 個のうち 0 個を置きました。1 個は置けませんでした:\n",
           "  （深度なし）（",
       }) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n---\n" << text;
  }
  EXPECT_EQ(text.find("決められなかった"), std::string::npos) << text;
}

TEST(ImportReportText, ListsTheFallbacksWithWhy) {
  exchange::ImportReport report;
  report.logName = "B-1";
  report.layers = 3;
  report.names = {
      {"砂", 1, {exchange::NameMatchKind::kRule, {model::kMediumSand, model::kMediumSand}}},
      {"アプライト", 1, {exchange::NameMatchKind::kNoLithology, {}}},
      {"", 1, {exchange::NameMatchKind::kUnknownRock, {model::kBedrockWidth, 0}}},
  };
  report.elevationSource = exchange::ElevationSource::kMissing;
  const std::string text = FormatImportReport(report, settings::CategoryCatalogue::Defaults());
  for (const char* line : {
           "孔口標高: 記載がないため 0 にしました。データ入力の前に入力してください。\n",
           "規則で岩相を決めた名前（1 層）:\n  砂（1 層）→ 中粒砂\n",
           "規則で岩相を決められなかった名前（2 層）:\n"
           "  アプライト（1 層）→ 岩相なし: 当てはまる規則がありません\n"
           "  （名前なし）（1 層）→ 基盤岩（種類不明）: 種類の分からない岩石として描きます\n",
       }) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n---\n" << text;
  }
}

}  // namespace
}  // namespace borvik::editor
