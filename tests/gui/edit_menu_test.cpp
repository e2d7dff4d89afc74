// The 編集 menu, 層の一覧 and the question at closing, through the real
// window.

#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include "editor/main_window_state.h"
#include "ui/layer_list_window.h"
#include "window_fixture.h"

namespace borvik::testing {
namespace {

namespace id = editor::control;
namespace command = ui::command;

const std::string kHeader =
    "top, bot, int, Str, Bou, RF1, RF2, RFe, Wea, DSe1, Se1, DSe2, Se2, DSe3, Se3, DSe4, Se4, "
    "DEc1, Ec1, DEc2, Ec2, DEc3, Ec3, DSa1, Sa1, DSa2, Sa2, DSa3, Sa3, DSa4, Sa4\r\n";
std::string Line(const std::string& values) {
  std::string line = values + ",0,0";
  for (int mark = 0; mark < 11; ++mark) line += ",-1,0";
  return line + "\r\n";
}
const std::string kThreeLayers = "B-1,12.5,\r\n" + kHeader + Line("0,2,0,0,0,0.15,0.15") +
                                 Line("2,5,2,0,0,0.19,0.19") + Line("5,9,5,0,0,0.21,0.21");

class EditMenuTest : public WindowTest {
 protected:
  void EnterThree() {
    Type(id::kName, "B-1");
    Type(id::kElevation, "12.5");
    for (const auto& [bottom, box] : {std::pair{"2", 1004}, {"5", 1009}, {"9", 1011}}) {
      Type(id::kBot, bottom);
      Check(box);
      Press(id::kEnter);
    }
    ASSERT_TRUE(script_.messages.empty()) << script_.messages.front();
    ASSERT_EQ(ReadBytes("temp.csv"), kThreeLayers);
  }
  bool Enabled(int commandNumber) {
    return window_->GetMenuBar()->IsEnabled(ui::MenuId(commandNumber));
  }
  void Keys(int key, int modifiers) {
    window_->Raise();
    Control<wxTextCtrl>(id::kTop)->SetFocus();
    Settle();
    wxUIActionSimulator keys;
    keys.Char(key, modifiers);
    Settle();
  }
};

TEST_F(EditMenuTest, SitsBetweenFileAndSettingsWithItsShortcuts) {
  wxMenuBar* bar = window_->GetMenuBar();
  ASSERT_EQ(bar->GetMenuCount(), 4u);
  EXPECT_EQ(ui::Utf8(bar->GetMenuLabelText(0)), "ファイル");
  EXPECT_EQ(ui::Utf8(bar->GetMenuLabelText(1)), "編集");
  EXPECT_EQ(ui::Utf8(bar->GetMenuLabelText(2)), "入力設定");
  const struct {
    int command;
    const char* caption;
    const char* keys;
  } entries[] = {
      {command::kEditUndo, "元に戻す", "Ctrl+Z"},
      {command::kEditRedo, "やり直し", "Ctrl+Y"},
      {command::kInsertLayer, "層を挿入", ""},
      {command::kDeleteLayer, "層を削除", ""},
      {command::kLayerList, "層の一覧", "Ctrl+L"},
      {command::kFileNew, "新規作成", "Ctrl+N"},
      {command::kFileLoad, "柱状図データの読込", "Ctrl+O"},
      {command::kFileSaveInPlace, "上書き保存", "Ctrl+S"},
      {command::kFileSave, "柱状図データの保存", "Ctrl+Shift+S"},
  };
  for (const auto& entry : entries) {
    SCOPED_TRACE(entry.caption);
    wxMenuItem* item = bar->FindItem(ui::MenuId(entry.command));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(ui::Utf8(item->GetItemLabelText()), entry.caption);
    wxAcceleratorEntry* accel = item->GetAccel();
    EXPECT_EQ(accel ? ui::Utf8(accel->ToRawString()) : "", entry.keys);
    delete accel;
  }
  // Nothing to undo, redo or delete in a new window.
  EXPECT_FALSE(Enabled(command::kEditUndo));
  EXPECT_FALSE(Enabled(command::kEditRedo));
  EXPECT_FALSE(Enabled(command::kDeleteLayer));
  EXPECT_TRUE(Enabled(command::kInsertLayer));
}

TEST_F(EditMenuTest, InsertAndDeleteInTheMiddleThenUndoBoth) {
  EnterThree();
  EXPECT_TRUE(Enabled(command::kEditUndo));
  Press(id::kPrevious);  // layer 2
  EXPECT_TRUE(Enabled(command::kDeleteLayer));
  Type(id::kTop, "2");
  Type(id::kBot, "3");
  Check(1009, false);
  Check(1013);  // 細礫
  Menu(command::kInsertLayer);
  EXPECT_EQ(Label(id::kRecordLabel), "柱状図データ：  3 /   4");
  EXPECT_EQ(Text(id::kBot), "5");
  const std::string inserted = "B-1,12.5,\r\n" + kHeader + Line("0,2,0,0,0,0.15,0.15") +
                               Line("2,3,2,0,0,0.24,0.24") + Line("2,5,2,0,0,0.19,0.19") +
                               Line("5,9,5,0,0,0.21,0.21");
  EXPECT_EQ(ReadBytes("temp.csv"), inserted);

  // The layer shown (fine sand, now layer 3) taken out.
  script_.yesNoAnswers.push_back(true);
  Menu(command::kDeleteLayer);
  ASSERT_EQ(script_.questions, std::vector<std::string>{"この層を削除しますか？"});
  EXPECT_EQ(Label(id::kRecordLabel), "柱状図データ：  3 /   3");
  EXPECT_EQ(Text(id::kBot), "9");
  EXPECT_EQ(ReadBytes("temp.csv"), "B-1,12.5,\r\n" + kHeader + Line("0,2,0,0,0,0.15,0.15") +
                                       Line("2,3,2,0,0,0.24,0.24") + Line("5,9,5,0,0,0.21,0.21"));

  // Ctrl+Z twice: the deletion, then the insertion.
  Keys('Z', wxMOD_CONTROL);
  EXPECT_EQ(ReadBytes("temp.csv"), inserted);
  EXPECT_EQ(Label(id::kRecordLabel), "柱状図データ：  3 /   4");
  EXPECT_TRUE(Enabled(command::kEditRedo));
  Menu(command::kEditUndo);
  EXPECT_EQ(ReadBytes("temp.csv"), kThreeLayers);
  EXPECT_EQ(Label(id::kRecordLabel), "柱状図データ：  2 /   3");
  // The form as it was before the insertion, typed values and all.
  EXPECT_EQ(Text(id::kBot), "3");
  EXPECT_TRUE(Control<wxCheckBox>(1013)->GetValue());
  // Ctrl+Shift+Z does it again.
  Keys('Z', wxMOD_CONTROL | wxMOD_SHIFT);
  EXPECT_EQ(ReadBytes("temp.csv"), inserted);
  EXPECT_TRUE(script_.messages.empty());
}

TEST_F(EditMenuTest, TheListShowsEveryLayerAndPicksOne) {
  EnterThree();
  Keys('L', wxMOD_CONTROL);
  ui::LayerListWindow* list = window_->LayerList();
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(list->IsShown());
  wxListCtrl& rows = list->List();
  ASSERT_EQ(rows.GetItemCount(), 3);
  EXPECT_EQ(ui::Utf8(rows.GetItemText(1, 3)), "細粒砂");
  EXPECT_EQ(ui::Utf8(rows.GetItemText(2, 2)), "9");
  // Beside the main window (the virtual screen has room for both).
  EXPECT_GE(list->GetScreenRect().x, window_->GetScreenRect().GetRight());
  EXPECT_EQ(rows.GetSelectedItemCount(), 0);

  // A click on the second row shows layer 2 as 前のデータ would.
  list->Raise();
  Settle();
  wxRect row;
  ASSERT_TRUE(rows.GetItemRect(1, row));
  wxUIActionSimulator mouse;
  mouse.MouseMove(rows.ClientToScreen(row.GetPosition() + wxPoint(row.width / 4, row.height / 2)));
  Settle();
  mouse.MouseClick();
  Settle();
  EXPECT_EQ(Label(id::kRecordLabel), "柱状図データ：  2 /   3");
  EXPECT_EQ(Text(id::kTop), "2");
  EXPECT_EQ(Text(id::kBot), "5");
  EXPECT_TRUE(Control<wxCheckBox>(1009)->GetValue());

  // The list follows the form and the log.
  Press(id::kPrevious);
  EXPECT_EQ(rows.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 0);
  Type(id::kBot, "2.5");
  Press(id::kEnter);
  EXPECT_EQ(ui::Utf8(rows.GetItemText(0, 2)), "2.5");
  EXPECT_EQ(ui::Utf8(rows.GetItemText(1, 10)), "重なり");
  EXPECT_EQ(rows.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 1);
}

TEST_F(EditMenuTest, ClosingWithUnsavedChangesAsksAndCancelKeepsTheWindow) {
  EXPECT_EQ(ui::Utf8(window_->GetTitle()), "Borvik");
  EnterThree();
  EXPECT_EQ(ui::Utf8(window_->GetTitle()), "*無題 - Borvik");
  script_.yesNoCancelAnswers.push_back(editor::YesNoCancel::kCancel);
  EXPECT_FALSE(window_->Close(false));
  Settle();
  EXPECT_EQ(script_.questions, std::vector<std::string>{"変更を保存しますか？"});
  EXPECT_TRUE(window_->IsShown());
  EXPECT_EQ(ReadBytes("temp.csv"), kThreeLayers);

  // はい saves through the save dialog, then the window goes.
  script_.yesNoCancelAnswers.push_back(editor::YesNoCancel::kYes);
  script_.fileAnswers.push_back(folder_ / "b1.csv");
  EXPECT_TRUE(window_->Close(false));
  window_ = nullptr;
  Settle();
  EXPECT_EQ(ReadBytes(folder_ / "b1.csv"), kThreeLayers);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "temp.csv"));
}

}  // namespace
}  // namespace borvik::testing
