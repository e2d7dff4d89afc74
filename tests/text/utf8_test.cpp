#include "text/utf8.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace borvik::text {
namespace {

constexpr char32_t R = kReplacementCharacter;

std::vector<char32_t> DecodeAll(std::string_view bytes) {
  std::vector<char32_t> out;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t before = pos;
    out.push_back(DecodeUtf8At(bytes, pos));
    EXPECT_GT(pos, before);
    EXPECT_LE(pos, bytes.size());
  }
  return out;
}

struct DecodeCase {
  const char* name;
  std::string_view bytes;
  std::vector<char32_t> expected;
  bool valid;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class Utf8DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Utf8DecodeTest, DecodesStrictly) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(DecodeAll(c.bytes), c.expected);
  EXPECT_EQ(IsValidUtf8(c.bytes), c.valid);
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8DecodeTest,
    ::testing::Values(
        DecodeCase{"Empty", ""sv, {}, true},
        DecodeCase{"Ascii", "A,1"sv, {'A', ',', '1'}, true},
        DecodeCase{"Nul", "\0"sv, {0}, true},
        DecodeCase{"TwoByte", "\xC3\xA9"sv, {0xE9}, true},
        DecodeCase{"TwoByteLowest", "\xC2\x80"sv, {0x80}, true},
        DecodeCase{"ThreeByte", "\xE6\x9D\xB1"sv, {0x6771}, true},
        DecodeCase{"ThreeByteLowest", "\xE0\xA0\x80"sv, {0x800}, true},
        DecodeCase{"BeforeSurrogates", "\xED\x9F\xBF"sv, {0xD7FF}, true},
        DecodeCase{"AfterSurrogates", "\xEE\x80\x80"sv, {0xE000}, true},
        DecodeCase{"EncodedReplacement", "\xEF\xBF\xBD"sv, {0xFFFD}, true},
        DecodeCase{"FourByte", "\xF0\x9F\x98\x80"sv, {0x1F600}, true},
        DecodeCase{"FourByteLowest", "\xF0\x90\x80\x80"sv, {0x10000}, true},
        DecodeCase{"Highest", "\xF4\x8F\xBF\xBF"sv, {0x10FFFF}, true},
        DecodeCase{"OverlongC0", "\xC0\xAF"sv, {R, R}, false},
        DecodeCase{"OverlongC1", "\xC1\xBF"sv, {R, R}, false},
        DecodeCase{"OverlongThree", "\xE0\x80\xAF"sv, {R, R, R}, false},
        DecodeCase{"OverlongThreeHigh", "\xE0\x9F\xBF"sv, {R, R, R}, false},
        DecodeCase{"OverlongFour", "\xF0\x80\x80\xAF"sv, {R, R, R, R}, false},
        DecodeCase{"OverlongFourHigh", "\xF0\x8F\xBF\xBF"sv, {R, R, R, R}, false},
        DecodeCase{"SurrogateLow", "\xED\xA0\x80"sv, {R, R, R}, false},
        DecodeCase{"SurrogateHigh", "\xED\xBF\xBF"sv, {R, R, R}, false},
        DecodeCase{"SurrogatePair", "\xED\xA0\xBD\xED\xB8\x80"sv, {R, R, R, R, R, R}, false},
        DecodeCase{"AboveMax", "\xF4\x90\x80\x80"sv, {R, R, R, R}, false},
        DecodeCase{"LeadF5", "\xF5\x80\x80\x80"sv, {R, R, R, R}, false},
        DecodeCase{"LeadFF", "\xFF\xFE"sv, {R, R}, false},
        DecodeCase{"TruncatedTwo", "\xC3"sv, {R}, false},
        DecodeCase{"TruncatedThree", "\xE6\x9D"sv, {R, R}, false},
        DecodeCase{"TruncatedFour", "\xF0\x9F\x98"sv, {R, R, R}, false},
        DecodeCase{"TruncatedThenAscii", "\xE6\x9D,x"sv, {R, R, ',', 'x'}, false},
        DecodeCase{"InterruptedByLead", "\xE6\xC3\xA9"sv, {R, 0xE9}, false},
        DecodeCase{"StrayContinuation", "\x80"sv, {R}, false},
        DecodeCase{"StrayContinuations", "a\x80\xBF" "b"sv, {'a', R, R, 'b'}, false},
        DecodeCase{"TooManyContinuations", "\xC3\xA9\xA9"sv, {0xE9, R}, false}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(Utf8Test, DecodeAtEndReturnsReplacementAndStays) {
  const std::string_view bytes = "A";
  std::size_t pos = 1;
  EXPECT_EQ(DecodeUtf8At(bytes, pos), R);
  EXPECT_EQ(pos, 1u);
}

TEST(Utf8Test, NoOverreadOfTruncatedSequenceInLargerBuffer) {
  const std::string buffer = "x\xE6\x9D\xB1";  // the view cuts the character short
  const std::string_view view(buffer.data(), 3);
  EXPECT_EQ(DecodeAll(view), (std::vector<char32_t>{'x', R, R}));
  EXPECT_FALSE(IsValidUtf8(view));
  EXPECT_TRUE(IsValidUtf8(buffer));
}

struct AppendCase {
  char32_t cp;
  std::string_view expected;
};

void PrintTo(const AppendCase& c, std::ostream* os) { *os << "U+" << std::hex << unsigned(c.cp); }

class Utf8AppendTest : public ::testing::TestWithParam<AppendCase> {};

TEST_P(Utf8AppendTest, Appends) {
  std::string out = "<";
  AppendUtf8(out, GetParam().cp);
  EXPECT_EQ(out, "<" + std::string(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Forms, Utf8AppendTest,
                         ::testing::Values(AppendCase{0x00, "\0"sv}, AppendCase{0x41, "A"sv},
                                           AppendCase{0x7F, "\x7F"sv}, AppendCase{0x80, "\xC2\x80"sv},
                                           AppendCase{0xE9, "\xC3\xA9"sv}, AppendCase{0x7FF, "\xDF\xBF"sv},
                                           AppendCase{0x800, "\xE0\xA0\x80"sv},
                                           AppendCase{0x6771, "\xE6\x9D\xB1"sv},
                                           AppendCase{0xD7FF, "\xED\x9F\xBF"sv},
                                           AppendCase{0xFFFF, "\xEF\xBF\xBF"sv},
                                           AppendCase{0x10000, "\xF0\x90\x80\x80"sv},
                                           AppendCase{0x1F600, "\xF0\x9F\x98\x80"sv},
                                           AppendCase{0x10FFFF, "\xF4\x8F\xBF\xBF"sv},
                                           AppendCase{0xD800, "\xEF\xBF\xBD"sv},
                                           AppendCase{0xDFFF, "\xEF\xBF\xBD"sv},
                                           AppendCase{0x110000, "\xEF\xBF\xBD"sv},
                                           AppendCase{0xFFFFFFFF, "\xEF\xBF\xBD"sv}));

TEST(Utf8Test, EveryScalarValueRoundTrips) {
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    std::string bytes;
    AppendUtf8(bytes, cp);
    ASSERT_EQ(bytes.size(), cp < 0x80 ? 1u : cp < 0x800 ? 2u : cp < 0x10000 ? 3u : 4u) << std::hex << unsigned(cp);
    std::size_t pos = 0;
    ASSERT_EQ(DecodeUtf8At(bytes, pos), cp) << std::hex << unsigned(cp);
    ASSERT_EQ(pos, bytes.size());
    ASSERT_TRUE(IsValidUtf8(bytes)) << std::hex << unsigned(cp);
  }
}

}  // namespace
}  // namespace borvik::text
