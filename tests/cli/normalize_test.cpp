// borvik-cli normalize as a script would use it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace {

using borvik::testing::ReadBytes;
using borvik::testing::TempDir;
using borvik::testing::WriteBytes;

using borvik::testing::CliRun;
using borvik::testing::Quote;

CliRun Cli(const std::string& args, const TempDir& dir) {
  return borvik::testing::RunCli(args, dir.Path());
}

TEST(NormalizeCommand, WritesWhatSavingAfterLoadingWrites) {
  TempDir dir;
  const auto in = dir / "in.csv";
  const std::string b1 = ReadBytes(BORVIK_TEST_DATA "/b1.csv");
  // Plain line feeds and untidy numbers come out as the program writes them.
  std::string untidy = b1;
  for (std::size_t pos; (pos = untidy.find("\r\n")) != std::string::npos;) untidy.replace(pos, 2, "\n");
  untidy.replace(untidy.find("12.5"), 4, "12.50000");
  WriteBytes(in, untidy);
  const CliRun run = Cli("normalize " + Quote(in) + " " + Quote(dir / "out.csv"), dir);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir / "out.csv"), b1);
}

TEST(NormalizeCommand, RefusesWithoutTouchingTheOutput) {
  TempDir dir;
  WriteBytes(dir / "bad.csv", "N,1\r\nh\r\n0,2,0\r\n");
  WriteBytes(dir / "out.csv", "previous");
  const struct {
    std::string args;
    int status;
    std::string message;
  } cases[] = {
      {"normalize " + Quote(dir / "bad.csv") + " " + Quote(dir / "out.csv"), 1,
       "ファイルの取り込みに失敗しました。\n3 行目"},
      {"normalize " + Quote(dir / "missing.csv") + " " + Quote(dir / "out.csv"), 1,
       "ファイルを開くことができませんでした\n"},
      {"normalize " + Quote(dir / "bad.csv"), 2, "使い方"},
      {"frobnicate", 2, "使い方"},
      {"", 2, "使い方"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args, dir);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << "\n" << run.err;
    EXPECT_EQ(ReadBytes(dir / "out.csv"), "previous") << c.args;
  }
}

TEST(NormalizeCommand, ReportsAnOutputThatCannotBeWritten) {
  TempDir dir;
  const CliRun run = Cli("normalize '" BORVIK_TEST_DATA "/b1.csv' " + Quote(dir / "no" / "out.csv"), dir);
  EXPECT_EQ(run.status, 1);
  // The output cannot even be created in a folder that is not there.
  EXPECT_EQ(run.err, "ファイルを開くことができませんでした\nファイルまたはフォルダがありません。\n");
  // Standard output that fills up is a failure too, and says so.
  const CliRun full = borvik::testing::RunCommand(
      "sh -c \"" + std::string(BORVIK_CLI) + " normalize '" BORVIK_TEST_DATA "/b1.csv' - >/dev/full\"",
      dir.Path());
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "ファイルに書き込むことができませんでした\nディスクの空き容量が不足しています\n");
}

// Memory that runs out ends the command with a word, not an abort.
TEST(NormalizeCommand, ReportsMemoryThatRunsOut) {
#if defined(__SANITIZE_ADDRESS__) || defined(__has_feature)
#if defined(__SANITIZE_ADDRESS__) || __has_feature(address_sanitizer)
  GTEST_SKIP() << "the sanitizer's own memory does not fit a small limit";
#endif
#endif
  TempDir dir;
  // The largest layer file read: 16 MB of blank lines.
  WriteBytes(dir / "big.csv", "B,1,\r\nh\r\n" + std::string(16 * 1024 * 1024 - 10, '\n'));
  const CliRun run = borvik::testing::RunCommand(
      "ulimit -v 30000 && " + std::string(BORVIK_CLI) + " normalize big.csv out.csv", dir.Path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "メモリが足りないため、処理を続けられませんでした。\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "out.csv"));
}

}  // namespace
