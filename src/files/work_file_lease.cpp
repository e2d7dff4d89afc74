#include "files/work_file_lease.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>
#include <utility>

#include "files/file_io.h"
#include "files/work_file.h"

namespace borvik::files {
namespace {

using std::filesystem::path;

enum class LockOutcome {
  Locked,
  Busy,              // another window holds it
  Unusable,          // not ours to use (another user's, not a plain file)
  FolderUnwritable,  // no lock file can be made here
};

struct LockAttempt {
  LockOutcome outcome;
  int fd = -1;
};

bool OwnPlainFile(const struct stat& st) { return S_ISREG(st.st_mode) && st.st_uid == ::geteuid(); }

LockAttempt TryLock(const path& lockPath) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
      // A lock file that is there but cannot be opened is someone else's;
      // one that cannot be made says the folder cannot be written.
      struct stat st {};
      if (::lstat(lockPath.c_str(), &st) == 0) return {LockOutcome::Unusable};
      return {LockOutcome::FolderUnwritable};
    }
    struct stat held {};
    if (::fstat(fd, &held) != 0 || !OwnPlainFile(held)) {
      ::close(fd);
      return {LockOutcome::Unusable};
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int err = errno;
      ::close(fd);
      if (err == EWOULDBLOCK) return {LockOutcome::Busy};
      if (err == EINTR) continue;
      return {LockOutcome::FolderUnwritable};  // no locks on this filesystem
    }
    // A window that closes removes its lock file while it still holds the
    // lock. If the name no longer leads to the file we locked, we locked one
    // on its way out: start again with the name as it is now.
    struct stat named {};
    if (::stat(lockPath.c_str(), &named) == 0 && named.st_dev == held.st_dev &&
        named.st_ino == held.st_ino) {
      return {LockOutcome::Locked, fd};
    }
    ::close(fd);
  }
  return {LockOutcome::Busy};
}

// Renames `from` to `to` unless `to` exists: 0, EEXIST or another errno.
int MoveNoReplace(const path& from, const path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
  // A filesystem without RENAME_NOREPLACE: a hard link does not replace
  // either.
  if (::link(from.c_str(), to.c_str()) == 0) {
    // If the old name stays, the log is still safe under the new one.
    ::unlink(from.c_str());
    return 0;
  }
  if (errno == EEXIST) return EEXIST;
  // Nor hard links. The dated names beside our locked work file are ours
  // alone, so looking first is enough.
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) return EEXIST;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Moves a left-over work file to "<stem>-recovered-YYYYMMDD-HHMMSS.csv"
// beside it, adding -2, -3 ... rather than replace a file. Returns the new
// path, or an empty one when it could not be moved.
path MoveAside(const path& work, std::time_t now) {
  std::tm local {};
  if (now == 0) now = std::time(nullptr);
  ::localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string base = work.stem().string() + "-recovered-" + stamp;
  const std::string extension = work.extension().string();
  for (int k = 1; k <= 1000; ++k) {
    const std::string suffix = k == 1 ? std::string() : "-" + std::to_string(k);
    const path copy = work.parent_path() / (base + suffix + extension);
    const int err = MoveNoReplace(work, copy);
    if (err == 0) {
      SyncFolder(work.parent_path());
      return copy;
    }
    if (err != EEXIST) return {};
  }
  return {};
}

// A folder only this user can enter, made if it is not there.
bool MakePrivateFolder(const path& folder) {
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
    return false;
  }
  return (st.st_mode & 077) == 0 || ::chmod(folder.c_str(), 0700) == 0;
}

std::string CandidateName(int n) {
  const path name = kWorkFileName;
  if (n == 1) return name.string();
  return name.stem().string() + "-" + std::to_string(n) + name.extension().string();
}

}  // namespace

std::vector<path> FallbackWorkFolders() {
  std::vector<path> folders;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && runtime[0] == '/') {
    folders.push_back(path(runtime) / "borvik");
  }
  std::error_code error;
  path temp = std::filesystem::temp_directory_path(error);
  if (error) temp = "/tmp";
  folders.push_back(temp / ("borvik-" + std::to_string(::getuid())));
  return folders;
}

WorkFileLease::~WorkFileLease() { Release(); }

WorkFileLease::WorkFileLease(WorkFileLease&& other) noexcept
    : lockFd_(std::exchange(other.lockFd_, -1)),
      path_(std::move(other.path_)),
      lockPath_(std::move(other.lockPath_)),
      recovered_(std::move(other.recovered_)),
      markFd_(std::exchange(other.markFd_, -1)),
      mark_(std::move(other.mark_)),
      fellBack_(other.fellBack_) {}

WorkFileLease& WorkFileLease::operator=(WorkFileLease&& other) noexcept {
  if (this != &other) {
    Release();
    lockFd_ = std::exchange(other.lockFd_, -1);
    path_ = std::move(other.path_);
    lockPath_ = std::move(other.lockPath_);
    recovered_ = std::move(other.recovered_);
    markFd_ = std::exchange(other.markFd_, -1);
    mark_ = std::move(other.mark_);
    fellBack_ = other.fellBack_;
  }
  return *this;
}

void WorkFileLease::RecoveryAnswered() {
  if (markFd_ < 0) return;
  ::unlink(mark_.c_str());
  ::close(markFd_);
  markFd_ = -1;
}

void WorkFileLease::Release() {
  // An unanswered offer stays for the next start.
  if (markFd_ >= 0) ::close(std::exchange(markFd_, -1));
  if (lockFd_ < 0) return;
  // Removed while still locked, so that nobody locks a name we are leaving
  // (see TryLock).
  ::unlink(lockPath_.c_str());
  ::close(lockFd_);
  lockFd_ = -1;
}

namespace {

path MarkOf(const path& copy) {
  return copy.parent_path() / ("." + copy.filename().string() + ".unanswered");
}

// Locks the mark of a recovered copy (made if need be); -1 when another
// window holds it or it cannot be had.
int LockMark(const path& mark) {
  const int fd = ::open(mark.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !OwnPlainFile(st) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// A copy a window moved aside and never had answered: its mark is there
// and nobody holds it.
path FindUnanswered(const path& folder, int& markFd, path& mark) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    constexpr std::string_view kTail = ".unanswered";
    if (name.size() <= kTail.size() + 1 || name.front() != '.' || !name.ends_with(kTail) ||
        name.find("-recovered-") == std::string::npos) {
      continue;
    }
    const path copy = folder / name.substr(1, name.size() - 1 - kTail.size());
    struct stat st {};
    if (::lstat(copy.c_str(), &st) != 0 || !OwnPlainFile(st)) continue;
    const int fd = LockMark(entry.path());
    if (fd < 0) continue;
    markFd = fd;
    mark = entry.path();
    return copy;
  }
  return {};
}

// Takes the first free work file in `folder`; false when the folder cannot
// be written or every name is taken.
bool TakeIn(const path& folder, std::time_t now, int& fd, path& work, path& lock,
            path& recovered) {
  for (int n = 1; n <= WorkFileLease::kMaxWorkFiles; ++n) {
    const std::string name = CandidateName(n);
    const path candidate = folder / name;
    const path candidateLock = folder / ("." + name + ".lock");
    const LockAttempt attempt = TryLock(candidateLock);
    if (attempt.outcome == LockOutcome::FolderUnwritable) return false;
    if (attempt.outcome != LockOutcome::Locked) continue;
    const auto giveUp = [&] {
      ::unlink(candidateLock.c_str());
      ::close(attempt.fd);
    };
    // A lock file left by a crash opens fine in a folder that has since
    // become read-only.
    if (::access(folder.c_str(), W_OK) != 0) {
      ::close(attempt.fd);
      return false;
    }
    path moved;
    struct stat st {};
    if (::lstat(candidate.c_str(), &st) == 0) {
      // Never something that is not our own plain file.
      if (!OwnPlainFile(st)) {
        giveUp();
        continue;
      }
      if (st.st_size > 0) {
        moved = MoveAside(candidate, now);
        // What cannot be moved is not emptied either: it waits for a later
        // start.
        if (moved.empty()) {
          giveUp();
          continue;
        }
      }
    } else if (errno != ENOENT) {
      giveUp();
      continue;
    }
    fd = attempt.fd;
    work = candidate;
    lock = candidateLock;
    recovered = std::move(moved);
    return true;
  }
  return false;
}

}  // namespace

WorkFileLease WorkFileLease::Acquire(const LeaseRequest& request) {
  WorkFileLease lease;
  const auto take = [&](const path& folder) {
    if (!TakeIn(folder, request.now, lease.lockFd_, lease.path_, lease.lockPath_,
                lease.recovered_)) {
      return false;
    }
    if (!lease.recovered_.empty()) {
      lease.mark_ = MarkOf(lease.recovered_);
      lease.markFd_ = LockMark(lease.mark_);
    } else {
      lease.recovered_ = FindUnanswered(folder, lease.markFd_, lease.mark_);
    }
    return true;
  };
  path folder = request.folder;
  if (folder.empty()) {
    std::error_code error;
    folder = std::filesystem::current_path(error);
  }
  if (!folder.empty() && take(folder)) return lease;
  lease.fellBack_ = true;
  for (const path& fallback : request.fallbackFolders) {
    if (MakePrivateFolder(fallback) && take(fallback)) return lease;
  }
  return lease;
}

}  // namespace borvik::files
