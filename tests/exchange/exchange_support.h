#pragma once
// The committed name rules and the shared exchange files, for the tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "exchange/name_rules.h"
#include "support/temp_dir.h"

namespace borvik::exchange::testing {

inline const std::filesystem::path kExchangeData = BORVIK_TEST_DATA "/exchange";

inline NameRules CommittedRules() {
  NameRules rules;
  const files::Status added = rules.Add(
      borvik::testing::ReadBytes(BORVIK_SOURCE_DIR "/data/exchange/names.csv"), "names.csv");
  EXPECT_TRUE(added) << (added ? 0 : added.error->line);
  return rules;
}

}  // namespace borvik::exchange::testing
