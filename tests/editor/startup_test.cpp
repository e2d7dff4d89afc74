// Start and close with a leased work file: the log of a run that was killed
// comes back when the user wants it, a second window in the same folder
// keeps to its own work file, and a folder that cannot be written sends the
// work file elsewhere with one word to the user.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor/messages.h"
#include "editor_harness.h"
#include "files/work_file_lease.h"

namespace borvik::editor {
namespace {

namespace fs = std::filesystem;
using borvik::testing::FileNames;
using borvik::testing::ReadBytes;
using borvik::testing::TempDir;
using borvik::testing::WriteBytes;
using files::WorkFileLease;
using namespace testing;

files::LeaseRequest In(const fs::path& folder, std::vector<fs::path> fallbacks = {}) {
  return {.folder = folder, .fallbackFolders = std::move(fallbacks), .now = 0};
}

// One window of the program on a lease, as the desktop program starts it.
struct Window {
  explicit Window(const files::LeaseRequest& request) {
    WorkFileLease lease = WorkFileLease::Acquire(request);
    workPath = lease.Path();
    recoveredCopy = lease.RecoveredCopy();
    session = std::make_unique<Session>(ui, std::move(lease));
  }
  ScriptedPlatform ui;
  fs::path workPath;       // as the lease gave them to the session
  fs::path recoveredCopy;
  std::unique_ptr<Session> session;

  const fs::path& WorkPath() const { return workPath; }
  bool Enter(const char* top, const char* bot, int boxId) {
    session->State().top = top;
    session->State().bot = bot;
    session->State().CheckBox(boxId)->checked = true;
    return session->EnterLayer().accepted;
  }
  void EnterThree() {
    session->State().name = "B-1";
    session->State().elevation = "12.5";
    Enter("0", "2", kClayBox);
    Enter("2", "5", kFineSandBox);
    Enter("5", "9", kCoarseSandBox);
  }
};

const std::string kThreeLayers = "B-1,12.5,\r\n" + HeaderLine() +
                                 PlainLine("0,2,0,0,0,0.15,0.15") +
                                 PlainLine("2,5,2,0,0,0.19,0.19") +
                                 PlainLine("5,9,5,0,0,0.21,0.21");

// The program in another process enters three layers and is killed with
// SIGKILL before it can close: what it entered is only on disk.
void RunAndKill(const fs::path& folder) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::close(ready[0]);
    Window window(In(folder));
    window.EnterThree();
    const char entered = window.session->Log().layers.LayerCount() == 3 ? 1 : 0;
    [[maybe_unused]] const ssize_t sent = ::write(ready[1], &entered, 1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char entered = 0;
  [[maybe_unused]] const ssize_t got = ::read(ready[0], &entered, 1);
  ::close(ready[0]);
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_EQ(entered, 1);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  ASSERT_EQ(ReadBytes(folder / "temp.csv"), kThreeLayers);
}

std::string KeptMessage(const fs::path& copy) {
  return std::string(kRecoveryKeptHead) + copy.string() + std::string(kRecoveryKeptTail);
}

TEST(Recovery, YesBringsBackEveryLayerOfAKilledRun) {
  TempDir dir;
  RunAndKill(dir.Path());

  Window next(In(dir.Path()));
  const fs::path copy = next.recoveredCopy;
  ASSERT_FALSE(copy.empty());
  // Emptied for this run only after the log was moved aside.
  EXPECT_EQ(ReadBytes(next.WorkPath()), "");
  next.ui.yesNoAnswers.push_back(true);
  next.session->AfterStart();
  EXPECT_EQ(next.ui.questions, std::vector<std::string>{std::string(kRecoveryQuestion)});
  EXPECT_TRUE(next.ui.messages.empty());

  // As 柱状図データの読込 of the copy: every layer, the last one in the form,
  // the work file holding the log again.
  const model::Document& log = next.session->Log();
  EXPECT_EQ(log.header.name, "B-1");
  EXPECT_EQ(log.header.elevation, 12.5f);
  ASSERT_EQ(log.layers.LayerCount(), 3);
  EXPECT_EQ(log.layers.Get(2).bot, 5.0f);
  EXPECT_EQ(log.layers.Get(3).RF1, 0.21f);
  EXPECT_EQ(next.session->Drawing().EntryCount(), 3);
  EXPECT_EQ(next.session->State().recordLabel, "柱状図データ：  3 /   3");
  EXPECT_EQ(next.session->State().top, "5");
  EXPECT_EQ(ReadBytes(next.WorkPath()), kThreeLayers);
  EXPECT_EQ(ReadBytes(copy), kThreeLayers);

  // The copy outlives the window that read it.
  next.session->OnClose();
  EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{copy.filename().string()});
}

// The recovered log was never saved: it belongs to no file (上書き保存 must
// not write into the copy), and closing asks before it is lost again.
TEST(Recovery, TheRecoveredLogIsNotSaved) {
  TempDir dir;
  RunAndKill(dir.Path());
  Window next(In(dir.Path()));
  next.ui.yesNoAnswers.push_back(true);
  next.session->AfterStart();
  ASSERT_EQ(next.session->Log().layers.LayerCount(), 3);
  EXPECT_TRUE(next.session->File().empty());
  EXPECT_EQ(next.session->WindowTitle(), "*無題 - Borvik");
  next.ui.yesNoCancelAnswers.push_back(YesNoCancel::kCancel);
  EXPECT_FALSE(next.session->QueryClose());
  next.ui.fileAnswers.push_back(std::nullopt);
  next.session->OnFileSaveInPlace();
  EXPECT_EQ(next.ui.fileDialogs.size(), 1u);
  next.session->OnClose();
}

TEST(Recovery, NoKeepsTheCopyAndSaysWhere) {
  TempDir dir;
  RunAndKill(dir.Path());
  fs::path copy;
  {
    Window next(In(dir.Path()));
    copy = next.recoveredCopy;
    next.ui.yesNoAnswers.push_back(false);
    next.session->AfterStart();
    EXPECT_EQ(next.ui.TakeMessages(), std::vector<std::string>{KeptMessage(copy)});
    EXPECT_EQ(next.session->Log().layers.LayerCount(), 0);
    EXPECT_EQ(ReadBytes(next.WorkPath()), "");
    next.session->OnClose();
  }
  EXPECT_EQ(ReadBytes(copy), kThreeLayers);
  // A normal close leaves nothing to recover: the next start asks nothing.
  Window later(In(dir.Path()));
  later.session->AfterStart();
  EXPECT_TRUE(later.ui.questions.empty());
  EXPECT_TRUE(later.ui.messages.empty());
}

// A window that dies with the question showing has not been answered: the
// next start offers the same copy again, and only one window at a time asks.
TEST(Recovery, AnOfferNotAnsweredIsMadeAgain) {
  TempDir dir;
  RunAndKill(dir.Path());
  fs::path copy;
  {
    Window asking(In(dir.Path()));
    copy = asking.recoveredCopy;
    ASSERT_FALSE(copy.empty());
    // Gone before an answer: no AfterStart, no OnClose.
  }
  Window next(In(dir.Path()));
  EXPECT_EQ(next.recoveredCopy, copy);
  Window meanwhile(In(dir.Path()));
  EXPECT_TRUE(meanwhile.recoveredCopy.empty());
  next.ui.yesNoAnswers.push_back(true);
  next.session->AfterStart();
  EXPECT_EQ(next.session->Log().layers.LayerCount(), 3);
  next.session->OnClose();
  meanwhile.session->OnClose();
  Window later(In(dir.Path()));
  EXPECT_TRUE(later.recoveredCopy.empty());
  EXPECT_EQ(ReadBytes(copy), kThreeLayers);
}

// A damaged leftover is refused as a load would refuse it, and kept.
TEST(Recovery, ACopyThatCannotBeReadIsKept) {
  TempDir dir;
  WriteBytes(dir / "temp.csv", "B-1,12.5,\r\n" + HeaderLine() + "0,2,0,0\r\n");
  Window next(In(dir.Path()));
  const fs::path copy = next.recoveredCopy;
  next.ui.yesNoAnswers.push_back(true);
  next.session->AfterStart();
  const std::vector<std::string> messages = next.ui.TakeMessages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].rfind(editor::kImportFailedMessage, 0), 0u);
  EXPECT_EQ(messages[1], KeptMessage(copy));
  EXPECT_EQ(next.session->Log().layers.LayerCount(), 0);
  EXPECT_TRUE(fs::exists(copy));
}

TEST(Start, ANormalStartAndCloseLeaveNothing) {
  TempDir dir;
  {
    Window window(In(dir.Path()));
    EXPECT_EQ(window.WorkPath(), dir / "temp.csv");
    window.session->AfterStart();
    EXPECT_TRUE(window.ui.questions.empty());
    EXPECT_TRUE(window.ui.messages.empty());
    EXPECT_EQ(FileNames(dir.Path()), (std::vector<std::string>{".temp.csv.lock", "temp.csv"}));
    window.EnterThree();
    EXPECT_EQ(ReadBytes(window.WorkPath()), kThreeLayers);
    window.session->OnClose();
    EXPECT_TRUE(FileNames(dir.Path()).empty());
  }
  EXPECT_TRUE(FileNames(dir.Path()).empty());
}

TEST(Start, SaysOnceWhereTheWorkFileWent) {
  TempDir dir;
  WriteBytes(dir / "plain-file", "");
  const fs::path fallback = dir / "borvik";
  Window window(In(dir / "plain-file", {fallback}));
  ASSERT_EQ(window.WorkPath(), fallback / "temp.csv");
  window.session->AfterStart();
  window.session->AfterStart();
  EXPECT_EQ(window.ui.TakeMessages(),
            std::vector<std::string>{std::string(kWorkFileElsewhereHead) +
                                     (fallback / "temp.csv").string() +
                                     std::string(kWorkFileElsewhereTail)});
  window.EnterThree();
  EXPECT_TRUE(window.ui.messages.empty());
  EXPECT_EQ(ReadBytes(fallback / "temp.csv"), kThreeLayers);
  window.session->OnClose();
  EXPECT_TRUE(FileNames(fallback).empty());
}

TEST(Start, WithNowhereForAWorkFileTheLogStillGrows) {
  TempDir dir;
  WriteBytes(dir / "plain-file", "");
  Window window(In(dir / "plain-file", {dir / "plain-file" / "borvik"}));
  EXPECT_TRUE(window.ui.messages.empty());
  window.session->AfterStart();
  EXPECT_EQ(window.ui.TakeMessages(), std::vector<std::string>{std::string(kNoWorkFileMessage)});
  window.EnterThree();
  EXPECT_EQ(window.session->Log().layers.LayerCount(), 3);
  const std::vector<std::string> messages = window.ui.TakeMessages();
  ASSERT_FALSE(messages.empty());
  for (const std::string& message : messages) {
    EXPECT_EQ(message.rfind(editor::kCannotOpenMessage, 0), 0u) << message;
  }
  window.session->OnClose();
  EXPECT_TRUE(window.ui.messages.empty());
}

TEST(TwoWindows, InOneFolderKeepToTheirOwnWorkFiles) {
  TempDir dir;
  Window first(In(dir.Path()));
  first.EnterThree();
  Window second(In(dir.Path()));
  EXPECT_EQ(second.WorkPath(), dir / "temp-2.csv");
  second.session->AfterStart();
  EXPECT_TRUE(second.ui.questions.empty());
  EXPECT_TRUE(second.ui.messages.empty());
  EXPECT_EQ(ReadBytes(first.WorkPath()), kThreeLayers);

  second.session->State().name = "B-2";
  second.session->State().elevation = "3";
  ASSERT_TRUE(second.Enter("0", "1", kGranuleBox));
  ASSERT_TRUE(second.session->ResetLog());  // 新規作成 empties its own file only
  EXPECT_EQ(ReadBytes(second.WorkPath()), "");
  EXPECT_EQ(ReadBytes(first.WorkPath()), kThreeLayers);
  second.session->OnClose();
  EXPECT_EQ(FileNames(dir.Path()), (std::vector<std::string>{".temp.csv.lock", "temp.csv"}));

  ASSERT_TRUE(first.Enter("9", "10", kClayBox));
  EXPECT_EQ(ReadBytes(first.WorkPath()), kThreeLayers + PlainLine("9,10,9,0,0,0.15,0.15"));
  EXPECT_TRUE(first.ui.messages.empty());
}

}  // namespace
}  // namespace borvik::editor
