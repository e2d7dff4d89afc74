#include "files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

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

}  // namespace

void SyncFolder(const std::filesystem::path& folder) {
  const std::filesystem::path name = folder.empty() ? std::filesystem::path(".") : folder;
  const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  [[maybe_unused]] const int synced = ::fsync(fd);
  ::close(fd);
}

Status ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::Fail(CannotOpen(errno));
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Status::Fail(CannotOpen(EISDIR));
  }
  std::string data;
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
    data.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  bytes = std::move(data);
  return Status::Ok();
}

Status WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes) {
  if (path.empty()) return Status::Fail(CannotOpen(ENOENT));
  std::filesystem::path temp = path;
  temp += ".borvik-tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return Status::Fail(CannotOpen(errno));
  int err = WriteAll(fd, bytes);
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  const int closeErr = CloseChecked(fd);
  if (err == 0) err = closeErr;
  if (err == 0 && ::rename(temp.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp.c_str());
    return Status::Fail(CannotWrite(err));
  }
  SyncFolder(path.parent_path());
  return Status::Ok();
}

Status AppendToFile(const std::filesystem::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
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
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace borvik::files
