// The real window under a virtual display, driven through its widgets.

#include <sys/wait.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/scrolbar.h>
#include <wx/uiaction.h>

#include <csignal>
#include <cstdlib>
#include <unistd.h>

#include "editor/main_window_state.h"
#include "ui/gl_picture.h"
#include "ui/settings_window.h"
#include "window_fixture.h"

namespace borvik::testing {
namespace {

namespace id = editor::control;

const std::string kHeader =
    "top, bot, int, Str, Bou, RF1, RF2, RFe, Wea, DSe1, Se1, DSe2, Se2, DSe3, Se3, DSe4, Se4, "
    "DEc1, Ec1, DEc2, Ec2, DEc3, Ec3, DSa1, Sa1, DSa2, Sa2, DSa3, Sa3, DSa4, Sa4\r\n";

TEST_F(WindowTest, StartsEmptyWithTheFormReset) {
  EXPECT_EQ(Label(id::kRecordLabel), "柱状図データ：0/0");
  EXPECT_EQ(ui::Utf8(Control<wxComboBox>(id::kScale)->GetValue()), "1/100");
  EXPECT_TRUE(Control<wxRadioButton>(1068)->GetValue());
  EXPECT_TRUE(Control<wxRadioButton>(1069)->GetValue());
  for (const int depth : {1042, 1044, 1046, 1048, 1052, 1054, 1056, 1049, 1057, 1058, 1059}) {
    EXPECT_EQ(Text(depth), "-1") << depth;
  }
  for (const int depth : {id::kTop, id::kBot, id::kInt}) EXPECT_EQ(Text(depth), "0") << depth;
  EXPECT_EQ(Label(1099), "半深成岩類");
  EXPECT_EQ(Label(1017), "石灰岩類");
  EXPECT_EQ(Control<wxComboBox>(1041)->GetCount(), 8u);
  EXPECT_EQ(Control<wxComboBox>(1051)->GetCount(), 10u);
  ASSERT_TRUE(std::filesystem::exists("temp.csv"));
  EXPECT_EQ(std::filesystem::file_size("temp.csv"), 0u);
  EXPECT_EQ(window_->Picture().GetClientSize(), wxSize(880, 831));
  EXPECT_TRUE(script_.messages.empty());
}

TEST_F(WindowTest, TypedLayersReachTheWorkFile) {
  Type(id::kName, "B-1");
  Type(id::kElevation, "12.5");
  Type(id::kBot, "2");
  Check(1004);  // 粘土
  Press(id::kEnter);
  EXPECT_EQ(Label(id::kRecordLabel), "柱状図データ：  1 /   1");
  EXPECT_EQ(Text(id::kTop), "2");
  Type(id::kBot, "5");
  Check(1009);  // 細粒砂
  Type(1049, "3");
  Press(id::kEnter);
  EXPECT_TRUE(script_.messages.empty()) << script_.messages.front();
  EXPECT_EQ(Label(id::kRecordLabel), "柱状図データ：  2 /   2");
  EXPECT_EQ(ReadBytes("temp.csv"),
            "B-1,12.5,\r\n" + kHeader +
                "0,2,0,0,0,0.15,0.15,0,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0\r\n"
                "2,5,2,0,0,0.19,0.19,0,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,3,1,-1,0,-1,0,-1,0\r\n");
}

TEST_F(WindowTest, EnterAndEscapeNeitherEnterNorClose) {
  Type(id::kBot, "2");
  Check(1004);
  wxTextCtrl* bot = Control<wxTextCtrl>(id::kBot);
  bot->SetFocus();
  Settle();
  wxUIActionSimulator keys;
  keys.Char(WXK_RETURN);
  Settle();
  keys.Char(WXK_ESCAPE);
  Settle();
  EXPECT_TRUE(window_->IsShown());
  EXPECT_EQ(Label(id::kRecordLabel), "柱状図データ：0/0");
  EXPECT_EQ(std::filesystem::file_size("temp.csv"), 0u);
}

TEST_F(WindowTest, SavedImageIsWhatTheCommandLineRenders) {
  const std::string example = BORVIK_SOURCE_DIR "/examples/b-1.csv";
  script_.fileAnswers.push_back(example);
  Menu(ui::command::kFileLoad);
  EXPECT_EQ(Label(id::kRecordLabel), "柱状図データ：  8 /   8");
  Press(id::kShowLegend);
  script_.fileAnswers.push_back(folder_ / "window");  // the extension is added
  Menu(ui::command::kFileSaveImage);
  ASSERT_TRUE(std::filesystem::exists(folder_ / "window.png")) << (script_.messages.empty() ? "" : script_.messages[0]);
  const std::string cli = (folder_ / "cli.png").string();
  const std::string command = std::string(BORVIK_CLI) + " render '" + example + "' '" + cli + "' --legend";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(ReadBytes(folder_ / "window.png") == ReadBytes(cli));
}

TEST_F(WindowTest, TheFileMenuOffersTheDocumentsAfterTheImage) {
  wxMenu* file = window_->GetMenuBar()->GetMenu(0);
  std::vector<std::string> labels;
  for (const wxMenuItem* item : file->GetMenuItems()) {
    if (!item->IsSeparator()) labels.push_back(ui::Utf8(item->GetItemLabelText()));
  }
  EXPECT_EQ(labels,
            (std::vector<std::string>{"新規作成", "柱状図データの読込", "ボーリング交換用データの読込",
                                      "上書き保存", "柱状図データの保存", "画像として保存",
                                      "PDFとして保存", "SVGとして保存"}));
  EXPECT_NE(file->FindItem(ui::MenuId(ui::command::kFileSavePdf)), nullptr);
  EXPECT_NE(file->FindItem(ui::MenuId(ui::command::kFileSaveSvg)), nullptr);
}

TEST_F(WindowTest, SavedDocumentsAreWhatTheCommandLineWrites) {
  const std::string example = BORVIK_SOURCE_DIR "/examples/b-1.csv";
  script_.fileAnswers.push_back(example);
  Menu(ui::command::kFileLoad);
  Press(id::kShowLegend);
  for (const auto& [command, extension] :
       {std::pair{ui::command::kFileSavePdf, "pdf"}, std::pair{ui::command::kFileSaveSvg, "svg"}}) {
    script_.fileAnswers.push_back(folder_ / "window");  // the extension is added
    Menu(command);
    const auto saved = folder_ / (std::string("window.") + extension);
    ASSERT_TRUE(std::filesystem::exists(saved))
        << (script_.messages.empty() ? "" : script_.messages[0]);
    const std::string cli = (folder_ / (std::string("cli.") + extension)).string();
    const std::string line =
        std::string(BORVIK_CLI) + " render '" + example + "' '" + cli + "' --legend";
    ASSERT_EQ(std::system(line.c_str()), 0);
    EXPECT_TRUE(ReadBytes(saved) == ReadBytes(cli)) << extension;
  }
}

TEST_F(WindowTest, ImportsABoringExchangeFileFromTheFileMenu) {
  // The command sits right after 柱状図データの読込.
  const wxMenuItemList& items = window_->GetMenuBar()->GetMenu(0)->GetMenuItems();
  ASSERT_GE(items.size(), 3u);
  EXPECT_EQ(ui::Utf8(items[1]->GetItemLabelText()), "柱状図データの読込");
  EXPECT_EQ(ui::Utf8(items[2]->GetItemLabelText()), "ボーリング交換用データの読込");
  EXPECT_EQ(items[2]->GetId(), ui::MenuId(ui::command::kFileImport));

  const std::string kiknet =
      BORVIK_TEST_DATA "/exchange/real/BOREHOLE_KIK-NET_BED10118000020001.xml";
  script_.fileAnswers.push_back(kiknet);
  Menu(ui::command::kFileImport);
  EXPECT_TRUE(script_.messages.empty()) << script_.messages.front();
  EXPECT_EQ(Label(id::kRecordLabel), "柱状図データ： 11 /  11");
  EXPECT_EQ(Text(id::kName), "FKIH01");
  EXPECT_EQ(Text(id::kTop), "97.2");
  // What the window shows is what the command line draws from the file.
  script_.fileAnswers.push_back(folder_ / "window");
  Menu(ui::command::kFileSaveImage);
  const std::string cli = (folder_ / "cli.png").string();
  const std::string command = std::string(BORVIK_CLI) + " render '" + kiknet + "' '" + cli + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(ReadBytes(folder_ / "window.png") == ReadBytes(cli));
}

TEST_F(WindowTest, ADraggedThumbDrawsOneFramePerTurnOfTheLoop) {
  wxScrollBar* bar = Control<wxScrollBar>(id::kScrollBar);
  const int before = window_->Picture().FramesShown();
  EXPECT_GT(before, 0);
  for (int position = 1; position <= 30; ++position) {
    wxScrollEvent event(wxEVT_SCROLL_THUMBTRACK, id::kScrollBar, position, wxHORIZONTAL);
    event.SetEventObject(bar);
    bar->ProcessWindowEvent(event);
  }
  // Asked for thirty times, drawn at the next paint.
  EXPECT_EQ(window_->Picture().FramesShown(), before);
  Settle();
  EXPECT_EQ(window_->Picture().FramesShown(), before + 1);
  EXPECT_EQ(window_->Editor().View().scrollPosition, 30);
}

TEST_F(WindowTest, ClosingRemovesTheWorkFile) {
  ASSERT_TRUE(std::filesystem::exists("temp.csv"));
  window_->Close(true);
  window_ = nullptr;
  Settle();
  EXPECT_FALSE(std::filesystem::exists("temp.csv"));
}

TEST_F(WindowTest, AKilledWindowLosesNoLayer) {
  // This window's work file is not the one under test.
  window_->Close(true);
  window_ = nullptr;
  Settle();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    execl(BORVIK_WINDOW_CHILD, BORVIK_WINDOW_CHILD, folder_.Path().c_str(), nullptr);
    _exit(127);
  }
  for (int i = 0; i < 600 && !std::filesystem::exists(folder_ / "ready"); ++i) wxMilliSleep(50);
  ASSERT_TRUE(std::filesystem::exists(folder_ / "ready"));
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  const std::string leftover = ReadBytes(folder_ / "temp.csv");

  script_.yesNoAnswers.push_back(true);
  OpenWindow();
  EXPECT_TRUE(script_.messages.empty());
  ASSERT_EQ(script_.questions.size(), 1u);
  EXPECT_NE(script_.questions[0].find("開きますか"), std::string::npos) << script_.questions[0];
  EXPECT_EQ(Label(id::kRecordLabel), "柱状図データ：  3 /   3");
  EXPECT_EQ(Text(id::kName), "B-9 事故");
  const auto& layers = window_->Editor().Log().layers;
  ASSERT_EQ(layers.LayerCount(), 3);
  EXPECT_EQ(layers.Get(3).bot, 7.25f);
  EXPECT_EQ(layers.Get(2).RF1, 0.2f);
  // The crashed run's file is kept whole beside the new work file.
  int copies = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
    if (entry.path().filename().string().starts_with("temp-recovered-")) {
      ++copies;
      EXPECT_EQ(ReadBytes(entry.path()), leftover);
    }
  }
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(ReadBytes("temp.csv"), leftover);
}

}  // namespace
}  // namespace borvik::testing
