// Utf8ToCp932, Cp932ToUtf8 and IsCp932Representable.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "text/cp932.h"
#include "text/utf8.h"

namespace borvik::text {
namespace {

using namespace std::string_view_literals;

std::string U8(std::u8string_view s) { return std::string(s.begin(), s.end()); }

std::string Utf8Of(char32_t cp) {
  std::string out;
  AppendUtf8(out, cp);
  return out;
}

const std::string kMiddleDot = U8(u8"・");  // U+30FB

// "Ｂ－１孔（東京）", a boring name as a Japanese log file stores it.
constexpr std::string_view kLogNameCp932 = "\x82\x61\x81\x7C\x82\x50\x8D\x45\x81\x69\x93\x8C\x8B\x9E\x81\x6A"sv;

TEST(Cp932ConvertTest, LogNameRoundTrips) {
  const std::string utf8 = Cp932ToUtf8(kLogNameCp932);
  EXPECT_EQ(utf8, U8(u8"Ｂ－１孔（東京）"));
  bool lossless = false;
  EXPECT_EQ(Utf8ToCp932(utf8, &lossless), kLogNameCp932);
  EXPECT_TRUE(lossless);
  EXPECT_TRUE(IsCp932Representable(utf8));
}

TEST(Cp932ConvertTest, TrailByte5CIsNoBackslash) {
  // ソ 0x835C and 表 0x955C: the trail byte is the backslash's value.
  constexpr std::string_view bytes = "\x83\x5C\x95\x5C\\"sv;
  EXPECT_EQ(Cp932ToUtf8(bytes), U8(u8"ソ表\\"));
  EXPECT_EQ(Utf8ToCp932(U8(u8"ソ表\\")), bytes);
}

TEST(Cp932ConvertTest, AsciiIsItself) {
  std::string all;
  for (int b = 0; b < 0x80; ++b) all.push_back(char(b));
  EXPECT_EQ(Cp932ToUtf8(all), all);  // 0x5C is U+005C, 0x7E is U+007E
  EXPECT_EQ(Cp932ToUtf8("\\~"), "\\~");
}

TEST(Cp932ConvertTest, EveryDoubleByteCodeDecodesLikeCp932ToUnicode) {
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string bytes{char(lead), char(trail)};
      const char32_t cp = Cp932ToUnicode(std::uint16_t(lead * 256 + trail));
      ASSERT_EQ(Cp932ToUtf8(bytes), Utf8Of(cp != 0 ? cp : 0x30FB)) << std::hex << lead << trail;
    }
  }
}

TEST(Cp932ConvertTest, EverySingleByteDecodesLikeCp932ToUnicode) {
  for (unsigned b = 0; b <= 0xFF; ++b) {
    const std::string bytes(1, char(b));
    const char32_t cp = Cp932ToUnicode(std::uint16_t(b));
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(cp == 0, lead || b == 0) << std::hex << b;
    EXPECT_EQ(Cp932ToUtf8(bytes), Utf8Of(lead ? 0x30FB : cp)) << std::hex << b;
  }
}

struct DecodeCase {
  const char* name;
  std::string_view bytes;
  std::string expected;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class Cp932ToUtf8Test : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Cp932ToUtf8Test, Decodes) {
  const std::string out = Cp932ToUtf8(GetParam().bytes);
  EXPECT_EQ(out, GetParam().expected);
  EXPECT_TRUE(IsValidUtf8(out));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Cp932ToUtf8Test,
    ::testing::Values(
        DecodeCase{"Empty", ""sv, ""},
        DecodeCase{"Nul", "a\0b"sv, std::string("a\0b", 3)},
        DecodeCase{"HalfWidthKatakana", "\xCE\xDE\xB0\xD8\xDD\xB8\xDE"sv, U8(u8"ﾎﾞｰﾘﾝｸﾞ")},
        DecodeCase{"Kana", "\x83\x7B\x81\x5B\x83\x8A\x83\x93\x83\x4F"sv, U8(u8"ボーリング")},
        DecodeCase{"IbmExtension", "\xFA\x5C\xFA\x40"sv, U8(u8"纊ⅰ")},
        DecodeCase{"NecSelected", "\xED\x40\xEE\xEF"sv, U8(u8"纊ⅰ")},
        DecodeCase{"NecSpecial", "\x87\x40\x87\x54"sv, U8(u8"①Ⅰ")},
        DecodeCase{"UserDefined", "\xF0\x40\xF9\xFC"sv, Utf8Of(0xE000) + Utf8Of(0xE757)},
        DecodeCase{"WindowsSingles", "\x80\xA0\xFD\xFE\xFF"sv,
                   Utf8Of(0x80) + Utf8Of(0xF8F0) + Utf8Of(0xF8F1) + Utf8Of(0xF8F2) + Utf8Of(0xF8F3)},
        DecodeCase{"LeadAsTrail", "\x81\x81\x40"sv, U8(u8"＝@")},  // 0x81 is also a trail byte
        // undefined pair with a trail byte: U+30FB for both bytes
        DecodeCase{"UndefinedPair", "\x85\x40,"sv, kMiddleDot + ","},
        DecodeCase{"UndefinedPairRow2", "\x81\xAD"sv, kMiddleDot},
        DecodeCase{"UndefinedRow93", "\xEF\x40" "A"sv, kMiddleDot + "A"},
        DecodeCase{"UndefinedIbmTail", "\xFC\xFC"sv, kMiddleDot},
        // a second byte outside the trail range is read on its own
        DecodeCase{"LeadThenComma", "\x82,1"sv, kMiddleDot + ",1"},
        DecodeCase{"LeadThenNewline", "\x93\n"sv, kMiddleDot + "\n"},
        DecodeCase{"LeadThenDelete", "\x81\x7F"sv, kMiddleDot + "\x7F"},
        DecodeCase{"LeadThenFD", "\x82\xFD"sv, kMiddleDot + Utf8Of(0xF8F1)},
        DecodeCase{"LeadThenKanaByte", "\x82\x30\x82\x61"sv, kMiddleDot + "0" + U8(u8"Ｂ")},
        // a lead byte as the last byte
        DecodeCase{"TruncatedLead", "ABC\x82"sv, "ABC" + kMiddleDot},
        DecodeCase{"OnlyLead", "\xE0"sv, kMiddleDot},
        DecodeCase{"LeadLeadEnd", "\x93\x8C\x93"sv, U8(u8"東") + kMiddleDot}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(Cp932ConvertTest, NoOverreadPastTheView) {
  // The view ends on a lead byte whose trail byte follows in the buffer.
  const std::string buffer = "\x82\x61\x82\x61";
  const std::string_view view(buffer.data(), 3);
  EXPECT_EQ(Cp932ToUtf8(view), U8(u8"Ｂ") + kMiddleDot);
  EXPECT_EQ(Cp932ToUtf8(std::string_view(buffer.data(), 1)), kMiddleDot);
  EXPECT_EQ(Cp932ToUtf8(std::string_view(buffer.data(), 0)), "");

  // And the other way: a UTF-8 character cut short by the view.
  const std::string utf8 = U8(u8"東京");
  bool lossless = true;
  EXPECT_EQ(Utf8ToCp932(std::string_view(utf8.data(), 4), &lossless), "\x93\x8C?");
  EXPECT_FALSE(lossless);
  EXPECT_FALSE(IsCp932Representable(std::string_view(utf8.data(), 5)));
}

struct EncodeCase {
  const char* name;
  std::string utf8;
  std::string_view expected;
  bool lossless;
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name; }

class Utf8ToCp932Test : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(Utf8ToCp932Test, Encodes) {
  const EncodeCase& c = GetParam();
  bool lossless = !c.lossless;
  const std::string out = Utf8ToCp932(c.utf8, &lossless);
  EXPECT_EQ(out, c.expected);
  EXPECT_EQ(lossless, c.lossless);
  EXPECT_EQ(IsCp932Representable(c.utf8), c.lossless);
  EXPECT_LE(out.size(), c.utf8.size());
  EXPECT_EQ(Utf8ToCp932(c.utf8), c.expected);  // lossless is optional
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToCp932Test,
    ::testing::Values(
        EncodeCase{"Empty", "", ""sv, true},
        EncodeCase{"Ascii", "BH-1, 12.50 m", "BH-1, 12.50 m"sv, true},
        EncodeCase{"BackslashTilde", "\\~", "\\~"sv, true},
        EncodeCase{"YenOverline", U8(u8"¥‾"), "\\~"sv, true},
        EncodeCase{"BestFits", U8(u8"¢£¬‖−〜"), "\x81\x91\x81\x92\x81\xCA\x81\x61\x81\x7C\x81\x60"sv, true},
        EncodeCase{"FullwidthForms", U8(u8"￠￡￢∥－～"),
                   "\x81\x91\x81\x92\x81\xCA\x81\x61\x81\x7C\x81\x60"sv, true},
        EncodeCase{"HalfWidthKatakana", U8(u8"ｱｲｳ｡ﾟ"), "\xB1\xB2\xB3\xA1\xDF"sv, true},
        EncodeCase{"LowestCode", U8(u8"ⅰ纊①≒"), "\xEE\xEF\xED\x40\x87\x40\x81\xE0"sv, true},
        // The code page keeps ASCII controls as they are.
        EncodeCase{"Controls", "a\tb\r\n", "a\tb\r\n"sv, true},
        EncodeCase{"Nul", std::string("a\0b", 3), std::string_view("a\0b", 3), true},
        EncodeCase{"Delete", "\x7F", "\x7F"sv, true},
        EncodeCase{"C1", U8(u8"\u0080"), "?"sv, false},
        EncodeCase{"Latin", U8(u8"é"), "?"sv, false},
        EncodeCase{"Hangul", U8(u8"한"), "?"sv, false},
        EncodeCase{"PrivateUse", U8(u8"\uE000\uF8F0"), "??"sv, false},
        EncodeCase{"Emoji", U8(u8"😀孔"), "?\x8D\x45"sv, false},
        EncodeCase{"Replacement", U8(u8"\uFFFD"), "?"sv, false},
        EncodeCase{"InvalidByte", "a\xFF" "b", "a?b"sv, false},
        EncodeCase{"Truncated", "\xE6\x9D", "??"sv, false},
        EncodeCase{"Overlong", "\xC0\xAF", "??"sv, false},
        EncodeCase{"Surrogate", "\xED\xA0\x80", "???"sv, false},
        EncodeCase{"StrayContinuation", "\x80" "A", "?A"sv, false}),
    [](const ::testing::TestParamInfo<EncodeCase>& info) { return std::string(info.param.name); });

TEST(Cp932ConvertTest, EveryMappedCodePointEncodesToItsEntry) {
  for (char32_t cp = 0; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::string utf8 = Utf8Of(cp);
    // ASCII, controls included, stands for itself in the code page.
    const std::int32_t code = cp < 0x80 ? std::int32_t(cp) : UnicodeToSjis(cp);
    const bool mapped = cp < 0x80 || code != 0;
    std::string expected;
    if (!mapped) expected = "?";
    else if (code <= 0xFF) expected = std::string(1, char(code));
    else expected = {char(code >> 8), char(code & 0xFF)};
    bool lossless = !mapped;
    ASSERT_EQ(Utf8ToCp932(utf8, &lossless), expected) << std::hex << unsigned(cp);
    ASSERT_EQ(lossless, mapped) << std::hex << unsigned(cp);
    ASSERT_EQ(IsCp932Representable(utf8), mapped) << std::hex << unsigned(cp);
  }
}

}  // namespace
}  // namespace borvik::text
