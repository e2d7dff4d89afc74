// borvik-cli check as a script would use it: each layer through data entry,
// one line per refused layer.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace {

using borvik::testing::ReadBytes;
using borvik::testing::TempDir;
using borvik::testing::WriteBytes;

using borvik::testing::CliRun;
using borvik::testing::Quote;

// Runs in `dir` as the working folder, so that a stray work file would show.
CliRun Check(const std::string& args, const TempDir& dir) {
  return borvik::testing::RunCli("check " + args, dir.Path());
}

const std::string kRefused = BORVIK_TEST_DATA "/check_refused.csv";

TEST(CheckCommand, PrintsTheLineAndMessageOfEveryRefusedLayer) {
  const struct {
    const char* scale;
    std::string out;
  } cases[] = {
      {"",
       "4: 深度入力を確認ください。\n"
       "6: 入力深度の差分を25.0m以下で入力ください。\n"
       "7: ２種類の岩相を指定ください。\n"
       "9: 堆積構造２の深度入力を確認ください。\n"
       "11: 正の数値を入力ください。負の数値に対応しません。\n"
       "12: ローム質は泥と砂のみに適用されます。\n"
       "13: 堆積構造１に入力をお願いします。\n"
       "16: 選択した岩相の種類が多すぎます。\n"},
      {" --scale 1/50",
       "4: 深度入力を確認ください。\n"
       "6: 入力深度の差分を13m以下で入力ください。\n"
       "7: ２種類の岩相を指定ください。\n"
       "9: 堆積構造２の深度入力を確認ください。\n"
       "11: 正の数値を入力ください。負の数値に対応しません。\n"
       "12: ローム質は泥と砂のみに適用されます。\n"
       "13: 堆積構造１に入力をお願いします。\n"
       "16: 選択した岩相の種類が多すぎます。\n"},
      {" --scale 1/400",
       "4: 深度入力を確認ください。\n"
       "7: ２種類の岩相を指定ください。\n"
       "9: 堆積構造２の深度入力を確認ください。\n"
       "11: 正の数値を入力ください。負の数値に対応しません。\n"
       "12: ローム質は泥と砂のみに適用されます。\n"
       "13: 堆積構造１に入力をお願いします。\n"
       "16: 選択した岩相の種類が多すぎます。\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scale);
    TempDir dir;
    const CliRun run = Check(Quote(kRefused) + c.scale, dir);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << "left something in the working folder";
  }
}

TEST(CheckCommand, AcceptedLogsAndLogsRefusedWhole) {
  TempDir dir;
  const CliRun clean = Check("'" BORVIK_TEST_DATA "/b1.csv'", dir);
  EXPECT_EQ(clean.status, 0) << clean.err;
  EXPECT_EQ(clean.out, "");

  // Without a collar elevation every layer is refused, at its own line.
  WriteBytes(dir / "no-elevation.csv",
             "B-1,0,\nh\n0,2,0,0,0,0.15,0.15,0,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0\n"
             "\n2,3,2,0,0,0.15,0.15,0,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0\n");
  const CliRun refused = Check(Quote(dir / "no-elevation.csv"), dir);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out,
            "3: 柱状図名と（孔口）標高を入力してください。\n"
            "5: 柱状図名と（孔口）標高を入力してください。\n");

  // A file of no layers has nothing to refuse.
  WriteBytes(dir / "head.csv", "B-1,3,\r\nh\r\n");
  EXPECT_EQ(Check(Quote(dir / "head.csv"), dir).status, 0);
}

// The file format holds any number; a code no control of the form can
// produce is reported with its line and column, beside the rules' verdict.
TEST(CheckCommand, ReportsCodesNoFormCanProduce) {
  TempDir dir;
  const std::string good = "0,2,0,0,0,0.15,0.15,0,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,1,1,-1,0,-1,0,-1,0";
  auto with = [&](int column, const std::string& value) {
    std::string line = good;
    std::size_t start = 0;
    for (int c = 1; c < column; ++c) start = line.find(',', start) + 1;
    const std::size_t end = line.find(',', start);
    return line.replace(start, end == std::string::npos ? std::string::npos : end - start, value);
  };
  WriteBytes(dir / "codes.csv", "C-2,3,\r\nh\r\n" + good + "\r\n" + with(5, "77") + "\r\n" +
                                    with(6, "0.77") + "\r\n" + with(8, "55") + "\r\n" +
                                    with(9, "66") + "\r\n" + with(25, "7") + "\r\n" +
                                    with(7, "0.29") + "\r\n" + with(11, "8") + "\r\n" +
                                    with(4, "3") + "\r\n");
  const CliRun run = Check(Quote(dir / "codes.csv"), dir);
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.out,
            "4: 5 列目（Bou）の値 77 は入力画面で選べない値です。\n"
            "5: 6 列目（RF1）の値 0.77 は入力画面で選べない値です。\n"
            "6: 8 列目（RFe）の値 55 は入力画面で選べない値です。\n"
            "7: 9 列目（Wea）の値 66 は入力画面で選べない値です。\n"
            "8: 25 列目（Sa1）の値 7 は入力画面で選べない値です。\n"
            "9: 7 列目（RF2）の値 0.29 は入力画面で選べない値です。\n"
            "10: 11 列目（Se1）の値 8 は入力画面で選べない値です。\n"
            "11: 4 列目（Str）の値 3 は入力画面で選べない値です。\n");
  EXPECT_EQ(run.err, "");
}

TEST(CheckCommand, FilesThatCannotBeReadAndUsage) {
  TempDir dir;
  WriteBytes(dir / "bad.csv", "N,1\r\nh\r\n0,2,0\r\n");
  const struct {
    std::string args;
    int status;
    std::string err;
  } cases[] = {
      {Quote(dir / "bad.csv"), 1, "ファイルの取り込みに失敗しました。\n3 行目"},
      {Quote(dir / "missing.csv"), 1,
       "ファイルを開くことができませんでした\nファイルまたはフォルダがありません。\n"
       "ファイルの取り込みに失敗しました。\n"},
      {"", 2, "使い方"},
      {Quote(kRefused) + " --scale 1/75", 2, "使い方"},
      {Quote(kRefused) + " --scale", 2, "使い方"},
      {Quote(kRefused) + " " + Quote(kRefused), 2, "使い方"},
      {Quote(kRefused) + " --legend", 2, "使い方"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun run = Check(c.args, dir);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind(c.err, 0), 0u) << run.err;
  }
}

}  // namespace
