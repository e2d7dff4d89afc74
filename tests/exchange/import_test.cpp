// Boring exchange files as logs: the standard's examples and real open data
// checked against what the files say, and the files that must be refused.

#include "exchange/import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "exchange_support.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace borvik::exchange {
namespace {

using borvik::testing::ReadBytes;
using model::LayerRecord;
using testing::CommittedRules;
using testing::kExchangeData;

struct Imported {
  files::Status status;
  std::unique_ptr<model::Document> log = std::make_unique<model::Document>();
  ImportReport report;
};

Imported ImportBytes(std::string_view bytes, std::string_view stem = "FILE") {
  Imported r;
  r.log->Clear();
  r.status = ImportExchange(bytes, stem, CommittedRules(), *r.log, r.report);
  return r;
}

Imported ImportShared(const std::string& relative) {
  Imported r;
  r.log->Clear();
  r.status = ImportExchangeFile(kExchangeData / relative, CommittedRules(), *r.log, r.report);
  return r;
}

// What the files say, read off them by hand: the name, the elevation, each
// layer's bottom, each sample's top with the layer it falls in (0: dropped).
struct Sample {
  float depth;
  int layer;
};
struct Expected {
  const char* file;
  const char* name;
  float elevation;
  std::vector<float> bottoms;
  std::vector<Sample> samples;
};

const Expected kFiles[] = {
    {"official/BED0110.XML",
     "B-2",
     0.23f,
     {1.8f, 3, 7.4f, 10.6f, 22.45f, 23.7f, 24.55f, 27.95f, 30.15f},
     {{10, 4}, {16, 5}, {20, 5}, {25, 8}}},
    {"official/BED0210.XML",
     "B-2",
     0.23f,
     {1.8f, 3, 7.4f, 10.6f, 22.45f, 23.7f, 24.55f, 27.95f, 30.15f, 32.15f},
     {{10, 4}, {16, 5}, {20, 5}, {25, 8}}},
    {"official/BED0300.XML",
     "B-2",
     0.23f,
     {1.8f, 3, 7.4f, 10.6f, 22.45f, 23.7f, 24.55f, 27.95f, 30.15f, 32.15f},
     {{10, 4}, {16, 5}, {20, 5}, {25, 8}}},
    {"official/BED0400.XML",
     "B-2",
     0.23f,
     {1.8f, 3, 7.4f, 10.6f, 22.45f, 23.7f, 24.55f, 27.95f, 30.15f, 32.15f},
     {{10, 4}, {16, 5}, {20, 5}, {25, 8}}},
    // The second layer holds nine samples: four fit.
    {"real/BOREHOLE_FUKUI_18000210671200466-BED0003.xml",
     "H24-BNo.3",
     36.1f,
     {1.35f, 10.45f},
     {{1.15f, 1},
      {2.15f, 2},
      {3.15f, 2},
      {4.15f, 2},
      {5.15f, 2},
      {6.15f, 0},
      {7.15f, 0},
      {8.15f, 0},
      {9.15f, 0},
      {10.15f, 0}}},
    {"real/BOREHOLE_FUKUI_18000230651302239-BED0002.xml",
     "H25B-2",
     6.71f,
     {1.3f, 2.3f, 3.7f, 6.5f, 7.4f, 9.1f, 9.8f, 11.3f, 12.3f, 12.9f, 13.4f, 17.6f, 20.7f, 22.7f,
      24.7f, 26.8f, 32.2f},
     {{2, 2},
      {3, 3},
      {5.2f, 4},
      {8, 6},
      {10, 8},
      {11, 8},
      {14, 12},
      {15, 12},
      {16, 12},
      {17, 12},
      {18, 13},
      {19, 13},
      {20, 13},
      {22, 14}}},
    // No name: the file's; depths written 001.90; a sample without a depth.
    {"real/CBRDB_BEDCB53364726009.xml",
     "CBRDB_BEDCB53364726009",
     182.36f,
     {1.9f, 3.3f, 6.3f, 6.55f, 10.45f, 11.3f, 12.35f, 13.2f, 13.7f, 14.7f, 16},
     {}},
    // One line; 2.10; a 46 m granite.
    {"real/BOREHOLE_KIK-NET_BED10118000020001.xml",
     "FKIH01",
     65,
     {4, 6, 12, 19, 65, 85, 87.8f, 89.9f, 95.9f, 97.2f, 103},
     {}},
    {"real/BOREHOLE_SHIGA_VER4_201836404006-BED0004.xml", "Br4", 101.51f, {0.85f, 4}, {}},
    {"real/KKRDB_BEDKK53350286018.xml", "KKRDB_BEDKK53350286018", 61.3f, {2.5f, 21.1f}, {}},
};

TEST(ImportExchange, ExamplesAndRealFilesAsTheFilesSayThem) {
  for (const Expected& x : kFiles) {
    SCOPED_TRACE(x.file);
    const Imported r = ImportShared(x.file);
    ASSERT_TRUE(r.status);
    EXPECT_EQ(r.log->header.name, x.name);
    EXPECT_EQ(r.log->header.elevation, x.elevation);
    const model::LayerTable& layers = r.log->layers;
    ASSERT_EQ(layers.LayerCount(), static_cast<int>(x.bottoms.size()));
    EXPECT_EQ(r.report.layers, layers.LayerCount());
    float top = 0;
    for (int slot = 1; slot <= layers.LayerCount(); ++slot) {
      const LayerRecord layer = layers.Get(slot);
      EXPECT_EQ(layer.top, top) << slot;
      EXPECT_EQ(layer.bot, x.bottoms[slot - 1]) << slot;
      EXPECT_EQ(layer.int_, top) << slot;
      EXPECT_EQ(layer.Str, model::kNoChange) << slot;
      EXPECT_EQ(layer.Bou, model::kBaseSharp) << slot;
      EXPECT_EQ(layer.Se, (std::array<std::int32_t, 4>{})) << slot;
      EXPECT_EQ(layer.Ec, (std::array<std::int32_t, 3>{})) << slot;
      top = layer.bot;
    }
    // Each layer's samples in file order, the unused marks left out.
    std::vector<std::vector<float>> marks(layers.LayerCount() + 1);
    int dropped = 0;
    for (const Sample& s : x.samples) {
      if (s.layer == 0) {
        ++dropped;
      } else {
        marks[s.layer].push_back(s.depth);
      }
    }
    for (int slot = 1; slot <= layers.LayerCount(); ++slot) {
      const LayerRecord layer = layers.Get(slot);
      for (int i = 0; i < model::kSampleMarks; ++i) {
        const bool used = i < static_cast<int>(marks[slot].size());
        EXPECT_EQ(layer.Sa[i], used ? 1 : 0) << slot << " " << i;
        EXPECT_EQ(layer.DSa[i], used ? marks[slot][i] : model::kNoMarkDepth) << slot << " " << i;
      }
    }
    EXPECT_EQ(r.report.samplesPlaced, static_cast<int>(x.samples.size()) - dropped);
    // The last layer is in the form, as after a load.
    if (layers.LayerCount() > 0) {
      EXPECT_EQ(r.log->form, layers.Get(layers.LayerCount()));
    }
  }
}

TEST(ImportExchange, EverySharedFileImports) {
  int files = 0;
  for (const char* folder : {"official", "real"}) {
    for (const auto& entry : std::filesystem::directory_iterator(kExchangeData / folder)) {
      SCOPED_TRACE(entry.path().filename().string());
      const Imported r = ImportShared(std::string(folder) + "/" + entry.path().filename().string());
      ASSERT_TRUE(r.status) << (r.status ? 0 : r.status.error->line);
      EXPECT_GT(r.log->layers.LayerCount(), 0);
      EXPECT_FALSE(r.log->header.name.empty());
      ++files;
    }
  }
  EXPECT_EQ(files, 18);
}

TEST(ImportExchange, CodesOfTheStandardsExample) {
  const Imported r = ImportShared("official/BED0300.XML");
  ASSERT_TRUE(r.status);
  using namespace model;
  const LithologyCode expected[] = {kNoLithology, kMediumSand,  kMediumSand, kMediumSand,
                                    kSilt,        kClay,        kMediumSand, kSilt,
                                    kPebble,      kBedrockWidth};
  for (int slot = 1; slot <= 10; ++slot) {
    EXPECT_EQ(r.log->layers.Get(slot).RF1, expected[slot - 1]) << slot;
  }
  EXPECT_EQ(r.log->layers.Get(10).RF2, kNoLithology);
  EXPECT_EQ(r.report.version, "3.00");
  EXPECT_EQ(r.report.encoding, TextEncoding::kCp932);
  EXPECT_EQ(r.report.FallbackLayers(), 0);
  EXPECT_FALSE(r.report.NeedsAttention());
  // Everything of the core data with no place in a log is counted.
  const auto spt = std::find_if(r.report.notDrawn.begin(), r.report.notDrawn.end(),
                                [](const ElementCount& e) { return e.name == "標準貫入試験"; });
  ASSERT_NE(spt, r.report.notDrawn.end());
  EXPECT_EQ(spt->count, 15);
}

TEST(ImportExchange, EncodingIsDecidedByTheBytes) {
  const std::string body =
      "<ボーリング情報 DTD_version=\"3.00\"><標題情報><調査基本情報><ボーリング名>Ｂ－１</"
      "ボーリング名></調査基本情報><ボーリング基本情報><孔口標高>12.5</孔口標高></"
      "ボーリング基本情報></標題情報><コア情報><岩石土区分><岩石土区分_下端深度>2</"
      "岩石土区分_下端深度><岩石土区分_岩石土名>粘土</岩石土区分_岩石土名></岩石土区分></"
      "コア情報></ボーリング情報>";
  const std::string sjisDeclaration = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n";
  const std::string utf8Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  std::string utf16 = "\xFF\xFE";
  for (std::size_t pos = 0; pos < body.size();) {
    const char32_t c = text::DecodeUtf8At(body, pos);
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  const struct {
    const char* what;
    std::string bytes;
    TextEncoding encoding;
  } cases[] = {
      {"true Shift_JIS", text::Utf8ToCp932(sjisDeclaration + body), TextEncoding::kCp932},
      {"UTF-8 declared as Shift_JIS", sjisDeclaration + body, TextEncoding::kUtf8},
      {"Shift_JIS declared as UTF-8", text::Utf8ToCp932(utf8Declaration + body),
       TextEncoding::kCp932},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + utf8Declaration + body,
       TextEncoding::kUtf8},
      {"UTF-16", utf16, TextEncoding::kUtf16},
  };
  for (const auto& c : cases) {
    const Imported r = ImportBytes(c.bytes);
    ASSERT_TRUE(r.status) << c.what;
    EXPECT_EQ(r.report.encoding, c.encoding) << c.what;
    EXPECT_EQ(r.log->header.name, "Ｂ－１") << c.what;
    EXPECT_EQ(r.log->header.elevation, 12.5f) << c.what;
    ASSERT_EQ(r.log->layers.LayerCount(), 1) << c.what;
    EXPECT_EQ(r.log->layers.Get(1).RF1, model::kClay) << c.what;
  }
}

// A small file of the given layers (each the inside of a 岩石土区分).
std::string File(const std::string& name, const std::string& elevation,
                 const std::vector<std::string>& layers, const std::string& extra = "") {
  std::string core;
  for (const std::string& layer : layers) core += "<岩石土区分>" + layer + "</岩石土区分>\n";
  return "<?xml version=\"1.0\" encoding=\"shift_jis\"?>\n"
         "<!DOCTYPE ボーリング情報 SYSTEM \"BED0300.DTD\">\n"
         "<ボーリング情報 DTD_version=\"3.00\">\n<標題情報>\n<調査基本情報><ボーリング名>" +
         name + "</ボーリング名></調査基本情報>\n<ボーリング基本情報><孔口標高>" + elevation +
         "</孔口標高></ボーリング基本情報>\n</標題情報>\n<コア情報>\n" + core + extra +
         "</コア情報>\n</ボーリング情報>\n";
}

std::string Layer(const std::string& bottom, const std::string& name) {
  return "<岩石土区分_下端深度>" + bottom + "</岩石土区分_下端深度><岩石土区分_岩石土名>" + name +
         "</岩石土区分_岩石土名>";
}

TEST(ImportExchange, BrokenFilesAreRefusedWithWhereAndWhy) {
  const std::string good = File("B-1", "10", {Layer("2", "砂"), Layer("5", "粘土")});
  const std::string cut = good.substr(0, good.size() / 2);
  const int cutLines = static_cast<int>(std::count(cut.begin(), cut.end(), '\n')) + 1;
  const struct {
    const char* what;
    std::string bytes;
    files::Refusal refusal;
    int line;
    int count;
  } cases[] = {
      {"cut in the middle", cut, files::Refusal::kXmlTruncated, cutLines, 0},
      {"not XML", "B-1,10,\r\ntop, bot\r\n", files::Refusal::kNotExchangeFile, 1, 0},
      {"empty", "", files::Refusal::kNotExchangeFile, 1, 0},
      {"a mismatched tag", File("B-1", "10", {Layer("2", "砂</x>")}), files::Refusal::kXmlMalformed,
       9, 0},
      {"another root", "<?xml version=\"1.0\"?>\n<地質情報><x/></地質情報>",
       files::Refusal::kNotExchangeFile, 2, 0},
      {"a layer missing its depth",
       File("B-1", "10", {Layer("2", "砂"), "<岩石土区分_岩石土名>粘土</岩石土区分_岩石土名>"}),
       files::Refusal::kLayerWithoutDepth, 10, 2},
      {"an empty depth", File("B-1", "10", {Layer("", "砂")}), files::Refusal::kLayerWithoutDepth,
       9, 1},
      {"a depth that is no number", File("B-1", "10", {Layer("2m", "砂")}),
       files::Refusal::kLayerDepthNotNumber, 9, 1},
      {"a negative depth", File("B-1", "10", {Layer("-2", "砂")}),
       files::Refusal::kLayerDepthNegative, 9, 1},
      {"depths going up", File("B-1", "10", {Layer("5", "砂"), Layer("3", "粘土")}),
       files::Refusal::kLayerDepthBackwards, 10, 2},
  };
  for (const auto& c : cases) {
    Imported r = ImportBytes(c.bytes);
    r.log->header.name = "untouched";
    ASSERT_FALSE(r.status) << c.what;
    EXPECT_EQ(r.status.error->kind, files::ErrorKind::kRefusedFile) << c.what;
    EXPECT_EQ(r.status.error->refusal, c.refusal) << c.what;
    EXPECT_EQ(r.status.error->line, c.line) << c.what;
    EXPECT_EQ(r.status.error->count, c.count) << c.what;
  }
  // The root's name is kept for the message; the log is left alone.
  auto log = std::make_unique<model::Document>();
  log->header.name = "kept";
  ImportReport report;
  const files::Status other = ImportExchange("<地質情報/>", "x", CommittedRules(), *log, report);
  EXPECT_EQ(other.error->subject, "地質情報");
  EXPECT_EQ(log->header.name, "kept");
}

TEST(ImportExchange, AThousandLayersAreRefused) {
  std::vector<std::string> layers;
  for (int i = 1; i <= 1000; ++i) layers.push_back(Layer(std::to_string(i), "砂"));
  const Imported r = ImportBytes(File("B-1", "10", layers));
  ASSERT_FALSE(r.status);
  EXPECT_EQ(r.status.error->refusal, files::Refusal::kTooManyLayers);
  layers.pop_back();
  EXPECT_TRUE(ImportBytes(File("B-1", "10", layers)).status);
}

TEST(ImportExchange, HeaderFixesAreMadeAndReported) {
  const struct {
    const char* what;
    std::string name, elevation;
    std::string logName;
    float logElevation;
    bool fromFileName, changed;
    ElevationSource source;
  } cases[] = {
      {"as written", "B-1", "012.50", "B-1", 12.5f, false, false, ElevationSource::kFile},
      {"full-width digits", "B-1", "１２．５", "B-1", 12.5f, false, false, ElevationSource::kFile},
      {"empty name", "", "3", "BED0001", 3, true, false, ElevationSource::kFile},
      {"blank name", "　 ", "3", "BED0001", 3, true, false, ElevationSource::kFile},
      {"a comma", "B-1,2", "3", "B-1，2", 3, false, true, ElevationSource::kFile},
      {"outside code page 932",
       "B\xF0\x9F\x98\x80"
       "1",
       "3", "B?1", 3, false, true, ElevationSource::kFile},
      {"no elevation", "B-1", "", "B-1", 0, false, false, ElevationSource::kMissing},
      {"an elevation in words", "B-1", "不明", "B-1", 0, false, false, ElevationSource::kNotNumber},
  };
  for (const auto& c : cases) {
    const Imported r = ImportBytes(File(c.name, c.elevation, {Layer("2", "砂")}), "BED0001");
    ASSERT_TRUE(r.status) << c.what;
    EXPECT_EQ(r.log->header.name, c.logName) << c.what;
    EXPECT_EQ(r.report.logName, c.logName) << c.what;
    EXPECT_EQ(r.log->header.elevation, c.logElevation) << c.what;
    EXPECT_EQ(r.report.nameFromFileName, c.fromFileName) << c.what;
    EXPECT_EQ(r.report.nameChanged, c.changed) << c.what;
    EXPECT_EQ(r.report.elevationSource, c.source) << c.what;
  }
}

TEST(ImportExchange, AFileWithoutLayersIsAnEmptyLog) {
  const Imported r = ImportBytes(File("B-1", "10", {}));
  ASSERT_TRUE(r.status);
  EXPECT_EQ(r.log->layers.LayerCount(), 0);
  EXPECT_EQ(r.report.layers, 0);
  EXPECT_EQ(r.log->header.name, "B-1");
}

TEST(ImportExchange, SamplesGoToTheLayerThatHoldsTheirTop) {
  std::string samples;
  for (const char* depth : {"0", "2", "2.5", "6", "", "abc", "-1", "3", "3.5", "4", "4.5"}) {
    samples +=
        std::string("<試料採取><試料採取_上端深度>") + depth + "</試料採取_上端深度></試料採取>\n";
  }
  const Imported r =
      ImportBytes(File("B-1", "10", {Layer("2", "砂"), Layer("5", "粘土")}, samples));
  ASSERT_TRUE(r.status);
  const LayerRecord first = r.log->layers.Get(1);
  const LayerRecord second = r.log->layers.Get(2);
  EXPECT_EQ(first.DSa, (std::array<float, 4>{0, -1, -1, -1}));
  // 2 m starts the second layer; its fifth sample (4.5 m) has no room.
  EXPECT_EQ(second.DSa, (std::array<float, 4>{2, 2.5f, 3, 3.5f}));
  EXPECT_EQ(second.Sa, (std::array<std::int32_t, 4>{1, 1, 1, 1}));
  EXPECT_EQ(r.report.samplesPlaced, 5);
  const std::vector<std::pair<std::string, SampleDropReason>> dropped{
      {"6", SampleDropReason::kOutsideLayers}, {"", SampleDropReason::kNoDepth},
      {"abc", SampleDropReason::kNoDepth},     {"-1", SampleDropReason::kOutsideLayers},
      {"4", SampleDropReason::kLayerFull},     {"4.5", SampleDropReason::kLayerFull}};
  ASSERT_EQ(r.report.samplesDropped.size(), dropped.size());
  for (std::size_t i = 0; i < dropped.size(); ++i) {
    EXPECT_EQ(r.report.samplesDropped[i].depth, dropped[i].first) << i;
    EXPECT_EQ(r.report.samplesDropped[i].reason, dropped[i].second) << i;
  }
  EXPECT_TRUE(r.report.NeedsAttention());
}

TEST(ImportExchange, TheReportCountsNamesByWhatTheyBecame) {
  const Imported r =
      ImportBytes(File("B-1", "10",
                       {Layer("1", "盛土"), Layer("2", "砂"), Layer("3", "アプライト"),
                        Layer("4", "砂"), Layer("5", "蛇灰岩"), Layer("6", "")}));
  ASSERT_TRUE(r.status);
  ASSERT_EQ(r.report.names.size(), 5u);
  EXPECT_EQ(r.report.names[0].name, "盛土");
  EXPECT_EQ(r.report.names[0].match.kind, NameMatchKind::kFill);
  EXPECT_EQ(r.report.names[1].layers, 2);
  EXPECT_EQ(r.report.names[2].match.kind, NameMatchKind::kNoLithology);
  EXPECT_EQ(r.report.names[3].match.kind, NameMatchKind::kUnknownRock);
  EXPECT_EQ(r.report.names[4].name, "");
  EXPECT_EQ(r.report.FallbackLayers(), 3);
  EXPECT_TRUE(r.report.NeedsAttention());
}

TEST(IsExchangeFileName, ByTheExtensionInAnyCase) {
  EXPECT_TRUE(IsExchangeFileName("a/BED0001.XML"));
  EXPECT_TRUE(IsExchangeFileName("b.xml"));
  EXPECT_TRUE(IsExchangeFileName("c.Xml"));
  EXPECT_FALSE(IsExchangeFileName("d.csv"));
  EXPECT_FALSE(IsExchangeFileName("xml"));
}

}  // namespace
}  // namespace borvik::exchange
