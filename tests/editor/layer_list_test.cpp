// 層の一覧: the rows of every stored layer, and picking one.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/layer_list.h"
#include "editor_harness.h"

namespace borvik::editor {
namespace {

using testing::Editor;
using namespace testing;

const std::string kLog =
    "B-7,10,\r\n" + HeaderLine() + PlainLine("0,1.5,0,0,0,0.18,0.18") +
    "1.5,4,1.5,0,3,0.29,0.33,2,1,2,3,-1,0,-1,0,-1,0,3,9,-1,0,-1,0,3.5,1,-1,0,-1,0,-1,0\r\n" +
    "4.5,7,5,1,2,0.15,0.21,4,3,5,1,6,2,-1,0,-1,0,-1,0,-1,0,-1,0,5,1,6,1,-1,0,7,1\r\n" +
    PlainLine("6,8,7,2,1,0.21,0.15") + PlainLine("8,9,8,0,4,0,0") + PlainLine("9,10,9,0,0,0.29,0") +
    PlainLine("10,11,10,0,-1,0.5,0.5");

TEST(LayerList, OneRowPerLayerInWords) {
  Editor e;
  e.Load("b7.csv", kLog);
  using Row = std::vector<std::string>;
  const std::vector<LayerListRow> rows = e.session->LayerList();
  ASSERT_EQ(rows.size(), 7u);
  const std::vector<Row> cells{
      {"1", "0", "1.5", "極細粒砂", "明瞭", "特になし", "風化していない", "0", "0", "0", ""},
      {"2", "1.5", "4", "火山岩類", "断層", "腐植質", "赤色（強風化）", "1", "1", "1", ""},
      {"3", "4.5", "7", "粘土／粗粒砂（級化構造）", "侵食面", "石灰質", "マダラ模様", "2", "0", "3",
       "すき間"},
      {"4", "6", "8", "粗粒砂／粘土（逆級化構造）", "不明瞭", "特になし", "風化していない", "0",
       "0", "0", "重なり"},
      {"5", "8", "9", "欠落（コア欠）", "連続", "特になし", "風化していない", "0", "0", "0", ""},
      {"6", "9", "10", "基盤岩", "明瞭", "特になし", "風化していない", "0", "0", "0", ""},
      // Codes no control offers show as their numbers.
      {"7", "10", "11", "0.5", "-1", "特になし", "風化していない", "0", "0", "0", ""},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(rows[i].slot, static_cast<int>(i + 1));
    EXPECT_EQ(Row(rows[i].cells.begin(), rows[i].cells.end()), cells[i]);
  }
}

TEST(LayerList, BedrockNamesComeFromTheCatalogue) {
  auto table = std::make_unique<model::LayerTable>();
  model::LayerRecord layer;
  layer.bot = 3;
  layer.RF1 = model::kBedrockWidth;
  layer.RF2 = model::kLimestone;
  table->Append(layer);
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  EXPECT_EQ(LayerListRows(*table, catalogue)[0].cells[3], "石灰岩類");
  catalogue.bedrock[5].name = "サンゴ石灰岩";
  EXPECT_EQ(LayerListRows(*table, catalogue)[0].cells[3], "サンゴ石灰岩");
}

TEST(LayerList, FollowsTheLogAndPicksALayerAsTheButtonsDo) {
  Editor e;
  e.Load("b7.csv", kLog);
  EXPECT_FALSE(e.session->ShownLayer());  // appending after a load
  e.session->ShowLayer(3);
  const MainWindowState picked = e.State();
  EXPECT_EQ(e.session->ShownLayer(), 3);
  EXPECT_EQ(e.session->Mode(), EntryMode::Edit);
  // The same as stepping there with 前のデータ.
  e.session->ShowNextLayer();
  e.session->ShowPreviousLayer();
  ASSERT_EQ(e.session->ShownLayer(), 3);
  EXPECT_EQ(e.State(), picked);

  e.ui.yesNoAnswers.push_back(true);
  e.session->DeleteLayer();
  const std::vector<LayerListRow> rows = e.session->LayerList();
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[2].cells[1], "6");
  EXPECT_EQ(rows[2].cells[10], "すき間");  // 4 to 6 m is now missing
  EXPECT_EQ(e.session->ShownLayer(), 3);
}

}  // namespace
}  // namespace borvik::editor
