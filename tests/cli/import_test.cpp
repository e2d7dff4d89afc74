// borvik-cli import, and render of a boring exchange file, as scripts use them.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "exchange/import.h"
#include "files/layer_csv.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace borvik::testing {
namespace {

const std::filesystem::path kReal = BORVIK_TEST_DATA "/exchange/real";
const std::filesystem::path kFukui = kReal / "BOREHOLE_FUKUI_18000230651302239-BED0002.xml";

CliRun Cli(const std::string& args, const TempDir& dir) { return RunCli(args, dir.Path()); }

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The layer file the core makes of an exchange file with the built-in rules.
std::string LayerFileOf(const std::filesystem::path& xml) {
  exchange::NameRules rules;
  EXPECT_TRUE(exchange::LoadNameRules(nullptr, rules));
  auto log = std::make_unique<model::Document>();
  exchange::ImportReport report;
  EXPECT_TRUE(exchange::ImportExchangeFile(xml, rules, *log, report));
  return files::FormatLayerFile(log->header, log->layers);
}

TEST(ImportCommand, WritesTheLayerFileAndPrintsTheReport) {
  TempDir dir;
  const CliRun run = Cli("import " + Quote(kFukui) + " " + Quote(dir / "out.csv"), dir);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string csv = ReadBytes(dir / "out.csv");
  EXPECT_EQ(csv, LayerFileOf(kFukui));
  EXPECT_EQ(csv.substr(0, 13), "H25B-2,6.71,\r");
  EXPECT_TRUE(Has(run.out, "層: 17 層を読み込みました（岩石土区分）。\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "試料: 14 個のうち 14 個を置きました。\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "  砂混じりシルト（4 層）→ シルト\n")) << run.out;

  // "-" writes the layer file on stdout and the report on stderr.
  const CliRun piped = Cli("import " + Quote(kFukui) + " -", dir);
  ASSERT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, csv);
  EXPECT_TRUE(Has(piped.err, "層: 17 層")) << piped.err;
}

TEST(ImportCommand, RefusesWithoutTouchingTheOutput) {
  TempDir dir;
  const std::string real = ReadBytes(kFukui);
  WriteBytes(dir / "cut.xml", real.substr(0, real.size() / 3));
  std::string noDepth = real;
  const std::string depth = "<岩石土区分_下端深度>2.30</岩石土区分_下端深度>";
  noDepth.erase(noDepth.find(depth), depth.size());
  WriteBytes(dir / "nodepth.xml", noDepth);
  WriteBytes(dir / "other.xml", "<?xml version=\"1.0\"?>\n<地質情報/>\n");
  WriteBytes(dir / "bad-map.csv", "緑色岩,main,0.29,0.37,,\n");
  WriteBytes(dir / "out.csv", "previous");
  const std::string out = " " + Quote(dir / "out.csv");
  const struct {
    std::string args;
    int status;
    std::string message;
  } cases[] = {
      {"import " + Quote(dir / "cut.xml") + out, 1,
       "ファイルの取り込みに失敗しました。\nファイルが途中で切れています（"},
      {"import " + Quote(dir / "nodepth.xml") + out, 1,
       "ファイルの取り込みに失敗しました。\n103 行目: 2 "
       "番目の層（岩石土区分）の下端深度がありません。\n"},
      {"import " + Quote(dir / "other.xml") + out, 1,
       "ボーリング交換用データではありません（ルート要素が「地質情報」です）。"},
      {"import " + Quote(dir / "missing.xml") + out, 1, "ファイルを開くことができませんでした\n"},
      {"import " + Quote(kFukui) + out + " --map " + Quote(dir / "bad-map.csv"), 1,
       "bad-map.csv の 1 行目（RF2）: 岩相の対応表の書き方が正しくありません。"},
      {"import " + Quote(kFukui) + out + " --map " + Quote(dir / "no-map.csv"), 1,
       "ファイルを開くことができませんでした\n"},
      {"import " + Quote(kFukui), 2, "IN と OUT を指定してください"},
      {"import --out " + Quote(dir.Path()), 2, "変換するファイルを指定してください"},
      {"import " + Quote(kFukui) + out + " --mapping x", 2, "不明なオプションです: --mapping"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args, dir);
    EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
    EXPECT_TRUE(Has(run.err, c.message)) << c.args << "\n" << run.err;
    EXPECT_EQ(run.out, "") << c.args;
    EXPECT_EQ(ReadBytes(dir / "out.csv"), "previous") << c.args;
  }
}

TEST(ImportCommand, AMapFileChangesWhatANameBecomes) {
  TempDir dir;
  const auto shiga = kReal / "BOREHOLE_SHIGA_VER4_201836404006-BED0004.xml";
  WriteBytes(dir / "mine.csv", "# greenstone as basalt\n緑色岩,main,0.29,0.33,,\n");
  const CliRun run = Cli("import " + Quote(shiga) + " - --map " + Quote(dir / "mine.csv"), dir);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Has(run.out, "\r\n0.85,4,0.85,0,0,0.29,0.33,")) << run.out;
  EXPECT_TRUE(Has(run.err, "緑色岩（1 層）→ 基盤岩（火山岩類）")) << run.err;
  const CliRun plain = Cli("import " + Quote(shiga) + " -", dir);
  EXPECT_TRUE(Has(plain.out, "\r\n0.85,4,0.85,0,0,0.29,0.35,")) << plain.out;
}

TEST(ImportCommand, ConvertsManyFilesIntoAFolder) {
  TempDir dir;
  std::string inputs;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kReal)) {
    inputs += " " + Quote(entry.path());
    ++files;
  }
  ASSERT_EQ(files, 14);
  const CliRun run = Cli("import" + inputs + " --out " + Quote(dir / "logs"), dir);
  ASSERT_EQ(run.status, 0) << run.err;
  // Not a terminal: no progress line.
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(Has(run.out, "14 個のファイルのうち 14 個を変換しました。\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "層: 88 層（規則で岩相を決められなかった層 0）\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "試料: 25 個を置きました（置けなかった試料 7）\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "確認が必要なファイル: 3 個\n")) << run.out;
  for (const auto& entry : std::filesystem::directory_iterator(kReal)) {
    const auto csv = dir / "logs" / (entry.path().stem().string() + ".csv");
    EXPECT_EQ(ReadBytes(csv), LayerFileOf(entry.path())) << csv;
  }
}

TEST(ImportCommand, ManyFilesGoOnPastARefusedOneAndKeepNamesApart) {
  TempDir dir;
  std::filesystem::create_directory(dir / "a");
  std::filesystem::create_directory(dir / "b");
  std::filesystem::copy_file(kFukui, dir / "a" / "log.xml");
  std::filesystem::copy_file(kReal / "KKRDB_BEDKK53350286018.xml", dir / "b" / "log.xml");
  WriteBytes(dir / "broken.xml", "<ボーリング情報><コア情報>");
  const CliRun run =
      Cli("import " + Quote(dir / "a" / "log.xml") + " " + Quote(dir / "broken.xml") + " " +
              Quote(dir / "b" / "log.xml") + " --out " + Quote(dir / "out"),
          dir);
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(
      Has(run.err, "broken.xml: ファイルの取り込みに失敗しました。\nファイルが途中で切れています"))
      << run.err;
  EXPECT_TRUE(
      Has(run.out, "3 個のファイルのうち 2 個を変換しました（1 個は変換できませんでした）。\n"))
      << run.out;
  EXPECT_EQ(ReadBytes(dir / "out" / "log.csv"), LayerFileOf(kFukui));
  // A file without ボーリング名 is named after itself.
  EXPECT_EQ(ReadBytes(dir / "out" / "log-2.csv"), LayerFileOf(dir / "b" / "log.xml"));
  EXPECT_EQ(ReadBytes(dir / "out" / "log-2.csv").substr(0, 4), "log,");
  EXPECT_FALSE(std::filesystem::exists(dir / "out" / "broken.csv"));
}

TEST(RenderCommand, DrawsAnExchangeFileAsItsImportedLog) {
  TempDir dir;
  const auto kiknet = kReal / "BOREHOLE_KIK-NET_BED10118000020001.xml";
  WriteBytes(dir / "imported.csv", LayerFileOf(kiknet));
  const CliRun xml = Cli("render " + Quote(kiknet) + " xml.png --scale 1/50", dir);
  ASSERT_EQ(xml.status, 0) << xml.err;
  EXPECT_EQ(xml.err, "");
  const CliRun csv = Cli("render imported.csv csv.png --scale 1/50", dir);
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_TRUE(ReadBytes(dir / "xml.png") == ReadBytes(dir / "csv.png"));
  // Something dropped: the report goes to stderr, the picture is still drawn.
  const CliRun dropped = Cli(
      "render " + Quote(kReal / "BOREHOLE_FUKUI_18000210671200466-BED0003.xml") + " d.png", dir);
  EXPECT_EQ(dropped.status, 0) << dropped.err;
  EXPECT_TRUE(Has(dropped.err, "5 個は置けませんでした")) << dropped.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "d.png"));
}

}  // namespace
}  // namespace borvik::testing
