// The work file lease: one locked work file per running window, the log of
// a run that did not close normally moved aside before it is emptied, and
// the fallback folder when the working folder cannot be written.

#include "files/work_file_lease.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace borvik::files {
namespace {

namespace fs = std::filesystem;
using borvik::testing::FileNames;
using borvik::testing::ReadBytes;
using borvik::testing::TempDir;
using borvik::testing::WriteBytes;

const std::string kLog = "B-1,12.5,\r\ntop, bot\r\n0,2,0\r\n";

LeaseRequest In(const fs::path& folder, std::vector<fs::path> fallbacks = {}) {
  return {.folder = folder, .fallbackFolders = std::move(fallbacks), .now = 0};
}

// A window in another process: it takes a lease in `folder`, writes `log`
// into its work file and holds the lease until Stop(). Crash() kills it
// without a release.
class OtherWindow {
 public:
  OtherWindow(const fs::path& folder, const std::string& log) {
    int ready[2];
    int stop[2];
    if (::pipe(ready) != 0 || ::pipe(stop) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      ::close(stop[1]);
      WorkFileLease lease = WorkFileLease::Acquire(In(folder));
      WriteBytes(lease.Path(), log);
      const std::string path = lease.Path().string();
      [[maybe_unused]] const ssize_t sent = ::write(ready[1], path.data(), path.size());
      ::close(ready[1]);
      char byte;
      [[maybe_unused]] const ssize_t got = ::read(stop[0], &byte, 1);  // until Stop()
      lease.Release();
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(stop[0]);
    stop_ = stop[1];
    char buffer[4096];
    for (ssize_t n; (n = ::read(ready[0], buffer, sizeof buffer)) > 0;) path_.append(buffer, n);
    ::close(ready[0]);
  }
  ~OtherWindow() {
    if (pid_ > 0) Stop();
  }
  OtherWindow(const OtherWindow&) = delete;
  OtherWindow& operator=(const OtherWindow&) = delete;

  const std::string& Path() const { return path_; }
  void Stop() {
    ::close(stop_);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  void Crash() {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    ::close(stop_);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int stop_ = -1;
  std::string path_;
};

TEST(WorkFileLease, EachWindowTakesTheFirstFreeName) {
  TempDir dir;
  // Locks belong to open files, not processes: two leases in one process
  // exclude each other as two windows do.
  WorkFileLease first = WorkFileLease::Acquire(In(dir.Path()));
  WorkFileLease second = WorkFileLease::Acquire(In(dir.Path()));
  WorkFileLease third = WorkFileLease::Acquire(In(dir.Path()));
  EXPECT_EQ(first.Path(), dir / "temp.csv");
  EXPECT_EQ(second.Path(), dir / "temp-2.csv");
  EXPECT_EQ(third.Path(), dir / "temp-3.csv");
  for (const WorkFileLease* lease : {&first, &second, &third}) {
    EXPECT_TRUE(lease->Held());
    EXPECT_FALSE(lease->FellBack());
    EXPECT_TRUE(lease->RecoveredCopy().empty());
  }
  EXPECT_EQ(FileNames(dir.Path()),
            (std::vector<std::string>{".temp-2.csv.lock", ".temp-3.csv.lock", ".temp.csv.lock"}));

  // A name given back is taken by the next window.
  first.Release();
  EXPECT_FALSE(fs::exists(dir / ".temp.csv.lock"));
  WorkFileLease fourth = WorkFileLease::Acquire(In(dir.Path()));
  EXPECT_EQ(fourth.Path(), dir / "temp.csv");
}

// The other window is alive: its non-empty work file is its log, not a
// leftover, and stays exactly as it is.
TEST(WorkFileLease, NeverTouchesTheFileOfARunningWindow) {
  TempDir dir;
  OtherWindow other(dir.Path(), kLog);
  ASSERT_EQ(other.Path(), (dir / "temp.csv").string());
  WorkFileLease lease = WorkFileLease::Acquire(In(dir.Path()));
  EXPECT_EQ(lease.Path(), dir / "temp-2.csv");
  EXPECT_TRUE(lease.RecoveredCopy().empty());
  EXPECT_EQ(ReadBytes(dir / "temp.csv"), kLog);
  EXPECT_EQ(FileNames(dir.Path()), (std::vector<std::string>{".temp-2.csv.lock", ".temp.csv.lock",
                                                         "temp.csv"}));
}

TEST(WorkFileLease, MovesTheLogOfACrashedRunAside) {
  TempDir dir;
  OtherWindow crashed(dir.Path(), kLog);
  crashed.Crash();  // its lock file stays, its lock does not
  ASSERT_TRUE(fs::exists(dir / ".temp.csv.lock"));

  const std::time_t now = 1'765'363'805;
  std::tm local{};
  ::localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  LeaseRequest request = In(dir.Path());
  request.now = now;
  WorkFileLease lease = WorkFileLease::Acquire(request);
  EXPECT_EQ(lease.Path(), dir / "temp.csv");
  EXPECT_TRUE(lease.Held());
  const fs::path copy = dir / (std::string("temp-recovered-") + stamp + ".csv");
  EXPECT_EQ(lease.RecoveredCopy(), copy);
  EXPECT_EQ(ReadBytes(copy), kLog);
  // Moved, not copied: the window empties its work file next.
  EXPECT_FALSE(fs::exists(dir / "temp.csv"));
}

// Every case leaves a non-empty temp.csv that nobody holds.
TEST(WorkFileLease, NeverReplacesAnEarlierRecoveredCopy) {
  TempDir dir;
  const std::time_t now = 1'765'363'805;
  std::tm local{};
  ::localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string base = std::string("temp-recovered-") + stamp;
  WriteBytes(dir / (base + ".csv"), "first crash");
  WriteBytes(dir / (base + "-2.csv"), "second crash");
  WriteBytes(dir / "temp.csv", kLog);
  LeaseRequest request = In(dir.Path());
  request.now = now;
  WorkFileLease lease = WorkFileLease::Acquire(request);
  EXPECT_EQ(lease.RecoveredCopy(), dir / (base + "-3.csv"));
  EXPECT_EQ(ReadBytes(dir / (base + "-3.csv")), kLog);
  EXPECT_EQ(ReadBytes(dir / (base + ".csv")), "first crash");
  EXPECT_EQ(ReadBytes(dir / (base + "-2.csv")), "second crash");
}

TEST(WorkFileLease, ASecondWindowRecoversItsOwnLeftover) {
  TempDir dir;
  OtherWindow running(dir.Path(), kLog);
  WriteBytes(dir / "temp-2.csv", "left by a second window");
  WorkFileLease lease = WorkFileLease::Acquire(In(dir.Path()));
  EXPECT_EQ(lease.Path(), dir / "temp-2.csv");
  ASSERT_FALSE(lease.RecoveredCopy().empty());
  EXPECT_EQ(lease.RecoveredCopy().filename().string().rfind("temp-2-recovered-", 0), 0u);
  EXPECT_EQ(ReadBytes(lease.RecoveredCopy()), "left by a second window");
  EXPECT_EQ(ReadBytes(dir / "temp.csv"), kLog);
}

TEST(WorkFileLease, AnEmptyLeftoverIsSimplyReused) {
  TempDir dir;
  WriteBytes(dir / "temp.csv", "");
  WorkFileLease lease = WorkFileLease::Acquire(In(dir.Path()));
  EXPECT_EQ(lease.Path(), dir / "temp.csv");
  EXPECT_TRUE(lease.RecoveredCopy().empty());
  EXPECT_EQ(FileNames(dir.Path()), (std::vector<std::string>{".temp.csv.lock", "temp.csv"}));
}

// What is not a plain file of ours is passed over, and left as it was.
TEST(WorkFileLease, PassesOverWhatIsNotAWorkFile) {
  const struct {
    const char* what;
    void (*make)(const fs::path& dir);
  } cases[] = {
      {"a folder named temp.csv",
       [](const fs::path& dir) {
         fs::create_directory(dir / "temp.csv");
         WriteBytes(dir / "temp.csv" / "inside", kLog);
       }},
      {"temp.csv a link to another file",
       [](const fs::path& dir) {
         WriteBytes(dir / "elsewhere.csv", kLog);
         fs::create_symlink(dir / "elsewhere.csv", dir / "temp.csv");
       }},
      {"the lock file a link",
       [](const fs::path& dir) {
         WriteBytes(dir / "elsewhere.csv", kLog);
         fs::create_symlink(dir / "elsewhere.csv", dir / ".temp.csv.lock");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    c.make(dir.Path());
    const std::vector<std::string> before = FileNames(dir.Path());
    {
      WorkFileLease lease = WorkFileLease::Acquire(In(dir.Path()));
      EXPECT_EQ(lease.Path(), dir / "temp-2.csv");
      EXPECT_TRUE(lease.RecoveredCopy().empty());
    }
    EXPECT_EQ(FileNames(dir.Path()), before);
    if (fs::exists(dir / "elsewhere.csv")) {
      EXPECT_EQ(ReadBytes(dir / "elsewhere.csv"), kLog);
    }
    if (fs::is_directory(dir / "temp.csv")) {
      EXPECT_EQ(ReadBytes(dir / "temp.csv" / "inside"), kLog);
    }
  }
}

// Tests run as root here, where permissions stop no write: folders that
// cannot be written are ones under a plain file, missing ones and /proc.
TEST(WorkFileLease, FallsBackWhenTheFolderCannotBeWritten) {
  TempDir dir;
  WriteBytes(dir / "plain-file", "");
  const fs::path unwritable[] = {dir / "plain-file" / "work", dir / "missing", "/proc"};
  for (const fs::path& folder : unwritable) {
    SCOPED_TRACE(folder);
    TempDir fallbackParent;
    // The first fallback cannot be made (its parent is missing); the second
    // can.
    const fs::path fallback = fallbackParent / "borvik";
    WorkFileLease lease =
        WorkFileLease::Acquire(In(folder, {fallbackParent / "no-parent" / "borvik", fallback}));
    EXPECT_TRUE(lease.Held());
    EXPECT_TRUE(lease.FellBack());
    EXPECT_EQ(lease.Path(), fallback / "temp.csv");
    struct stat st {};
    ASSERT_EQ(::stat(fallback.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // Same names and locks there: a second window takes temp-2.csv.
    WorkFileLease second = WorkFileLease::Acquire(In(folder, {fallback}));
    EXPECT_EQ(second.Path(), fallback / "temp-2.csv");
  }
}

TEST(WorkFileLease, AFallbackFolderIsMadePrivateAndRecoveredToo) {
  TempDir dir;
  WriteBytes(dir / "plain-file", "");
  const fs::path fallback = dir / "borvik";
  fs::create_directory(fallback);
  fs::permissions(fallback, fs::perms(0755));
  WriteBytes(fallback / "temp.csv", kLog);
  WorkFileLease lease = WorkFileLease::Acquire(In(dir / "plain-file", {fallback}));
  EXPECT_EQ(lease.Path(), fallback / "temp.csv");
  EXPECT_EQ(fs::status(fallback).permissions() & fs::perms::all, fs::perms::owner_all);
  ASSERT_FALSE(lease.RecoveredCopy().empty());
  EXPECT_EQ(lease.RecoveredCopy().parent_path(), fallback);
  EXPECT_EQ(ReadBytes(lease.RecoveredCopy()), kLog);
}

TEST(WorkFileLease, AFallbackFolderOfAnotherUserIsRefused) {
  TempDir dir;
  WriteBytes(dir / "plain-file", "");
  const fs::path theirs = dir / "theirs";
  fs::create_directory(theirs);
  if (::chown(theirs.c_str(), 65534, 65534) != 0) GTEST_SKIP() << "cannot give a folder away";
  WorkFileLease lease = WorkFileLease::Acquire(In(dir / "plain-file", {theirs, dir / "ours"}));
  EXPECT_EQ(lease.Path(), dir / "ours" / "temp.csv");
  EXPECT_TRUE(fs::is_empty(theirs));
}

TEST(WorkFileLease, HoldsNothingWhenNoFolderCanBeWritten) {
  TempDir dir;
  WriteBytes(dir / "plain-file", "");
  WorkFileLease lease = WorkFileLease::Acquire(In(dir / "plain-file", {dir / "plain-file" / "b"}));
  EXPECT_FALSE(lease.Held());
  EXPECT_TRUE(lease.FellBack());
  EXPECT_TRUE(lease.Path().empty());
}

TEST(WorkFileLease, ReleaseRemovesTheLockFileOnce) {
  TempDir dir;
  WorkFileLease lease = WorkFileLease::Acquire(In(dir.Path()));
  WriteBytes(lease.Path(), kLog);
  const fs::path lock = lease.LockPath();
  ASSERT_EQ(lock, dir / ".temp.csv.lock");
  ASSERT_TRUE(fs::exists(lock));
  {
    // Moving hands the lock on; the emptied lease releases nothing.
    WorkFileLease moved = std::move(lease);
    EXPECT_TRUE(moved.Held());
    EXPECT_FALSE(lease.Held());  // NOLINT(bugprone-use-after-move): what a move leaves
    WorkFileLease blocked = WorkFileLease::Acquire(In(dir.Path()));
    EXPECT_EQ(blocked.Path(), dir / "temp-2.csv");
  }
  EXPECT_FALSE(fs::exists(lock));
  // The work file is the window's to delete, not the lease's.
  EXPECT_EQ(ReadBytes(dir / "temp.csv"), kLog);
  lease.Release();
  EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"temp.csv"});
}

}  // namespace
}  // namespace borvik::files
