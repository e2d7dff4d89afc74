#pragma once
// The work file of one running window, held for the window's whole life.
//
// Each window takes an exclusive lock (flock) on a small lock file beside
// its work file: ".temp.csv.lock" for "temp.csv". The lock file, not the
// work file, is locked because the work file is replaced by rename on every
// rewrite. A second window started in the same folder finds temp.csv locked
// and goes on to temp-2.csv, temp-3.csv and so on; it never truncates or
// deletes a file whose lock someone else holds.
//
// A work file that is there, not empty and not locked was left by a run that
// did not close normally. Before the window empties it, the lease moves it
// aside to a dated file beside it (temp-recovered-20261210-113005.csv) and
// says where; nothing of it is deleted. Until the user has answered the
// offer to open it, a locked mark beside it (.temp-recovered-….csv.unanswered)
// says it is still to be offered: a window that dies with the question
// showing leaves the mark, and the next start offers the copy again.
//
// When the working folder cannot be written the work file goes to the user's
// runtime folder instead ($XDG_RUNTIME_DIR/borvik, else <temp>/borvik-<uid>),
// with the same names and locks.

#include <ctime>
#include <filesystem>
#include <vector>

namespace borvik::files {

// The folders tried, in order, when the working folder cannot be written.
std::vector<std::filesystem::path> FallbackWorkFolders();

struct LeaseRequest {
  // The working folder; empty for the current one.
  std::filesystem::path folder;
  // Tried in order when `folder` cannot be written; each is created 0700.
  std::vector<std::filesystem::path> fallbackFolders = FallbackWorkFolders();
  // Names a recovered copy; 0 for the clock.
  std::time_t now = 0;
};

class WorkFileLease {
 public:
  // The most windows one folder serves (temp.csv to temp-99.csv).
  static constexpr int kMaxWorkFiles = 99;

  // Holds nothing: no lock, no path.
  WorkFileLease() = default;
  // Unlocks and removes the lock file.
  ~WorkFileLease();
  WorkFileLease(WorkFileLease&& other) noexcept;
  WorkFileLease& operator=(WorkFileLease&& other) noexcept;
  WorkFileLease(const WorkFileLease&) = delete;
  WorkFileLease& operator=(const WorkFileLease&) = delete;

  // Picks and locks this window's work file. Never fails outright: when no
  // folder can hold a lock, the lease holds nothing and Path() is empty.
  static WorkFileLease Acquire(const LeaseRequest& request = {});

  // This window's work file. It is not created here; any log it held was
  // moved to RecoveredCopy() first.
  const std::filesystem::path& Path() const { return path_; }
  bool Held() const { return lockFd_ >= 0; }
  // The working folder could not be written: the work file is elsewhere.
  bool FellBack() const { return fellBack_; }
  // Where the log of a run that did not close normally was moved; empty
  // when there was none.
  const std::filesystem::path& RecoveredCopy() const { return recovered_; }
  // The user has answered the offer of RecoveredCopy(): it is not offered
  // again.
  void RecoveryAnswered();
  const std::filesystem::path& LockPath() const { return lockPath_; }

  // Unlocks and removes the lock file; the work file is the caller's to
  // delete before. Safe to call twice.
  void Release();

 private:
  int lockFd_ = -1;
  std::filesystem::path path_;
  std::filesystem::path lockPath_;
  std::filesystem::path recovered_;
  int markFd_ = -1;  // the lock on the recovered copy's mark, while unanswered
  std::filesystem::path mark_;
  bool fellBack_ = false;
};

}  // namespace borvik::files
