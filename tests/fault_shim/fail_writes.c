// A library preloaded into a test (LD_PRELOAD) that makes chosen file calls
// fail with a chosen errno, so that tests see what the program does when the
// disk is full (ENOSPC) or broken (EIO).
//
// Only calls on files whose path contains a given text are touched. The
// first `afterBytes` bytes written to such files go through; a write that
// crosses that mark is cut short there, as on a disk that fills up. From the
// mark on, every selected call on a matching file fails.
//
// A test in the same process arms it through borvik_fault_set, found with
// dlsym(RTLD_DEFAULT, ...) so that a test run without the library can skip.
// A child process is armed through its environment:
//   BORVIK_FAULT_ERROR  ENOSPC, EIO or a number
//   BORVIK_FAULT_PATH   the text a path must contain
//   BORVIK_FAULT_AFTER  afterBytes (default 0)
//   BORVIK_FAULT_CALLS  a comma list of write, sync, close, rename (default all)

#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#include "fail_writes.h"

static int faultError;  // 0 while disarmed
static char faultPath[4096];
static long long budget;  // bytes still allowed before the fault trips
static int faultCalls;
static long faultHits;

// dlsym returns an object pointer; copying it keeps ISO C content.
#define REAL(name, type)                          \
  static type Real_##name(void) {                 \
    static type fn;                               \
    if (fn == NULL) {                             \
      void* symbol = dlsym(RTLD_NEXT, #name);     \
      memcpy(&fn, &symbol, sizeof fn);            \
    }                                             \
    return fn;                                    \
  }

typedef ssize_t (*WriteFn)(int, const void*, size_t);
typedef ssize_t (*PwriteFn)(int, const void*, size_t, off_t);
typedef ssize_t (*Pwrite64Fn)(int, const void*, size_t, off64_t);
typedef ssize_t (*WritevFn)(int, const struct iovec*, int);
typedef int (*FdFn)(int);
typedef int (*RenameFn)(const char*, const char*);
typedef int (*RenameatFn)(int, const char*, int, const char*);

REAL(write, WriteFn)
REAL(pwrite, PwriteFn)
REAL(pwrite64, Pwrite64Fn)
REAL(writev, WritevFn)
REAL(fsync, FdFn)
REAL(fdatasync, FdFn)
REAL(close, FdFn)
REAL(rename, RenameFn)
REAL(renameat, RenameatFn)

void borvik_fault_set(int error, const char* pathSubstring, long long afterBytes, int calls) {
  faultError = 0;
  if (pathSubstring == NULL || pathSubstring[0] == '\0' || error == 0) return;
  snprintf(faultPath, sizeof faultPath, "%s", pathSubstring);
  budget = afterBytes < 0 ? 0 : afterBytes;
  faultCalls = calls;
  faultHits = 0;
  faultError = error;
}

void borvik_fault_clear(void) { faultError = 0; }

long borvik_fault_hits(void) { return faultHits; }

static int PathMatches(const char* path) {
  return faultError != 0 && path != NULL && strstr(path, faultPath) != NULL;
}

static int FdMatches(int fd) {
  if (faultError == 0 || fd < 0) return 0;
  char link[64];
  char target[4096];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = readlink(link, target, sizeof target - 1);
  if (n < 0) return 0;
  target[n] = '\0';
  return strstr(target, faultPath) != NULL;
}

static int Tripped(int call) { return (faultCalls & call) != 0 && budget <= 0; }

static int Fail(void) {
  ++faultHits;
  errno = faultError;
  return -1;
}

// How much of a write of `count` bytes to a matching file goes through: -1
// for none (the call fails), else the count to pass on.
static long long Allowed(size_t count) {
  if ((faultCalls & BORVIK_FAULT_WRITE) == 0) return (long long)count;
  if (budget <= 0) return -1;
  return (long long)count < budget ? (long long)count : budget;
}

static void Spend(ssize_t written) {
  if (written > 0) budget -= written;
}

ssize_t write(int fd, const void* buf, size_t count) {
  if (!FdMatches(fd)) return Real_write()(fd, buf, count);
  const long long allowed = Allowed(count);
  if (allowed < 0) return Fail();
  const ssize_t n = Real_write()(fd, buf, (size_t)allowed);
  Spend(n);
  return n;
}

ssize_t pwrite(int fd, const void* buf, size_t count, off_t offset) {
  if (!FdMatches(fd)) return Real_pwrite()(fd, buf, count, offset);
  const long long allowed = Allowed(count);
  if (allowed < 0) return Fail();
  const ssize_t n = Real_pwrite()(fd, buf, (size_t)allowed, offset);
  Spend(n);
  return n;
}

ssize_t pwrite64(int fd, const void* buf, size_t count, off64_t offset) {
  if (!FdMatches(fd)) return Real_pwrite64()(fd, buf, count, offset);
  const long long allowed = Allowed(count);
  if (allowed < 0) return Fail();
  const ssize_t n = Real_pwrite64()(fd, buf, (size_t)allowed, offset);
  Spend(n);
  return n;
}

ssize_t writev(int fd, const struct iovec* iov, int iovcnt) {
  if (!FdMatches(fd)) return Real_writev()(fd, iov, iovcnt);
  size_t total = 0;
  for (int i = 0; i < iovcnt; ++i) total += iov[i].iov_len;
  const long long allowed = Allowed(total);
  if (allowed < 0) return Fail();
  if (allowed == (long long)total || iovcnt > 64) {
    const ssize_t n = Real_writev()(fd, iov, iovcnt);
    Spend(n);
    return n;
  }
  // Cut the vector at the allowed length.
  struct iovec cut[64];
  long long left = allowed;
  int count = 0;
  for (int i = 0; i < iovcnt && left > 0; ++i) {
    cut[count] = iov[i];
    if ((long long)cut[count].iov_len > left) cut[count].iov_len = (size_t)left;
    left -= (long long)cut[count].iov_len;
    ++count;
  }
  const ssize_t n = Real_writev()(fd, cut, count);
  Spend(n);
  return n;
}

int fsync(int fd) {
  if (Tripped(BORVIK_FAULT_SYNC) && FdMatches(fd)) return Fail();
  return Real_fsync()(fd);
}

int fdatasync(int fd) {
  if (Tripped(BORVIK_FAULT_SYNC) && FdMatches(fd)) return Fail();
  return Real_fdatasync()(fd);
}

int close(int fd) {
  // The descriptor is gone after a failed close too, as on Linux.
  const int fail = Tripped(BORVIK_FAULT_CLOSE) && FdMatches(fd);
  const int result = Real_close()(fd);
  if (fail) return Fail();
  return result;
}

int rename(const char* from, const char* to) {
  if (Tripped(BORVIK_FAULT_RENAME) && (PathMatches(from) || PathMatches(to))) return Fail();
  return Real_rename()(from, to);
}

int renameat(int fromFolder, const char* from, int toFolder, const char* to) {
  if (Tripped(BORVIK_FAULT_RENAME) && (PathMatches(from) || PathMatches(to))) return Fail();
  return Real_renameat()(fromFolder, from, toFolder, to);
}

static int ErrorNamed(const char* text) {
  if (strcmp(text, "ENOSPC") == 0) return ENOSPC;
  if (strcmp(text, "EIO") == 0) return EIO;
  if (strcmp(text, "EDQUOT") == 0) return EDQUOT;
  return atoi(text);
}

static int CallsNamed(const char* text) {
  int calls = 0;
  if (strstr(text, "write") != NULL) calls |= BORVIK_FAULT_WRITE;
  if (strstr(text, "sync") != NULL) calls |= BORVIK_FAULT_SYNC;
  if (strstr(text, "close") != NULL) calls |= BORVIK_FAULT_CLOSE;
  if (strstr(text, "rename") != NULL) calls |= BORVIK_FAULT_RENAME;
  return calls;
}

__attribute__((constructor)) static void ArmFromEnvironment(void) {
  const char* error = getenv("BORVIK_FAULT_ERROR");
  const char* path = getenv("BORVIK_FAULT_PATH");
  if (error == NULL || path == NULL) return;
  const char* after = getenv("BORVIK_FAULT_AFTER");
  const char* calls = getenv("BORVIK_FAULT_CALLS");
  borvik_fault_set(ErrorNamed(error), path, after != NULL ? atoll(after) : 0,
                   calls != NULL ? CallsNamed(calls) : BORVIK_FAULT_ALL);
}
