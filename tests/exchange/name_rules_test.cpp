// The committed name rules: every name of the shared files, every modifier,
// the fallbacks, and rule files that extend them or are refused.

#include "exchange/name_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange_support.h"
#include "text/cp932.h"

namespace borvik::exchange {
namespace {

using namespace model;
using testing::CommittedRules;
using Kind = NameMatchKind;

struct Case {
  const char* name;
  Kind kind;
  LithologyCode RF1, RF2;
  int RFe = 0;
  int Wea = 0;
};

void ExpectCases(const NameRules& rules, const std::vector<Case>& cases,
                 CodeScheme scheme = CodeScheme::kNone, std::vector<std::string> codes = {}) {
  for (const Case& c : cases) {
    const NameMatch m = rules.Match(c.name, scheme, codes);
    EXPECT_EQ(m.kind, c.kind) << c.name;
    EXPECT_EQ(m.codes, (LayerCodes{c.RF1, c.RF2, c.RFe, c.Wea})) << c.name;
  }
}

TEST(NameRules, EveryNameOfTheRealFilesMostCommonFirst) {
  ExpectCases(CommittedRules(),
              {
                  {"安山岩", Kind::kRule, kBedrockWidth, kVolcanicRock},
                  {"砂礫", Kind::kRule, kPebble, kPebble},
                  {"砂質シルト", Kind::kRule, kSilt, kSilt},
                  {"頁岩", Kind::kRule, kBedrockWidth, kSedimentaryRock},
                  {"盛土", Kind::kFill, kNoLithology, kNoLithology},
                  {"砂混じりシルト", Kind::kRule, kSilt, kSilt},
                  {"砂", Kind::kRule, kMediumSand, kMediumSand},
                  {"粘土", Kind::kRule, kClay, kClay},
                  {"花崗岩", Kind::kRule, kBedrockWidth, kPlutonicRock},
                  {"シルト", Kind::kRule, kSilt, kSilt},
                  {"礫", Kind::kRule, kPebble, kPebble},
                  {"泥岩", Kind::kRule, kBedrockWidth, kSedimentaryRock},
                  {"軟岩・風化岩", Kind::kRule, kBedrockWidth, kNoLithology, 0, kBrowned},
                  {"シルト混じり砂", Kind::kRule, kMediumSand, kMediumSand},
                  {"シルト質砂", Kind::kRule, kMediumSand, kMediumSand},
                  {"玉石混り砂礫", Kind::kRule, kPebble, kPebble},
                  {"砂質泥岩", Kind::kRule, kBedrockWidth, kSedimentaryRock},
                  {"表土", Kind::kFill, kSilt, kSilt, kQualityHumic},
                  {"シルト混り砂", Kind::kRule, kMediumSand, kMediumSand},
                  {"岩盤", Kind::kRule, kBedrockWidth, kNoLithology},
                  {"崖錐", Kind::kRule, kPebble, kPebble},
                  {"緑色岩", Kind::kRule, kBedrockWidth, kMetamorphicRock},
                  {"中硬岩", Kind::kRule, kBedrockWidth, kNoLithology},
                  {"シルト混じり砂礫", Kind::kRule, kPebble, kPebble},
                  {"流紋岩", Kind::kRule, kBedrockWidth, kVolcanicRock},
                  {"崖錐堆積物", Kind::kRule, kPebble, kPebble},
                  {"ひん岩", Kind::kRule, kBedrockWidth, kHypabyssalRock},
                  {"粘土質砂礫", Kind::kRule, kPebble, kPebble},
                  {"砂利・礫混りシルト質砂", Kind::kRule, kMediumSand, kMediumSand},
                  {"玉石混じり礫", Kind::kRule, kPebble, kPebble},
                  {"風化岩", Kind::kRule, kBedrockWidth, kNoLithology, 0, kBrowned},
                  {"礫混り粘性土", Kind::kRule, kClay, kClay},
                  {"砂岩", Kind::kRule, kBedrockWidth, kSedimentaryRock},
                  {"チャート", Kind::kRule, kBedrockWidth, kSedimentaryRock},
                  {"石灰岩", Kind::kRule, kBedrockWidth, kLimestone},
                  {"玉石混り砂質礫", Kind::kRule, kPebble, kPebble},
                  {"シルト質礫", Kind::kRule, kPebble, kPebble},
                  {"玉石混り礫質土", Kind::kRule, kPebble, kPebble},
                  // The names the official examples add.
                  {"埋土", Kind::kFill, kNoLithology, kNoLithology},
                  {"　埋土（砂）", Kind::kRule, kMediumSand, kMediumSand},
                  {"シルト質粘性土", Kind::kRule, kClay, kClay},
                  {"粘性土", Kind::kRule, kClay, kClay},
                  {"砂・シルト互層", Kind::kRule, kSilt, kSilt},
                  {"軟岩", Kind::kRule, kBedrockWidth, kNoLithology},
              });
}

TEST(NameRules, GradesAndVolcaniclastics) {
  ExpectCases(CommittedRules(), {
                                    {"極細砂", Kind::kRule, kVeryFineSand, kVeryFineSand},
                                    {"細砂", Kind::kRule, kFineSand, kFineSand},
                                    {"中砂", Kind::kRule, kMediumSand, kMediumSand},
                                    {"粗砂", Kind::kRule, kCoarseSand, kCoarseSand},
                                    {"極粗砂", Kind::kRule, kVeryCoarseSand, kVeryCoarseSand},
                                    {"シルト混じり細砂", Kind::kRule, kFineSand, kFineSand},
                                    {"細礫", Kind::kRule, kGranule, kGranule},
                                    {"中礫", Kind::kRule, kPebble, kPebble},
                                    {"大礫", Kind::kRule, kCobble, kCobble},
                                    {"玉石", Kind::kRule, kBoulder, kBoulder},
                                    {"巨礫", Kind::kRule, kBoulder, kBoulder},
                                    {"火山灰", Kind::kRule, kFineAsh, kFineAsh},
                                    {"粗粒火山灰", Kind::kRule, kCoarseAsh, kCoarseAsh},
                                    {"軽石", Kind::kRule, kLapilli, kLapilli},
                                    {"スコリア", Kind::kRule, kLapilli, kLapilli},
                                    {"火山礫", Kind::kRule, kLapilli, kLapilli},
                                    {"火山弾", Kind::kRule, kVolcanicBomb, kVolcanicBomb},
                                    {"火山灰質粘土", Kind::kRule, kClay, kClay},
                                    {"花崗斑岩", Kind::kRule, kBedrockWidth, kHypabyssalRock},
                                    {"片麻岩", Kind::kRule, kBedrockWidth, kMetamorphicRock},
                                    {"凝灰角礫岩", Kind::kRule, kBedrockWidth, kVolcanicRock},
                                    {"泥質砂岩", Kind::kRule, kBedrockWidth, kSedimentaryRock},
                                });
}

TEST(NameRules, EveryModifier) {
  ExpectCases(CommittedRules(),
              {
                  {"ローム", Kind::kRule, kSilt, kSilt, kQualityLoamy},
                  {"ローム質粘土", Kind::kRule, kClay, kClay, kQualityLoamy},
                  {"ローム質砂", Kind::kRule, kMediumSand, kMediumSand, kQualityLoamy},
                  // Loam is for mud and sand only.
                  {"ローム質砂礫", Kind::kRule, kPebble, kPebble, kQualityNone},
                  {"腐植質シルト", Kind::kRule, kSilt, kSilt, kQualityHumic},
                  {"腐植土", Kind::kRule, kSilt, kSilt, kQualityHumic},
                  {"有機質粘土", Kind::kRule, kClay, kClay, kQualityOrganic},
                  {"有機質土", Kind::kRule, kClay, kClay, kQualityOrganic},
                  {"泥炭", Kind::kRule, kClay, kClay, kQualityOrganic},
                  {"泥炭質粘土", Kind::kRule, kClay, kClay, kQualityOrganic},
                  {"石灰質砂", Kind::kRule, kMediumSand, kMediumSand, kQualityCalcareous},
                  {"石灰質砂岩", Kind::kRule, kBedrockWidth, kSedimentaryRock, kQualityCalcareous},
                  {"強風化花崗岩", Kind::kRule, kBedrockWidth, kPlutonicRock, 0, kReddened},
                  {"風化安山岩", Kind::kRule, kBedrockWidth, kVolcanicRock, 0, kBrowned},
                  {"弱風化頁岩", Kind::kRule, kBedrockWidth, kSedimentaryRock, 0, kBrowned},
                  {"未風化花崗岩", Kind::kRule, kBedrockWidth, kPlutonicRock, 0, kNotWeathered},
                  // The modifier nearest the end wins.
                  {"腐植混じり有機質シルト", Kind::kRule, kSilt, kSilt, kQualityOrganic},
              });
}

TEST(NameRules, MadeGroundTakesTheMaterialItNames) {
  ExpectCases(CommittedRules(),
              {
                  {"砂質盛土", Kind::kFill, kMediumSand, kMediumSand},
                  {"盛土（礫混じり砂）", Kind::kRule, kMediumSand, kMediumSand},
                  {"表土（砂）", Kind::kRule, kMediumSand, kMediumSand, kQualityHumic},
              });
}

TEST(NameRules, FallbacksFromNearestToNothing) {
  const NameRules rules = CommittedRules();
  ExpectCases(rules, {
                         // A soil word only as a modifier.
                         {"砂質", Kind::kNearestGroup, kMediumSand, kMediumSand},
                         {"シルト混じり", Kind::kNearestGroup, kSilt, kSilt},
                         // A rock no rule names.
                         {"砂質岩", Kind::kUnknownRock, kBedrockWidth, kNoLithology},
                         {"蛇灰岩", Kind::kUnknownRock, kBedrockWidth, kNoLithology},
                         {"アプライト", Kind::kNoLithology, kNoLithology, kNoLithology},
                         {"", Kind::kNoLithology, kNoLithology, kNoLithology},
                     });
  // The file's own code decides what the name does not; a name that
  // decides wins over the code.
  const std::vector<std::string> andesite{"999999999", "221141000"};
  ExpectCases(rules,
              {
                  {"不明", Kind::kRockCode, kBedrockWidth, kVolcanicRock},
                  {"", Kind::kRockCode, kBedrockWidth, kVolcanicRock},
                  {"砂", Kind::kRule, kMediumSand, kMediumSand},
              },
              CodeScheme::kRockSoil, andesite);
  ExpectCases(rules, {{"不明", Kind::kNoLithology, kNoLithology, kNoLithology}},
              CodeScheme::kClassification, andesite);
  ExpectCases(rules,
              {
                  {"xx", Kind::kRockCode, kBedrockWidth, kLimestone},
              },
              CodeScheme::kClassification, {"20130"});
  ExpectCases(rules, {{"xx", Kind::kRockCode, kBedrockWidth, kSedimentaryRock}},
              CodeScheme::kClassification, {"20040"});
}

TEST(NameRules, SpacesAndHalfWidthKanaAreReadAsWritten) {
  ExpectCases(CommittedRules(), {
                                    {"ｼﾙﾄ混じり砂", Kind::kRule, kMediumSand, kMediumSand},
                                    {"砂質ｼﾙﾄ", Kind::kRule, kSilt, kSilt},
                                    {"ﾄﾞﾚﾗｲﾄ", Kind::kRule, kBedrockWidth, kHypabyssalRock},
                                    {"ｽｺﾘｱ", Kind::kRule, kLapilli, kLapilli},
                                    {" シルト 混じり　砂 ", Kind::kRule, kMediumSand, kMediumSand},
                                });
  EXPECT_EQ(NormalizeName("ﾊﾟﾐｽ ﾎﾞ"), "パミスボ");
}

TEST(NameRules, AUserFileExtendsAndOverrides) {
  NameRules rules = CommittedRules();
  const std::size_t before = rules.Rules().size();
  // Code page 932 bytes are read as such.
  const std::string user = text::Utf8ToCp932(
      "# my rules\r\n緑色岩,main,0.29,0.33,,\r\nアプライト,main,0.29,0.34,,\r\n\r\n");
  ASSERT_TRUE(rules.Add(user, "mine.csv"));
  EXPECT_EQ(rules.Rules().size(), before + 1);
  ExpectCases(rules, {
                         {"緑色岩", Kind::kRule, kBedrockWidth, kVolcanicRock},
                         {"アプライト", Kind::kRule, kBedrockWidth, kPlutonicRock},
                     });
}

TEST(NameRules, AMalformedLineRefusesTheWholeFile) {
  const struct {
    const char* line;
    int column;
  } cases[] = {
      {",main,0.2,0.2,,", 1},
      {"分類:31,code,0.29,0.33,,", 1},
      {"分類コード:3x,code,0.29,0.33,,", 1},
      {"砂,major,0.2,0.2,,", 2},
      {"砂,main,abc,0.2,,", 3},
      {"砂,main,,0.2,,", 3},
      {"質,suffix,0.2,,,", 3},
      {"砂,main,0.2,0.25,,", 4},
      {"砂,main,0.29,0.37,,", 4},
      {"砂,main,0.2,0.2,5,", 5},
      {"腐植,modifier,,,,", 5},
      {"砂,main,0.2,0.2,,4", 6},
      {"砂,main,0.2,0.2,,,extra", 7},
  };
  for (const auto& c : cases) {
    NameRules rules = CommittedRules();
    const std::size_t before = rules.Rules().size();
    const files::Status status =
        rules.Add("# head\n粘土,main,0.16,0.16,,\n" + std::string(c.line) + "\n", "bad.csv");
    ASSERT_FALSE(status) << c.line;
    EXPECT_EQ(status.error->refusal, files::Refusal::kBadRule) << c.line;
    EXPECT_EQ(status.error->line, 3) << c.line;
    EXPECT_EQ(status.error->column, c.column) << c.line;
    EXPECT_EQ(status.error->subject, "bad.csv") << c.line;
    // Nothing of the file was taken, not even its good lines.
    EXPECT_EQ(rules.Rules().size(), before) << c.line;
    EXPECT_EQ(rules.Match("粘土", CodeScheme::kNone, {}).codes.RF1, kClay) << c.line;
  }
}

TEST(NameRules, TheBuiltInFileIsFoundBesideTheProgram) {
  // The test program's folder holds a copy, as the program's does.
  NameRules rules;
  ASSERT_TRUE(LoadNameRules(nullptr, rules));
  EXPECT_EQ(rules.Rules().size(), CommittedRules().Rules().size());
  const std::filesystem::path missing = "no-such-rules.csv";
  const files::Status status = LoadNameRules(&missing, rules);
  ASSERT_FALSE(status);
  EXPECT_EQ(status.error->kind, files::ErrorKind::kCannotOpen);
}

}  // namespace
}  // namespace borvik::exchange
