#include "model/codes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

namespace borvik::model {
namespace {

struct CodeBits {
  LithologyCode code;
  std::uint32_t bits;
};

TEST(LithologyCodes, HaveTheirExactFloatBits) {
  const CodeBits cases[] = {
      {kClay, 0x3E19999A},          {kSilt, 0x3E23D70A},         {kVeryFineSand, 0x3E3851EC},
      {kFineSand, 0x3E428F5C},      {kMediumSand, 0x3E4CCCCD},   {kCoarseSand, 0x3E570A3D},
      {kVeryCoarseSand, 0x3E6147AE}, {kGranule, 0x3E75C28F},     {kPebble, 0x3E800000},
      {kCobble, 0x3E851EB8},        {kBoulder, 0x3E8A3D71},      {kFineAsh, 0x3E3837B5},
      {kCoarseAsh, 0x3E612D77},     {kLapilli, 0x3E7FE5C9},      {kVolcanicBomb, 0x3E8A3055},
      {kBedrockWidth, 0x3E947AE1},  {kSedimentaryRock, 0x3E9EB852}, {kLimestone, 0x3EA3D70A},
      {kVolcanicRock, 0x3EA8F5C3},  {kPlutonicRock, 0x3EAE147B}, {kMetamorphicRock, 0x3EB33333},
      {kHypabyssalRock, 0x3EB851EC},
  };
  for (const CodeBits& c : cases) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(c.code), c.bits) << c.code;
  }
}

TEST(LithologyCodes, VolcaniclasticsAreDistinctFromTheirClasticNeighbours) {
  EXPECT_NE(kFineAsh, kVeryFineSand);
  EXPECT_NE(kCoarseAsh, kVeryCoarseSand);
  EXPECT_NE(kLapilli, kPebble);
  EXPECT_NE(kVolcanicBomb, kBoulder);
}

TEST(LithologyCodes, SedimentTableTiesEachCodeToItsCheckBox) {
  EXPECT_EQ(kSedimentLithologies.front().checkBoxId, 1004);
  EXPECT_EQ(kSedimentLithologies.front().caption, "粘土");
  EXPECT_EQ(kSedimentLithologies.back().code, kVolcanicBomb);
  EXPECT_EQ(kSedimentLithologies.back().checkBoxId, 1029);
}

TEST(BedrockSlots, MapCodesOutOfSlotOrder) {
  const struct {
    LithologyCode code;
    int slot;
  } cases[] = {{0.31f, 1}, {0.32f, 6}, {0.33f, 2}, {0.34f, 4}, {0.35f, 5}, {0.36f, 3}};
  for (const auto& c : cases) {
    ASSERT_TRUE(BedrockSlotForCode(c.code).has_value()) << c.code;
    EXPECT_EQ(*BedrockSlotForCode(c.code), c.slot) << c.code;
  }
  for (const LithologyCode notBedrock : {0.0f, 0.29f, 0.3f, 0.37f, 0.15f}) {
    EXPECT_FALSE(BedrockSlotForCode(notBedrock).has_value()) << notBedrock;
  }
}

TEST(Scales, GiveThicknessLimitsAndSheetLengths) {
  const struct {
    std::string_view name;
    float limit;
    int sheet;
    float factor;
  } expected[] = {{"1/50", 12.5f, 13, 2.0f},
                  {"1/100", 25.0f, 25, 1.0f},
                  {"1/200", 50.0f, 50, 0.5f},
                  {"1/400", 100.0f, 100, 0.25f}};
  ASSERT_EQ(kScales.size(), std::size(expected));
  for (std::size_t i = 0; i < kScales.size(); ++i) {
    EXPECT_EQ(kScales[i].name, expected[i].name);
    EXPECT_EQ(kScales[i].thicknessLimit, expected[i].limit);
    EXPECT_EQ(kScales[i].sheetLength, expected[i].sheet);
    EXPECT_EQ(kScales[i].factor, expected[i].factor);
  }
  EXPECT_EQ(kDefaultScaleIndex, 1);
  EXPECT_FALSE(IsValidScaleIndex(-1));
  EXPECT_FALSE(IsValidScaleIndex(4));
}

}  // namespace
}  // namespace borvik::model
