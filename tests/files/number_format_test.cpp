#include "files/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace borvik::files {
namespace {

std::string Float(float value) {
  std::string out;
  AppendFloat(out, value);
  return out;
}

TEST(AppendFloat, WritesSixSignificantDigitsLikePercentG) {
  const struct {
    float value;
    const char* text;
  } cases[] = {
      {12.5f, "12.5"},      {0.0f, "0"},          {-1.0f, "-1"},         {0.1799f, "0.1799"},
      {0.15f, "0.15"},      {0.2f, "0.2"},        {1234.567f, "1234.57"}, {1234567.0f, "1.23457e+06"},
      {0.0001f, "0.0001"},  {0.00001f, "1e-05"},  {-3.5f, "-3.5"},        {100.0f, "100"},
      {999999.0f, "999999"}, {1e6f, "1e+06"},     {0.29f, "0.29"},        {123456.7f, "123457"},
  };
  for (const auto& c : cases) EXPECT_EQ(Float(c.value), c.text) << c.value;
}

TEST(AppendInt, WritesSignedDecimal) {
  for (const auto& [value, text] : {std::pair{-1, "-1"}, {0, "0"}, {3, "3"}, {2147483647, "2147483647"}}) {
    std::string out;
    AppendInt(out, value);
    EXPECT_EQ(out, text);
  }
}

TEST(ParseFloatPrefix, TakesTheLongestDecimalPrefix) {
  const struct {
    const char* field;
    float value;
  } cases[] = {
      {"12.5", 12.5f},  {"  12.5", 12.5f}, {"\t-3.5", -3.5f}, {"+2", 2.0f},   {"1e-05", 1e-05f},
      {"12abc", 12.0f}, {"1.5.5", 1.5f},   {".5", 0.5f},      {"5.", 5.0f},   {"1e", 1.0f},
      {"1e+", 1.0f},    {"2E3x", 2000.0f}, {"0x10", 0.0f},    {"-0", -0.0f},  {"1234.57", 1234.57f},
      {"7 8", 7.0f},    {"1e-50", 0.0f},
  };
  for (const auto& c : cases) {
    const FloatParse parsed = ParseFloatPrefix(c.field);
    EXPECT_EQ(parsed.error, NumberError::None) << c.field;
    EXPECT_EQ(parsed.value, c.value) << c.field;
  }
}

TEST(ParseFloatPrefix, RefusesFieldsWithoutANumberOrOutOfRange) {
  const struct {
    const char* field;
    NumberError error;
  } cases[] = {
      {"", NumberError::NoNumber},       {" ", NumberError::NoNumber},
      {"abc", NumberError::NoNumber},    {"-", NumberError::NoNumber},
      {".", NumberError::NoNumber},      {"e5", NumberError::NoNumber},
      {"inf", NumberError::NoNumber},    {"nan", NumberError::NoNumber},
      {"1e39", NumberError::OutOfRange}, {"-1e39", NumberError::OutOfRange},
      {"1e400", NumberError::OutOfRange},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseFloatPrefix(c.field).error, c.error) << c.field;
}

TEST(ParseFloatPrefix, ReadsBackEveryWrittenValue) {
  for (const float value : {0.1799f, 0.2199f, 0.2499f, 0.2699f, 0.15f, 0.36f, 1e-05f, 1234.57f, 12.5f,
                            -1.0f, 3.4e38f, 1e-30f}) {
    const FloatParse parsed = ParseFloatPrefix(Float(value));
    EXPECT_EQ(parsed.error, NumberError::None) << value;
    EXPECT_EQ(parsed.value, value) << Float(value);
  }
}

TEST(ParseIntPrefix, FollowsStrtolPrefixRules) {
  const struct {
    const char* field;
    std::int32_t value;
    NumberError error;
  } cases[] = {
      {"3", 3, NumberError::None},
      {" -1", -1, NumberError::None},
      {"1.5", 1, NumberError::None},
      {"12abc", 12, NumberError::None},
      {"+4", 4, NumberError::None},
      {"2147483647", 2147483647, NumberError::None},
      {"-2147483648", -2147483647 - 1, NumberError::None},
      {"2147483648", 0, NumberError::OutOfRange},
      {"-2147483649", 0, NumberError::OutOfRange},
      {"99999999999999999999999", 0, NumberError::OutOfRange},
      {"", 0, NumberError::NoNumber},
      {"x1", 0, NumberError::NoNumber},
      {"-", 0, NumberError::NoNumber},
      {".5", 0, NumberError::NoNumber},
  };
  for (const auto& c : cases) {
    const IntParse parsed = ParseIntPrefix(c.field);
    EXPECT_EQ(parsed.error, c.error) << c.field;
    if (c.error == NumberError::None) {
      EXPECT_EQ(parsed.value, c.value) << c.field;
    }
  }
}

}  // namespace
}  // namespace borvik::files
