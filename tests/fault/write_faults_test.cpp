// Every write of the editor against a full or broken disk: the work file's
// head, an appended layer, the rewrite after an edit, 柱状図データの保存 and
// the settings save. After each failure the layer table holds every layer,
// the user has been told, no file is left half written, and the next write
// that succeeds brings the work file back in step with the table.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/editor_harness.h"
#include "editor/settings_dialog.h"
#include "fault/fault_control.h"
#include "files/layer_csv.h"
#include "editor/messages.h"
#include "settings/settings_file.h"

namespace borvik::editor {
namespace {

using borvik::testing::ArmedFault;
using borvik::testing::Fault;
using borvik::testing::ReadBytes;
using borvik::testing::WriteBytes;
using testing::Editor;
using namespace testing;

class WriteFault : public ::testing::TestWithParam<Fault> {
 protected:
  void SetUp() override { BORVIK_NEEDS_FAULT_LIBRARY(); }

  // The message of a failed write: the fixed text, then what went wrong.
  static std::string Message(std::string_view text) {
    return std::string(text) + "\n" + editor::ErrnoReason(GetParam().error);
  }
  // Every fault strikes after the file was opened.
  std::string WorkFileMessage() const { return Message(editor::kCannotWriteMessage); }

  // What the work file must hold: the log in the table.
  static std::string InStep(const Editor& e) {
    return files::FormatLayerFile(e.session->Log().header, e.session->Log().layers);
  }

  // Nothing but the named files in the folder: no temporary file is left.
  static void ExpectOnly(const Editor& e, std::vector<std::string> names) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(e.dir.Path())) {
      found.push_back(entry.path().filename().string());
    }
    std::sort(found.begin(), found.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(found, names);
  }

  static void EnterThree(Editor& e) {
    e.TypeHeader("B-1", "12.5");
    ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
    ASSERT_TRUE(e.Enter("2", "5", kFineSandBox).accepted);
    ASSERT_TRUE(e.Enter("5", "9", kCoarseSandBox).accepted);
    ASSERT_TRUE(e.ui.messages.empty());
  }
};

TEST_P(WriteFault, WorkFileHead) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  {
    const ArmedFault fault(GetParam(), files::kWorkFileName);
    ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
    EXPECT_GT(fault.Hits(), 0);
  }
  // The head, then the layer that could not be added after it.
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>(2, WorkFileMessage()));
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 1);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 1);
  EXPECT_EQ(e.WorkFile(), "");  // as created at start, not half a head
  EXPECT_FALSE(e.session->WorkFileInStep());
  ExpectOnly(e, {"temp.csv"});

  ASSERT_TRUE(e.Enter("2", "5", kFineSandBox).accepted);
  EXPECT_TRUE(e.ui.messages.empty());
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 2);
  EXPECT_EQ(e.WorkFile(), InStep(e));
  EXPECT_TRUE(e.session->WorkFileInStep());
}

TEST_P(WriteFault, AppendedLayer) {
  if (GetParam().calls == BORVIK_FAULT_RENAME) GTEST_SKIP() << "an append renames nothing";
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  const std::string before = e.WorkFile();
  {
    const ArmedFault fault(GetParam(), files::kWorkFileName);
    ASSERT_TRUE(e.Enter("2", "5", kFineSandBox).accepted);
    EXPECT_GT(fault.Hits(), 0);
  }
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{WorkFileMessage()});
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 2);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 2);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  2 /   2");
  // Never a partial line: the line was cut back, or (a failed close after a
  // good flush) it is whole.
  const std::string after = e.WorkFile();
  if (GetParam().calls == BORVIK_FAULT_CLOSE) {
    EXPECT_EQ(after, InStep(e));
  } else {
    EXPECT_EQ(after, before);
  }
  EXPECT_FALSE(e.session->WorkFileInStep());

  // The next layer does not go after a gap: the file is written whole.
  ASSERT_TRUE(e.Enter("5", "9", kCoarseSandBox).accepted);
  EXPECT_TRUE(e.ui.messages.empty());
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 3);
  EXPECT_EQ(e.WorkFile(), InStep(e));
  EXPECT_TRUE(e.session->WorkFileInStep());
  ExpectOnly(e, {"temp.csv"});
}

TEST_P(WriteFault, RewriteAfterAnEdit) {
  Editor e;
  EnterThree(e);
  const std::string before = e.WorkFile();
  e.session->ShowPreviousLayer();  // layer 2, fine sand
  e.State().base.selection = 2;  // 侵食面
  {
    const ArmedFault fault(GetParam(), files::kWorkFileName);
    ASSERT_TRUE(e.session->EnterLayer().accepted);
    EXPECT_GT(fault.Hits(), 0);
  }
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{WorkFileMessage()});
  EXPECT_EQ(e.WorkFile(), before);
  ExpectOnly(e, {"temp.csv"});
  // The table holds the edit, the picture shows every layer, and the editor
  // moves on as after any edit.
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 3);
  EXPECT_EQ(e.session->Log().layers.Get(2).Bou, 2);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 3);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  3 /   3");

  // Entering layer 3 as it is rewrites the file with the edit in it.
  ASSERT_TRUE(e.session->EnterLayer().accepted);
  EXPECT_TRUE(e.ui.messages.empty());
  EXPECT_EQ(e.WorkFile(), InStep(e));
  EXPECT_NE(e.WorkFile(), before);
  EXPECT_TRUE(e.session->WorkFileInStep());
}

// 層を削除 and its undo against a failing disk: the table follows every
// step, the user hears of each failure, and the first write that succeeds
// puts the whole log back on disk.
TEST_P(WriteFault, DeleteAndUndo) {
  Editor e;
  EnterThree(e);
  const std::string three = e.WorkFile();
  e.session->ShowLayer(2);
  e.ui.yesNoAnswers.push_back(true);
  {
    const ArmedFault fault(GetParam(), files::kWorkFileName);
    e.session->DeleteLayer();
    EXPECT_GT(fault.Hits(), 0);
  }
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{WorkFileMessage()});
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 2);
  EXPECT_EQ(e.session->Drawing().EntryCount(), 2);
  EXPECT_EQ(e.WorkFile(), three);
  {
    const ArmedFault fault(GetParam(), files::kWorkFileName);
    e.session->Undo();
    EXPECT_GT(fault.Hits(), 0);
  }
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{WorkFileMessage()});
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 3);
  EXPECT_EQ(e.State().recordLabel, "柱状図データ：  2 /   3");
  ExpectOnly(e, {"temp.csv"});
  e.session->Redo();
  EXPECT_TRUE(e.ui.messages.empty());
  EXPECT_EQ(e.WorkFile(), InStep(e));
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 2);
  EXPECT_TRUE(e.session->WorkFileInStep());
}

TEST_P(WriteFault, SaveKeepsTheOldFile) {
  Editor e;
  EnterThree(e);
  const auto target = e.dir / "saved.csv";
  const std::string old = "B-0,1,\r\n" + HeaderLine() + PlainLine("0,1,0,0,0,0.15,0.15");
  WriteBytes(target, old);
  {
    const ArmedFault fault(GetParam(), "saved.csv");
    e.ui.fileAnswers.push_back(target);
    e.ui.overwriteAnswers.push_back(true);
    e.session->OnFileSave();
    EXPECT_GT(fault.Hits(), 0);
  }
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{Message(editor::kCannotWriteMessage)});
  EXPECT_EQ(ReadBytes(target), old);
  ExpectOnly(e, {"saved.csv", "temp.csv"});
  EXPECT_EQ(e.session->Log().layers.LayerCount(), 3);
  EXPECT_EQ(e.WorkFile(), InStep(e));

  e.ui.fileAnswers.push_back(target);
  e.ui.overwriteAnswers.push_back(true);
  e.session->OnFileSave();
  EXPECT_TRUE(e.ui.messages.empty());
  EXPECT_EQ(ReadBytes(target), InStep(e));
}

// The work file itself failing under 保存 is reported; the saved file is
// written from the table all the same, and the work file is back in step at
// the next save.
TEST_P(WriteFault, SaveWhileTheWorkFileFails) {
  Editor e;
  EnterThree(e);
  const auto target = e.dir / "saved.csv";
  {
    const ArmedFault fault(GetParam(), files::kWorkFileName);
    e.ui.fileAnswers.push_back(target);
    e.session->OnFileSave();
    EXPECT_GT(fault.Hits(), 0);
  }
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{WorkFileMessage()});
  EXPECT_EQ(ReadBytes(target), InStep(e));
  EXPECT_FALSE(e.session->WorkFileInStep());
  e.ui.fileAnswers.push_back(target);
  e.ui.overwriteAnswers.push_back(true);
  e.session->OnFileSave();
  EXPECT_TRUE(e.ui.messages.empty());
  EXPECT_EQ(e.WorkFile(), InStep(e));
  EXPECT_TRUE(e.session->WorkFileInStep());
}

TEST_P(WriteFault, SettingsSaveKeepsTheOldFile) {
  Editor e;
  const auto target = e.dir / "rocks.set";
  WriteBytes(target, "old settings");
  SettingsDialog dialog(e.ui);
  dialog.Name(1) = "泥岩";
  {
    const ArmedFault fault(GetParam(), "rocks.set");
    e.ui.fileAnswers.push_back(target);
    e.ui.overwriteAnswers.push_back(true);
    EXPECT_TRUE(dialog.Save());
    EXPECT_GT(fault.Hits(), 0);
  }
  EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{Message(editor::kCannotWriteMessage)});
  EXPECT_EQ(ReadBytes(target), "old settings");
  ExpectOnly(e, {"rocks.set", "temp.csv"});

  SettingsDialog again(e.ui);
  again.Name(1) = "泥岩";
  e.ui.fileAnswers.push_back(target);
  e.ui.overwriteAnswers.push_back(true);
  EXPECT_TRUE(again.Save());
  EXPECT_TRUE(e.ui.messages.empty());
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  ASSERT_TRUE(settings::LoadSettingsFile(target, catalogue));
  EXPECT_EQ(catalogue.bedrock[0].name, "泥岩");
}

INSTANTIATE_TEST_SUITE_P(Faults, WriteFault, ::testing::ValuesIn(borvik::testing::kFaults),
                         borvik::testing::FaultName);

}  // namespace
}  // namespace borvik::editor
