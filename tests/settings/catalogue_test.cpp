#include "settings/category_catalogue.h"

#include <gtest/gtest.h>

#include "model/codes.h"

namespace borvik::settings {
namespace {

TEST(CategoryCatalogue, DefaultsNameTheBuiltInTextures) {
  const CategoryCatalogue c = CategoryCatalogue::Defaults();
  EXPECT_EQ(c.bedrock[2].name, "半深成岩類");
  EXPECT_EQ(c.bedrock[5].name, "石灰岩類");
  EXPECT_EQ(c.bedrock[5].texturePath, "TEX\\SYSTEM\\lime.png");
  EXPECT_EQ(c.structures[2].name, "斜交層理");
  EXPECT_EQ(c.structures[2].texturePath, "TEX\\SYSTEM\\cross.png");
  EXPECT_EQ(c.features[2].name, "植物化石\uFF08材\uFF09");
  EXPECT_EQ(c.features[8].texturePath, "TEX\\SYSTEM\\artificial.png");
}

TEST(CategoryCatalogue, AtWalksTheEntriesInFileOrder) {
  const CategoryCatalogue c = CategoryCatalogue::Defaults();
  EXPECT_EQ(&c.At(0), &c.bedrock[0]);
  EXPECT_EQ(&c.At(5), &c.bedrock[5]);
  EXPECT_EQ(&c.At(6), &c.structures[0]);
  EXPECT_EQ(&c.At(12), &c.structures[6]);
  EXPECT_EQ(&c.At(13), &c.features[0]);
  EXPECT_EQ(&c.At(21), &c.features[8]);
}

TEST(CategoryCatalogue, BedrockCodesFindTheirSlotsTexture) {
  const CategoryCatalogue c = CategoryCatalogue::Defaults();
  EXPECT_EQ(c.bedrock[*model::BedrockSlotForCode(0.32f) - 1].texturePath, "TEX\\SYSTEM\\lime.png");
  EXPECT_EQ(c.bedrock[*model::BedrockSlotForCode(0.36f) - 1].name, "半深成岩類");
  EXPECT_EQ(c.bedrock[*model::BedrockSlotForCode(0.33f) - 1].name, "火山岩類");
}

}  // namespace
}  // namespace borvik::settings
