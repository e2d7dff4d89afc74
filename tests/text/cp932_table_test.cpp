// UnicodeToSjisTable and Cp932ToUnicode: the generated tables themselves.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <ostream>
#include <string>

#include "text/cp932.h"

namespace borvik::text {
namespace {

constexpr char32_t IndexToCodePoint(int index) { return index < 0xA000 ? char32_t(index) : char32_t(index + 0x5900); }

bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

TEST(UnicodeToSjisTableTest, HasTheAgreedSize) {
  static_assert(kUnicodeToSjisTableSize == 0xA700);
  static_assert(sizeof(UnicodeToSjisTable) / sizeof(UnicodeToSjisTable[0]) == 0xA700);
  static_assert(sizeof(UnicodeToSjisTable[0]) == 4);
}

TEST(UnicodeToSjisTableTest, Maps7492CodePoints) {
  int mapped = 0, single = 0, dbcs = 0;
  for (int i = 0; i < kUnicodeToSjisTableSize; ++i) {
    const std::int32_t code = UnicodeToSjisTable[i];
    if (code == 0) continue;
    ++mapped;
    (code <= 0xFF ? single : dbcs)++;
  }
  EXPECT_EQ(mapped, 7492);
  EXPECT_EQ(single, 95 + 2 + 63);  // printable ASCII, U+00A5 and U+203E, half-width katakana
  EXPECT_EQ(dbcs, 7492 - 160);
}

TEST(UnicodeToSjisTableTest, EveryEntryIsAWellFormedCode) {
  for (int i = 0; i < kUnicodeToSjisTableSize; ++i) {
    const std::int32_t code = UnicodeToSjisTable[i];
    if (code == 0) continue;
    if (code <= 0xFF) {
      EXPECT_TRUE(code >= 0x20 && code <= 0xDF && code != 0x7F && code != 0x80 && code != 0xA0 &&
                  !IsLeadByte(unsigned(code)))
          << std::hex << "U+" << unsigned(IndexToCodePoint(i)) << " -> " << code;
    } else {
      const unsigned lead = unsigned(code) >> 8, trail = unsigned(code) & 0xFF;
      EXPECT_TRUE(code >= 0x8140 && code <= 0xEEFC && IsLeadByte(lead) && trail >= 0x40 && trail <= 0xFC &&
                  trail != 0x7F)
          << std::hex << "U+" << unsigned(IndexToCodePoint(i)) << " -> " << code;
    }
  }
}

TEST(UnicodeToSjisTableTest, IndexRule) {
  // U+0000..U+9FFF at c, U+F900..U+FFFF at c - 0x5900, nothing else.
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    std::int32_t expected = 0;
    if (cp <= 0x9FFF) expected = UnicodeToSjisTable[cp];
    else if (cp >= 0xF900 && cp <= 0xFFFF) expected = UnicodeToSjisTable[cp - 0x5900];
    ASSERT_EQ(UnicodeToSjis(cp), expected) << std::hex << unsigned(cp);
  }
  EXPECT_EQ(UnicodeToSjisTable[0x9FFF], UnicodeToSjis(0x9FFF));
  EXPECT_EQ(UnicodeToSjisTable[0xA000], UnicodeToSjis(0xF900));  // entry 0xA000 holds U+F900
  EXPECT_EQ(UnicodeToSjisTable[0xA000], 0);                      // which has no code
  EXPECT_EQ(UnicodeToSjisTable[0xF929 - 0x5900], 0xEDC4);
  EXPECT_EQ(UnicodeToSjisTable[0xFFE5 - 0x5900], 0x818F);  // FULLWIDTH YEN SIGN
  EXPECT_EQ(UnicodeToSjisTable[0xFF01 - 0x5900], 0x8149);
  EXPECT_EQ(UnicodeToSjisTable[0xA6FF], UnicodeToSjis(0xFFFF));
  EXPECT_EQ(UnicodeToSjis(0x9FA0), 0xEA9E);  // the last mapped ideograph below U+A000
}

struct Mapping {
  char32_t cp;
  std::int32_t code;
  const char* what;
};

void PrintTo(const Mapping& m, std::ostream* os) { *os << "U+" << std::hex << unsigned(m.cp) << " (" << m.what << ")"; }

class UnicodeToSjisTest : public ::testing::TestWithParam<Mapping> {};

TEST_P(UnicodeToSjisTest, Maps) {
  EXPECT_EQ(UnicodeToSjis(GetParam().cp), GetParam().code)
      << GetParam().what << std::hex << ": U+" << unsigned(GetParam().cp);
}

INSTANTIATE_TEST_SUITE_P(
    LowestCode, UnicodeToSjisTest,
    ::testing::Values(Mapping{0x2170, 0xEEEF, "small roman one: NEC-selected, not IBM 0xFA40"},
                      Mapping{0x7E8A, 0xED40, "NEC-selected, not IBM 0xFA5C"},
                      Mapping{0x2460, 0x8740, "circled one: NEC special"},
                      Mapping{0x2252, 0x81E0, "JIS row 2, not NEC 0x8790"},
                      Mapping{0x2235, 0x81E6, "JIS row 2, not NEC 0x879A or IBM 0xFA5B"},
                      Mapping{0xFFE2, 0x81CA, "JIS row 2, not 0xEEF9 or 0xFA54"},
                      Mapping{0xFFE4, 0xEEFA, "NEC-selected, not IBM 0xFA55"},
                      Mapping{0x2160, 0x8754, "roman one: NEC special, not IBM 0xFA4A"},
                      Mapping{0x9ED1, 0xEEEC, "last IBM extension 0xFC4B"}));

INSTANTIATE_TEST_SUITE_P(
    SingleByte, UnicodeToSjisTest,
    ::testing::Values(Mapping{0x0020, 0x20, "space"}, Mapping{0x0041, 0x41, "A"},
                      Mapping{0x005C, 0x5C, "backslash"}, Mapping{0x007E, 0x7E, "tilde"},
                      Mapping{0x00A5, 0x5C, "yen sign"}, Mapping{0x203E, 0x7E, "overline"},
                      Mapping{0xFF61, 0xA1, "first half-width katakana"},
                      Mapping{0xFF9F, 0xDF, "last half-width katakana"}));

INSTANTIATE_TEST_SUITE_P(BestFit, UnicodeToSjisTest,
                         ::testing::Values(Mapping{0x00A2, 0x8191, "cent"}, Mapping{0x00A3, 0x8192, "pound"},
                                           Mapping{0x00AC, 0x81CA, "not"},
                                           Mapping{0x2016, 0x8161, "double vertical line"},
                                           Mapping{0x2212, 0x817C, "minus"}, Mapping{0x301C, 0x8160, "wave dash"}));

INSTANTIATE_TEST_SUITE_P(
    DoubleByte, UnicodeToSjisTest,
    ::testing::Values(Mapping{0x3000, 0x8140, "ideographic space"}, Mapping{0x30FB, 0x8145, "middle dot"},
                      Mapping{0xFF0D, 0x817C, "fullwidth hyphen-minus"}, Mapping{0xFF5E, 0x8160, "fullwidth tilde"},
                      Mapping{0x2225, 0x8161, "parallel to"}, Mapping{0xFFE0, 0x8191, "fullwidth cent"},
                      Mapping{0x5B54, 0x8D45, "孔"}, Mapping{0x6771, 0x938C, "東"}, Mapping{0x8868, 0x955C, "表"},
                      Mapping{0x30BD, 0x835C, "ソ"}, Mapping{0x4E00, 0x88EA, "一"},
                      Mapping{0x2010, 0x815D, "hyphen"}, Mapping{0x00B1, 0x817D, "plus-minus"}));

INSTANTIATE_TEST_SUITE_P(
    Unmapped, UnicodeToSjisTest,
    ::testing::Values(Mapping{0x0000, 0, "NUL"}, Mapping{0x0009, 0, "tab"}, Mapping{0x000A, 0, "line feed"},
                      Mapping{0x001F, 0, "unit separator"}, Mapping{0x007F, 0, "delete"},
                      Mapping{0x0080, 0, "C1 control"}, Mapping{0x0081, 0, "C1 control"},
                      Mapping{0x00A0, 0, "no-break space"}, Mapping{0x00E9, 0, "e acute"},
                      Mapping{0xA000, 0, "yi syllable (no entry)"}, Mapping{0xD800, 0, "surrogate"},
                      Mapping{0xE000, 0, "user-defined area (0xF040 decodes to it)"},
                      Mapping{0xE757, 0, "user-defined area end"}, Mapping{0xF8F0, 0, "0xA0 decodes to it"},
                      Mapping{0xF8F3, 0, "0xFF decodes to it"}, Mapping{0xF8FF, 0, "last without entry"},
                      Mapping{0xF900, 0, "first compatibility ideograph"}, Mapping{0xFFFD, 0, "replacement"},
                      Mapping{0xFFFF, 0, "noncharacter"}, Mapping{0x10000, 0, "beyond the BMP"},
                      Mapping{0x1F600, 0, "emoji"}, Mapping{0x10FFFF, 0, "last code point"},
                      Mapping{0x110000, 0, "not a code point"}));

TEST(UnicodeToSjisTableTest, NoControlsNoPrivateUseNoEntryWithoutIndex) {
  for (char32_t cp = 0; cp <= 0x1F; ++cp) EXPECT_EQ(UnicodeToSjis(cp), 0) << std::hex << unsigned(cp);
  EXPECT_EQ(UnicodeToSjis(0x7F), 0);
  EXPECT_EQ(UnicodeToSjis(0x80), 0);
  for (char32_t cp = 0xA000; cp <= 0xF8FF; ++cp) ASSERT_EQ(UnicodeToSjis(cp), 0) << std::hex << unsigned(cp);
  for (char32_t cp = 0x10000; cp <= 0x10FFFF; ++cp) ASSERT_EQ(UnicodeToSjis(cp), 0) << std::hex << unsigned(cp);
  for (char32_t cp = 0x20; cp <= 0x7E; ++cp) EXPECT_EQ(UnicodeToSjis(cp), std::int32_t(cp));
  for (char32_t cp = 0xFF61; cp <= 0xFF9F; ++cp) EXPECT_EQ(UnicodeToSjis(cp), std::int32_t(cp - 0xFF61 + 0xA1));
}

TEST(UnicodeToSjisTableTest, NoIbmExtensionCodes) {
  for (int i = 0; i < kUnicodeToSjisTableSize; ++i)
    EXPECT_LT(UnicodeToSjisTable[i], 0xFA40) << std::hex << "U+" << unsigned(IndexToCodePoint(i));
}

// Every defined code of JIS rows 1 to 92 and of the IBM extensions decodes to a
// character whose entry is the lowest code that decodes to it.
TEST(UnicodeToSjisTableTest, HoldsTheLowestOfSeveralCodes) {
  int ibm = 0;
  for (unsigned code = 0x8140; code <= 0xFCFC; ++code) {
    const char32_t cp = Cp932ToUnicode(std::uint16_t(code));
    if (cp == 0) continue;
    const bool user_defined = code >= 0xF040 && code <= 0xF9FC;
    if (user_defined) {
      EXPECT_TRUE(cp >= 0xE000 && cp <= 0xE757) << std::hex << code;
      EXPECT_EQ(UnicodeToSjis(cp), 0) << std::hex << code;
      continue;
    }
    ASSERT_NE(UnicodeToSjis(cp), 0) << std::hex << code << " -> U+" << unsigned(cp);
    EXPECT_LE(UnicodeToSjis(cp), std::int32_t(code)) << std::hex << code << " -> U+" << unsigned(cp);
    if (code >= 0xFA40) {
      ++ibm;
      EXPECT_LT(UnicodeToSjis(cp), 0xEF00) << std::hex << code;  // every IBM extension is a duplicate
    }
  }
  EXPECT_EQ(ibm, 388);  // 0xFA40-0xFC4B
}

// Round trip over the whole table: each code decodes to the character that
// encodes to it, but for the extra mappings, which decode to the canonical one.
TEST(UnicodeToSjisTableTest, EveryCodeDecodesBack) {
  std::map<char32_t, char32_t> others;  // code point -> what its code decodes to
  for (int i = 0; i < kUnicodeToSjisTableSize; ++i) {
    const std::int32_t code = UnicodeToSjisTable[i];
    if (code == 0) continue;
    const char32_t cp = IndexToCodePoint(i);
    const char32_t back = Cp932ToUnicode(std::uint16_t(code));
    ASSERT_NE(back, 0u) << std::hex << "U+" << unsigned(cp);
    EXPECT_EQ(UnicodeToSjis(back), code) << std::hex << "U+" << unsigned(cp);
    if (back != cp) others[cp] = back;
  }
  const std::map<char32_t, char32_t> expected = {
      {0x00A2, 0xFFE0},  // cent -> fullwidth cent
      {0x00A3, 0xFFE1},  // pound -> fullwidth pound
      {0x00A5, 0x005C},  // yen -> backslash position
      {0x00AC, 0xFFE2},  // not -> fullwidth not
      {0x2016, 0x2225},  // double vertical line -> parallel to
      {0x203E, 0x007E},  // overline -> tilde position
      {0x2212, 0xFF0D},  // minus -> fullwidth hyphen-minus
      {0x301C, 0xFF5E},  // wave dash -> fullwidth tilde
  };
  EXPECT_EQ(others, expected);
}

struct Decoding {
  std::uint16_t code;
  char32_t cp;
};

void PrintTo(const Decoding& d, std::ostream* os) { *os << "0x" << std::hex << d.code; }

class Cp932ToUnicodeTest : public ::testing::TestWithParam<Decoding> {};

TEST_P(Cp932ToUnicodeTest, Decodes) {
  EXPECT_EQ(Cp932ToUnicode(GetParam().code), GetParam().cp) << std::hex << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, Cp932ToUnicodeTest,
    ::testing::Values(Decoding{0x00, 0x00}, Decoding{0x09, 0x09}, Decoding{0x41, 0x41}, Decoding{0x5C, 0x5C},
                      Decoding{0x7E, 0x7E}, Decoding{0x7F, 0x7F}, Decoding{0x80, 0x80}, Decoding{0xA0, 0xF8F0},
                      Decoding{0xA1, 0xFF61}, Decoding{0xDF, 0xFF9F}, Decoding{0xFD, 0xF8F1},
                      Decoding{0xFE, 0xF8F2}, Decoding{0xFF, 0xF8F3},
                      // lead bytes alone define nothing
                      Decoding{0x81, 0}, Decoding{0x9F, 0}, Decoding{0xE0, 0}, Decoding{0xFC, 0},
                      Decoding{0x8140, 0x3000}, Decoding{0x815C, 0x2015}, Decoding{0x8160, 0xFF5E},
                      Decoding{0x8161, 0x2225}, Decoding{0x817C, 0xFF0D}, Decoding{0x8191, 0xFFE0},
                      Decoding{0x81CA, 0xFFE2}, Decoding{0x8740, 0x2460}, Decoding{0x8790, 0x2252},
                      Decoding{0x955C, 0x8868}, Decoding{0xED40, 0x7E8A}, Decoding{0xEEEF, 0x2170},
                      Decoding{0xF040, 0xE000}, Decoding{0xF9FC, 0xE757}, Decoding{0xFA40, 0x2170},
                      Decoding{0xFA5C, 0x7E8A}, Decoding{0xFC4B, 0x9ED1},
                      // undefined pairs and codes that are no pair at all
                      Decoding{0x817F, 0}, Decoding{0x81AD, 0}, Decoding{0x8540, 0}, Decoding{0x879D, 0},
                      Decoding{0xEEFD, 0}, Decoding{0xEF40, 0}, Decoding{0xFC4C, 0}, Decoding{0x8130, 0},
                      Decoding{0x81FD, 0}, Decoding{0x0100, 0}, Decoding{0x4141, 0}, Decoding{0xA1A1, 0},
                      Decoding{0xFD40, 0}, Decoding{0xFFFF, 0}));

TEST(Cp932TablesFileTest, SaysItIsGenerated) {
  const std::string path = std::string(BORVIK_SOURCE_DIR) + "/src/text/cp932_tables.cpp";
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first.rfind("//", 0), 0u) << first;
  EXPECT_NE(first.find("Generated by tools/gen_cp932_tables.py"), std::string::npos) << first;
  EXPECT_NE(first.find("do not edit"), std::string::npos) << first;
}

}  // namespace
}  // namespace borvik::text
