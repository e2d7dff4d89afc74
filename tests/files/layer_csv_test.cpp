#include "files/layer_csv.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/temp_dir.h"

namespace borvik::files {
namespace {

using model::Document;
using model::LayerRecord;

const std::string kHeader = std::string(kHeaderLine) + "\r\n";
const std::string kB1 = "B-1,12.5,\r\n" + kHeader +
                        "0,2,0,0,0,0.15,0.15,0,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0\r\n"
                        "2,5,2,0,0,0.19,0.19,0,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,3,1,-1,0,-1,0,-1,0\r\n";

LayerRecord OneLithology(float top, float bot, float code) {
  LayerRecord layer;
  layer.top = top;
  layer.bot = bot;
  layer.int_ = top;
  layer.RF1 = layer.RF2 = code;
  return layer;
}

std::unique_ptr<Document> Parse(std::string_view bytes, Status* status = nullptr) {
  auto log = std::make_unique<Document>();
  const Status result = ParseLayerFile(bytes, *log);
  if (status) *status = result;
  EXPECT_TRUE(status || result);
  return log;
}

std::string Replace(std::string s, std::string_view from, std::string_view to) {
  for (std::size_t pos = 0; (pos = s.find(from, pos)) != std::string::npos; pos += to.size()) {
    s.replace(pos, from.size(), to);
  }
  return s;
}

TEST(WriteLayerLine, WritesOneLithologyLayer) {
  std::string out;
  WriteLayerLine(out, OneLithology(10, 12.5f, 0.2f));
  EXPECT_EQ(out, "10,12.5,10,0,0,0.2,0.2,0,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0\r\n");
}

TEST(WriteLayerLine, PutsEachMarkDepthBeforeItsKind) {
  LayerRecord layer = OneLithology(0, 1, 0.15f);
  layer.Str = 2;
  layer.Bou = 3;
  layer.RFe = 4;
  layer.Wea = 1;
  layer.DSe = {0.1f, 0.2f, 0.3f, 0.4f};
  layer.Se = {1, 2, 3, 4};
  layer.DEc = {0.5f, 0.6f, 0.7f};
  layer.Ec = {5, 6, 7};
  layer.DSa = {0.8f, 0.9f, 0.95f, 1.0f};
  layer.Sa = {1, 0, 1, 0};
  std::string out;
  WriteLayerLine(out, layer);
  EXPECT_EQ(out,
            "0,1,0,2,3,0.15,0.15,4,1,0.1,1,0.2,2,0.3,3,0.4,4,0.5,5,0.6,6,0.7,7,0.8,1,0.9,0,0.95,1,1,0\r\n");
}

TEST(FormatLayerFile, WritesTheTwoLayerExampleByteForByte) {
  auto log = std::make_unique<Document>();
  log->header = {"B-1", 12.5f};
  ASSERT_TRUE(log->layers.Append(OneLithology(0, 2, 0.15f)));
  LayerRecord sand = OneLithology(2, 5, 0.19f);
  sand.DSa[0] = 3;
  sand.Sa[0] = 1;
  ASSERT_TRUE(log->layers.Append(sand));
  EXPECT_EQ(FormatLayerFile(log->header, log->layers), kB1);
}

TEST(WriteCsvHead, WritesNameAndElevation) {
  const struct {
    model::LogHeader header;
    std::string line;
  } cases[] = {
      {{"", 0.0f}, ",0,\r\n"},
      {{"B-1", -3.5f}, "B-1,-3.5,\r\n"},
      {{"孔No.1", 1234.567f}, "\x8D\x45No.1,1234.57,\r\n"},
      {{"Ⅰ-①", 0.0f}, "\x87\x54-\x87\x40,0,\r\n"},
  };
  for (const auto& c : cases) {
    std::string out;
    WriteCsvHead(out, c.header);
    EXPECT_EQ(out, c.line + kHeader) << c.header.name;
  }
}

TEST(ParseLayerFile, ReadsTheExampleAndItsCounters) {
  auto log = Parse(kB1);
  EXPECT_EQ(log->header.name, "B-1");
  EXPECT_EQ(log->header.elevation, 12.5f);
  EXPECT_EQ(log->layers.LayerCount(), 2);
  EXPECT_EQ(log->layers.CurrentLayer(), 2);
  EXPECT_EQ(log->layers.NextFreeSlot(), 3);
  EXPECT_EQ(log->layers.Get(1), OneLithology(0, 2, 0.15f));
  EXPECT_EQ(log->form, log->layers.Get(2));
  EXPECT_EQ(log->form.DSa[0], 3.0f);
  EXPECT_EQ(log->form.Sa[0], 1);
}

TEST(ParseLayerFile, LoadThenSaveGivesTheSameBytes) {
  auto log = Parse(kB1);
  EXPECT_EQ(FormatLayerFile(log->header, log->layers), kB1);
}

TEST(ParseLayerFile, AcceptsOtherLineEndsAndHeaders) {
  const std::string variants[] = {
      Replace(kB1, "\r\n", "\n"),                           // plain line feeds
      Replace(kB1, "\r\n", "\r"),                           // a lone CR: old Mac, Excel
      Replace(kB1, "\r\n", "\r").substr(0, kB1.size() - 5),  // ... without the last one
      kB1.substr(0, kB1.size() - 2),                        // no final line end
      Replace(kB1, std::string(kHeaderLine), "hand-written header"),
      Replace(kB1, "0,-1,0\r\n", "0,-1,0,extra,fields\r\n"),  // beyond the 31st
      Replace(kB1, "B-1,12.5,", "B-1,12.5"),                 // no trailing comma
      kB1 + "\r\n\r\n",                                      // trailing blank lines
  };
  for (const std::string& bytes : variants) {
    Status status;
    auto log = Parse(bytes, &status);
    ASSERT_TRUE(status) << bytes;
    EXPECT_EQ(FormatLayerFile(log->header, log->layers), kB1) << bytes;
  }
}

TEST(ParseLayerFile, ReadsNumbersByTheirPrefix) {
  const std::string line =
      " 1.5,2.5x,1.5,1.9,0,0.18,0.18,12abc,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0";
  auto log = Parse("x,0\r\nh\r\n" + line);
  const LayerRecord layer = log->layers.Get(1);
  EXPECT_EQ(layer.top, 1.5f);
  EXPECT_EQ(layer.bot, 2.5f);
  EXPECT_EQ(layer.Str, 1);
  EXPECT_EQ(layer.RFe, 12);
}

TEST(ParseLayerFile, HeadOnlyFilesLoadNoLayer) {
  for (const std::string& bytes : {std::string("Name,3,\r\n") + kHeader, std::string("Name,3,\r\n"),
                                   std::string("Name,3")}) {
    auto log = Parse(bytes);
    EXPECT_EQ(log->header.name, "Name");
    EXPECT_EQ(log->header.elevation, 3.0f);
    EXPECT_EQ(log->layers.LayerCount(), 0);
    EXPECT_EQ(log->layers.NextFreeSlot(), 1);
  }
}

TEST(ParseLayerFile, EmptyFileIsAnEmptyLog) {
  auto log = Parse("");
  EXPECT_EQ(log->header.name, "");
  EXPECT_EQ(log->header.elevation, 0.0f);
  EXPECT_EQ(log->layers.LayerCount(), 0);
}

TEST(ParseLayerFile, EmptyNameReadsBackEmpty) {
  auto log = Parse(Replace(kB1, "B-1,12.5,", ",0,"));
  EXPECT_EQ(log->header.name, "");
  EXPECT_EQ(log->header.elevation, 0.0f);
}

TEST(ParseLayerFile, Cp932NameComesBackAsTheSameBytes) {
  // 東京湾岸 No.3 孔 in code page 932.
  const std::string name = "\x93\x8C\x8B\x9E\x98\x70\x8A\xDD No.3 \x8D\x45";
  const std::string bytes = Replace(kB1, "B-1", name);
  auto log = Parse(bytes);
  EXPECT_EQ(log->header.name, "東京湾岸 No.3 孔");
  EXPECT_EQ(FormatLayerFile(log->header, log->layers), bytes);
}

TEST(ParseLayerFile, ExtremeValuesRoundTrip) {
  const std::string line =
      "1234.57,1e-05,0.0001,0,0,0.1799,0.2699,0,0,-1,-2147483648,-1,2147483647,-1,0,-1,0,-1,0,-1,0,"
      "-1,0,-1,0,-1,0,-1,0,3.40282e+38,0\r\n";
  const std::string bytes = "N,-3.5,\r\n" + kHeader + line;
  auto log = Parse(bytes);
  EXPECT_EQ(log->layers.Get(1).bot, 0.00001f);
  EXPECT_EQ(log->header.elevation, -3.5f);
  EXPECT_EQ(FormatLayerFile(log->header, log->layers), bytes);
}

TEST(ParseLayerFile, RefusesMalformedFilesWholeAndNamesTheLine) {
  const std::string good = "0,2,0,0,0,0.15,0.15,0,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0";
  const struct {
    const char* what;
    std::string bytes;
    Error error;
  } cases[] = {
      {"30 fields", "N,1\r\nh\r\n" + good + "\r\n" + good.substr(0, good.size() - 2) + "\r\n",
       Refused(Refusal::kTooFewFields, 4, 0, 30)},
      {"empty field", "N,1\r\nh\r\n" + Replace(good, "0.15,0.15", "0.15,") + "\r\n",
       Refused(Refusal::kNoNumber, 3, 7)},
      {"text for a number", "N,1\r\nh\r\n" + Replace(good, "0,2,", "zero,2,"),
       Refused(Refusal::kNoNumber, 3, 1)},
      {"int out of range", "N,1\r\nh\r\n" + Replace(good, "0,0,0.15", "0,3000000000,0.15"),
       Refused(Refusal::kOutOfRange, 3, 5)},
      {"float overflow", "N,1\r\nh\r\n" + Replace(good, "0,2,", "0,1e39,"),
       Refused(Refusal::kOutOfRange, 3, 2)},
      {"not finite", "N,1\r\nh\r\n" + Replace(good, "0,2,", "0,inf,"), Refused(Refusal::kNoNumber, 3, 2)},
      {"empty last field", "N,1\r\nh\r\n" + good.substr(0, good.size() - 1),
       Refused(Refusal::kNoNumber, 3, 31)},
      {"no comma in line 1", "N 1\r\nh\r\n" + good, Refused(Refusal::kHeadWithoutComma, 1)},
      {"elevation not a number", "N,high\r\nh\r\n" + good, Refused(Refusal::kElevationNoNumber, 1)},
      {"elevation out of range", "N,1e40\r\nh\r\n" + good, Refused(Refusal::kElevationOutOfRange, 1)},
  };
  for (const auto& c : cases) {
    auto log = std::make_unique<Document>();
    log->header.name = "kept";
    ASSERT_TRUE(log->layers.Append(OneLithology(0, 1, 0.2f)));
    const Status status = ParseLayerFile(c.bytes, *log);
    ASSERT_FALSE(status) << c.what;
    EXPECT_EQ(*status.error, c.error) << c.what;
    EXPECT_EQ(log->header.name, "kept") << c.what;
    EXPECT_EQ(log->layers.LayerCount(), 1) << c.what;
  }
}

TEST(ParseLayerFile, TakesNineHundredNinetyNineLayersAndRefusesMore) {
  std::string bytes = "N,0,\r\n" + kHeader;
  std::string line;
  WriteLayerLine(line, OneLithology(0, 1, 0.2f));
  for (int i = 0; i < 999; ++i) bytes += line;
  auto log = Parse(bytes);
  EXPECT_EQ(log->layers.LayerCount(), 999);

  Status status;
  auto refused = Parse(bytes + line, &status);
  ASSERT_FALSE(status);
  EXPECT_EQ(*status.error, Refused(Refusal::kTooManyLayers, 1002));
  EXPECT_EQ(refused->layers.LayerCount(), 0);
}

TEST(ReadLayerFile, ReportsAFileThatCannotBeOpened) {
  borvik::testing::TempDir dir;
  auto log = std::make_unique<Document>();
  for (const auto& path : {dir / "missing.csv", dir.Path()}) {
    const Status status = ReadLayerFile(path, *log);
    EXPECT_TRUE(status.Is(ErrorKind::kCannotOpen));
  }
}

TEST(ReadLayerFile, ReadsTheFixture) {
  auto log = std::make_unique<Document>();
  ASSERT_TRUE(ReadLayerFile(BORVIK_TEST_DATA "/b1.csv", *log));
  EXPECT_EQ(FormatLayerFile(log->header, log->layers), kB1);
}

}  // namespace
}  // namespace borvik::files
