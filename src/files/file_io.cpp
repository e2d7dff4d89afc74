#include "files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <random>

namespace borvik::files {
namespace {

// Writes everything, retrying after interruptions and short writes.
int WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return 0;
}

int CloseChecked(int fd) {
  if (::close(fd) != 0 && errno != EINTR) return errno;
  return 0;
}

// The file a path names once symbolic links are followed: a save through a
// link replaces the file it points at, as editors do, and keeps the link.
// A dangling link names the file it would point at.
std::filesystem::path FollowLinks(std::filesystem::path path, int& err) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
    if (ec) {
      err = ec.value();
      return {};
    }
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  err = ELOOP;
  return {};
}

// A temporary file of our own beside the target, created exclusively: no
// name planted beforehand, link or not, can be opened in its place. It is
// named after the target (".log.csv.k3x9q2m7"), cut short where the target's
// name is near the length limit.
int CreateTemporary(const std::filesystem::path& target, mode_t mode,
                    std::filesystem::path& temp) {
  static std::mt19937_64 random{std::random_device{}()};
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  constexpr std::size_t kRandom = 8;
  const std::filesystem::path folder = target.parent_path();
  std::string base = target.filename().string();
  base.resize(std::min<std::size_t>(base.size(), NAME_MAX - 2 - kRandom));
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = "." + base + ".";
    for (std::size_t i = 0; i < kRandom; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    temp = folder.empty() ? std::filesystem::path(name) : folder / name;
    const int fd =
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Writes the bytes over a file in place: for a file with other hard links,
// which a rename would part from this name.
int OverwriteInPlace(const std::filesystem::path& target, std::string_view bytes) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = WriteAll(fd, bytes);
  if (err == 0 && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) err = errno;
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  const int closeErr = CloseChecked(fd);
  return err != 0 ? err : closeErr;
}

}  // namespace

void SyncFolder(const std::filesystem::path& folder) {
  const std::filesystem::path name = folder.empty() ? std::filesystem::path(".") : folder;
  const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  [[maybe_unused]] const int synced = ::fsync(fd);
  ::close(fd);
}

Status ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::size_t maxBytes) {
  // Not blocking: a named pipe would otherwise wait for a writer forever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Status::Fail(CannotOpen(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    return Status::Fail(CannotOpen(err));
  }
  if (S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Status::Fail(CannotOpen(EISDIR));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return Status::Fail(Failure(ErrorKind::kNotRegularFile));
  }
  const auto tooLarge = [maxBytes] {
    Error e = Failure(ErrorKind::kTooLarge);
    e.count = static_cast<int>(maxBytes / 1024);
    return Status::Fail(std::move(e));
  };
  if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
    ::close(fd);
    return tooLarge();
  }
  std::string data;
  data.reserve(static_cast<std::size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      return Status::Fail(CannotOpen(err));
    }
    if (n == 0) break;
    // The file may have grown since it was measured.
    if (data.size() + static_cast<std::size_t>(n) > maxBytes) {
      ::close(fd);
      return tooLarge();
    }
    data.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  bytes = std::move(data);
  return Status::Ok();
}

Status WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes, Links links) {
  if (path.empty()) return Status::Fail(CannotOpen(ENOENT));
  std::filesystem::path target = path;
  if (links == Links::kFollow) {
    int err = 0;
    target = FollowLinks(path, err);
    if (target.empty()) return Status::Fail(CannotOpen(err));
  } else {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
      return Status::Fail(CannotOpen(ELOOP));
    }
  }
  // A replaced file keeps its permissions (and, where we may, its owner).
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) {
    return Status::Fail(CannotOpen(S_ISDIR(old.st_mode) ? EISDIR : EINVAL));
  }
  const mode_t mode = exists ? (old.st_mode & 07777) : 0666;

  std::filesystem::path temp;
  const std::filesystem::path folder = target.parent_path();
  const int fd = CreateTemporary(target, mode, temp);
  if (fd < 0) return Status::Fail(CannotOpen(errno));
  int err = WriteAll(fd, bytes);
  if (err == 0 && exists) {
    if (::fchmod(fd, mode) != 0) err = errno;
    [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
  }
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  const int closeErr = CloseChecked(fd);
  if (err == 0) err = closeErr;
  if (err == 0) {
    // The complete new content is safe in the temporary file whichever way
    // the target is replaced.
    if (exists && old.st_nlink > 1) {
      err = OverwriteInPlace(target, bytes);
      ::unlink(temp.c_str());
    } else if (::rename(temp.c_str(), target.c_str()) != 0) {
      err = errno;
    }
  }
  if (err != 0) {
    ::unlink(temp.c_str());
    return Status::Fail(CannotWrite(err));
  }
  SyncFolder(folder);
  return Status::Ok();
}

Status AppendToFile(const std::filesystem::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return Status::Fail(CannotOpen(errno));
  struct stat st {};
  const off_t oldSize = ::fstat(fd, &st) == 0 ? st.st_size : -1;
  int err = WriteAll(fd, bytes);
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (err != 0 && oldSize >= 0) {
    // Best effort: the failure is reported whatever this gives.
    [[maybe_unused]] const int cut = ::ftruncate(fd, oldSize);
  }
  const int closeErr = CloseChecked(fd);
  if (err == 0) err = closeErr;
  return err == 0 ? Status::Ok() : Status::Fail(CannotWrite(err));
}

Status RemoveFile(const std::filesystem::path& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
    Error error = Failure(ErrorKind::kCannotDelete, errno);
    error.subject = path.filename().string();
    return Status::Fail(std::move(error));
  }
  return Status::Ok();
}

bool CanOpenForReading(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace borvik::files
