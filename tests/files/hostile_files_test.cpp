// Files that are not what they seem, and writers that meet: a save never
// writes through a link planted beside its target, two saves of one file
// leave one of them whole, a replaced file keeps its permissions and hard
// links, and reads refuse what is not a file or far too large.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "files/layer_csv.h"
#include "files/work_file.h"
#include "support/temp_dir.h"

namespace borvik::files {
namespace {

namespace fs = std::filesystem;
using borvik::testing::FileNames;
using borvik::testing::ReadBytes;
using borvik::testing::TempDir;
using borvik::testing::WriteBytes;

TEST(WriteFileAtomic, NeverWritesThroughALinkPlantedBesideTheTarget) {
  TempDir dir;
  WriteBytes(dir / "victim", "precious");
  // The names a writer of log.csv might take: the fixed name older versions
  // used, and the hidden name pattern of ours.
  fs::create_symlink(dir / "victim", dir / "log.csv.borvik-tmp");
  fs::create_symlink(dir / "victim", dir / ".log.csv.aaaaaaaa");
  ASSERT_TRUE(WriteFileAtomic(dir / "log.csv", "new log"));
  EXPECT_EQ(ReadBytes(dir / "victim"), "precious");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "log.csv")));
  EXPECT_EQ(ReadBytes(dir / "log.csv"), "new log");
  EXPECT_EQ(FileNames(dir.Path()), (std::vector<std::string>{".log.csv.aaaaaaaa", "log.csv",
                                                         "log.csv.borvik-tmp", "victim"}));
}

TEST(WriteFileAtomic, AChosenLinkIsWrittenWhereItPointsAndStaysALink) {
  TempDir dir;
  fs::create_directory(dir / "real");
  WriteBytes(dir / "real" / "log.csv", "old");
  fs::create_symlink("real/log.csv", dir / "link.csv");
  ASSERT_TRUE(WriteFileAtomic(dir / "link.csv", "new"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
  EXPECT_EQ(ReadBytes(dir / "real" / "log.csv"), "new");
  EXPECT_EQ(FileNames(dir / "real"), std::vector<std::string>{"log.csv"});
  // A loop of links is refused and leaves everything as it was.
  fs::create_symlink("b", dir / "a");
  fs::create_symlink("a", dir / "b");
  EXPECT_TRUE(WriteFileAtomic(dir / "a", "x").Is(ErrorKind::kCannotOpen));
}

TEST(WorkFile, RefusesALinkPlantedInItsPlace) {
  TempDir dir;
  WriteBytes(dir / "victim", "precious");
  fs::create_symlink(dir / "victim", dir / "temp.csv");
  const WorkFile work(dir / "temp.csv");
  model::LogHeader header{"B-1", 1.0f};
  for (const Status& status : {work.Create(), work.Start(header), work.AppendLine({})}) {
    ASSERT_TRUE(status.Is(ErrorKind::kCannotOpen));
    EXPECT_EQ(status.error->errnum, ELOOP);
  }
  EXPECT_EQ(ReadBytes(dir / "victim"), "precious");
}

TEST(WriteFileAtomic, KeepsPermissionsAndHardLinks) {
  TempDir dir;
  const fs::path target = dir / "log.csv";
  WriteBytes(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_hard_link(target, dir / "other-name.csv");
  ASSERT_TRUE(WriteFileAtomic(target, "new and longer"));
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ReadBytes(dir / "other-name.csv"), "new and longer");
  EXPECT_EQ(fs::hard_link_count(target), 2u);
  // Written again, shorter, without the second name: renamed into place.
  fs::remove(dir / "other-name.csv");
  ASSERT_TRUE(WriteFileAtomic(target, "new"));
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"log.csv"});
}

TEST(WriteFileAtomic, NamesNearTheLengthLimitStillWork) {
  TempDir dir;
  const fs::path target = dir / (std::string(NAME_MAX - 4, 'x') + ".csv");
  ASSERT_TRUE(WriteFileAtomic(target, "log"));
  ASSERT_TRUE(WriteFileAtomic(target, "log again"));
  EXPECT_EQ(ReadBytes(target), "log again");
  EXPECT_EQ(FileNames(dir.Path()).size(), 1u);
}

// Two programs saving one file over and over: every read in between sees
// one of the two files whole, and so does the end.
TEST(WriteFileAtomic, TwoWritersAlwaysLeaveOneCompleteFile) {
  TempDir dir;
  const fs::path target = dir / "log.csv";
  const std::string a(20000, 'a');
  const std::string b(30000, 'b');
  WriteBytes(target, a);
  std::vector<pid_t> writers;
  for (const std::string* content : {&a, &b}) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (int i = 0; i < 150; ++i) {
        if (!WriteFileAtomic(target, *content)) _exit(1);
      }
      _exit(0);
    }
    writers.push_back(pid);
  }
  int reads = 0;
  int running = 2;
  while (running > 0) {
    const std::string seen = ReadBytes(target);
    ASSERT_TRUE(seen == a || seen == b) << "a read saw " << seen.size() << " bytes";
    ++reads;
    running = 0;
    for (const pid_t pid : writers) running += waitpid(pid, nullptr, WNOHANG) == 0 ? 1 : 0;
  }
  for (const pid_t pid : writers) waitpid(pid, nullptr, 0);
  const std::string last = ReadBytes(target);
  EXPECT_TRUE(last == a || last == b);
  EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"log.csv"});
  EXPECT_GT(reads, 0);
}

TEST(ReadWholeFile, RefusesWhatIsNoFileAtOnce) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.csv").c_str(), 0600), 0);
  const struct {
    fs::path path;
    ErrorKind kind;
  } cases[] = {
      {"/dev/zero", ErrorKind::kNotRegularFile},
      {dir / "pipe.csv", ErrorKind::kNotRegularFile},  // no writer: would wait forever
      {dir.Path(), ErrorKind::kCannotOpen},
      {dir / "missing.csv", ErrorKind::kCannotOpen},
  };
  for (const auto& c : cases) {
    std::string bytes = "kept";
    const Status status = ReadWholeFile(c.path, bytes, kMaxLayerFileBytes);
    EXPECT_TRUE(status.Is(c.kind)) << c.path;
    EXPECT_EQ(bytes, "kept") << c.path;
  }
}

TEST(ReadWholeFile, RefusesAFileFarLargerThanItsKind) {
  TempDir dir;
  const fs::path big = dir / "big.csv";
  WriteBytes(big, "");
  fs::resize_file(big, kMaxLayerFileBytes + 1);  // sparse: no disk used
  std::string bytes;
  const Status status = ReadWholeFile(big, bytes, kMaxLayerFileBytes);
  ASSERT_TRUE(status.Is(ErrorKind::kTooLarge));
  EXPECT_EQ(status.error->count, static_cast<int>(kMaxLayerFileBytes / 1024));
  fs::resize_file(big, kMaxLayerFileBytes);
  EXPECT_TRUE(ReadWholeFile(big, bytes, kMaxLayerFileBytes));
  EXPECT_EQ(bytes.size(), kMaxLayerFileBytes);
}

}  // namespace
}  // namespace borvik::files
