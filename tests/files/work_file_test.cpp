#include "files/work_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <memory>

#include "files/file_io.h"
#include "files/layer_csv.h"
#include "support/temp_dir.h"

namespace borvik::files {
namespace {

using borvik::testing::ReadBytes;
using borvik::testing::TempDir;
using borvik::testing::WriteBytes;
using model::Document;
using model::LayerRecord;

LayerRecord Layer(float top, float bot) {
  LayerRecord layer;
  layer.top = top;
  layer.bot = bot;
  layer.int_ = top;
  layer.RF1 = layer.RF2 = 0.21f;
  return layer;
}

std::string Head(const model::LogHeader& header) {
  std::string out;
  WriteCsvHead(out, header);
  return out;
}

std::string Line(const LayerRecord& layer) {
  std::string out;
  WriteLayerLine(out, layer);
  return out;
}

TEST(WorkFile, CreateLeavesAnEmptyFile) {
  TempDir dir;
  WorkFile work(dir / kWorkFileName);
  WriteBytes(work.Path(), "old content");
  ASSERT_TRUE(work.Create());
  EXPECT_TRUE(std::filesystem::exists(work.Path()));
  EXPECT_EQ(std::filesystem::file_size(work.Path()), 0u);
}

TEST(WorkFile, HoldsHeadAndOneLinePerLayerAfterEveryStep) {
  TempDir dir;
  WorkFile work(dir / kWorkFileName);
  auto log = std::make_unique<Document>();
  log->header = {"B-2", 7.0f};
  ASSERT_TRUE(work.Start(log->header));
  EXPECT_EQ(ReadBytes(work.Path()), Head(log->header));

  log->form = Layer(0, 1);
  ASSERT_TRUE(AppendLayer(*log, work));
  log->form = Layer(1, 3);
  ASSERT_TRUE(AppendLayer(*log, work));
  // A later rename does not reach the head until the file is rewritten.
  log->header.name = "renamed";
  EXPECT_EQ(ReadBytes(work.Path()), Head({"B-2", 7.0f}) + Line(Layer(0, 1)) + Line(Layer(1, 3)));

  ASSERT_TRUE(log->layers.Replace(1, Layer(0, 0.5f)));
  ASSERT_TRUE(work.Rewrite(log->header, log->layers));
  EXPECT_EQ(ReadBytes(work.Path()), Head(log->header) + Line(Layer(0, 0.5f)) + Line(Layer(1, 3)));

  auto back = std::make_unique<Document>();
  ASSERT_TRUE(work.ReadBack(*back));
  EXPECT_EQ(back->header, log->header);
  ASSERT_EQ(back->layers.LayerCount(), 2);
  for (int slot = 1; slot <= 2; ++slot) EXPECT_EQ(back->layers.Get(slot), log->layers.Get(slot));
}

TEST(WorkFile, DeletingAMissingFileIsNotAnError) {
  TempDir dir;
  WorkFile work(dir / kWorkFileName);
  ASSERT_TRUE(work.Create());
  EXPECT_TRUE(work.Delete());
  EXPECT_FALSE(std::filesystem::exists(work.Path()));
  EXPECT_TRUE(work.Delete());
}

TEST(WorkFile, DeleteReportsARealFailure) {
  TempDir dir;
  std::filesystem::create_directories(dir / "temp.csv" / "inside");
  const Status status = WorkFile(dir / "temp.csv").Delete();
  EXPECT_FALSE(status);
  ASSERT_TRUE(status.Is(ErrorKind::kCannotDelete));
  EXPECT_EQ(status.error->subject, "temp.csv");
  EXPECT_EQ(status.error->errnum, EISDIR);
}

TEST(AppendLayer, KeepsTheLayerWhenTheWorkFileCannotBeWritten) {
  TempDir dir;
  WorkFile work(dir / "no-such-folder" / kWorkFileName);
  auto log = std::make_unique<Document>();
  log->form = Layer(0, 1);
  const Status status = AppendLayer(*log, work);
  EXPECT_FALSE(status);
  EXPECT_TRUE(status.Is(ErrorKind::kCannotOpen));
  EXPECT_EQ(status.error->errnum, ENOENT);
  EXPECT_EQ(log->layers.LayerCount(), 1);
  EXPECT_EQ(log->layers.Get(1), Layer(0, 1));
}

TEST(AppendLayer, RefusesTheThousandthLayer) {
  TempDir dir;
  WorkFile work(dir / kWorkFileName);
  auto log = std::make_unique<Document>();
  for (int i = 0; i < model::LayerTable::kMaxLayers; ++i) ASSERT_TRUE(log->layers.Append(Layer(i, i + 1.0f)));
  ASSERT_TRUE(work.Rewrite(log->header, log->layers));
  const std::string before = ReadBytes(work.Path());
  log->form = Layer(999, 1000);
  const Status status = AppendLayer(*log, work);
  EXPECT_FALSE(status);
  EXPECT_TRUE(status.Is(ErrorKind::kTableFull));
  EXPECT_EQ(log->layers.LayerCount(), 999);
  EXPECT_EQ(ReadBytes(work.Path()), before);
}

TEST(WriteFileAtomic, LeavesTheOldFileWhenTheNewOneCannotBeWritten) {
  TempDir dir;
  const auto target = dir / "log.csv";
  WriteBytes(target, "old");
  // No file of this process may grow past 4 bytes: the new content fails
  // half written.
  struct rlimit before {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = before;
  small.rlim_cur = 4;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const Status status = WriteFileAtomic(target, "new content");
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previous);
  ASSERT_TRUE(status.Is(ErrorKind::kCannotWrite));
  EXPECT_EQ(status.error->errnum, EFBIG);
  EXPECT_EQ(ReadBytes(target), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(WriteFileAtomic, ReplacesTheTargetWholeAndLeavesNoTemporaryFile) {
  TempDir dir;
  const auto target = dir / "log.csv";
  WriteBytes(target, "a much longer old content than the new one");
  ASSERT_TRUE(WriteFileAtomic(target, "new"));
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(AppendToFile, ReportsAFullDisk) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const Status result = AppendToFile("/dev/full", "0,1\r\n");
  ASSERT_TRUE(result.Is(ErrorKind::kCannotWrite));
  EXPECT_EQ(result.error->errnum, ENOSPC);
}

}  // namespace
}  // namespace borvik::files
