// GlyphFont: the slot layout, which cells have glyphs (against code page 932),
// and a few glyphs compared with the fonts they were taken from.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "render/bitmap_text.h"
#include "render/glyph_font.h"
#include "text/cp932.h"

namespace borvik::render {
namespace {

constexpr std::string_view kBlankHalfWidth = "AAAAAAAAAAAAAAAAAAAAAA==";
constexpr std::string_view kBlankFullWidth = "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA=";

std::string_view SlotText(int slot) {
  return {GlyphFont[slot], strnlen(GlyphFont[slot], kGlyphSlotSize)};
}

std::vector<std::uint8_t> Glyph(int slot) {
  std::vector<std::uint8_t> bytes(kGlyphSlotSize);
  bytes.resize(DecodeBase64(SlotText(slot), bytes));
  return bytes;
}

bool HasInk(int slot) {
  for (std::uint8_t b : Glyph(slot)) {
    if (b != 0) return true;
  }
  return false;
}

constexpr int FullWidthSlot(int ku, int ten) { return 256 + (ku - 1) * 94 + (ten - 1); }

// The Shift_JIS code of row ku, cell ten.
std::uint16_t ShiftJisOf(int ku, int ten) {
  const int lead = (ku + 1) / 2 + (ku <= 62 ? 0x80 : 0xC0);
  const int trail = ku % 2 == 1 ? ten + 0x3F + (ten >= 64 ? 1 : 0) : ten + 0x9E;
  return static_cast<std::uint16_t>(lead << 8 | trail);
}

bool IsJisX0208Row(int ku) { return (ku >= 1 && ku <= 8) || (ku >= 16 && ku <= 84); }

std::vector<std::uint8_t> FromHex(std::string_view hex) {
  std::string digits;
  for (char c : hex) {
    if (c != ' ') digits.push_back(c);
  }
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

TEST(GlyphFontTest, EverySlotIsBase64OfItsGlyphSizeThenZeros) {
  static_assert(sizeof(GlyphFont) == 8904 * 48);
  constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";
  for (int slot = 0; slot < kGlyphSlotCount; ++slot) {
    const bool half = slot < kHalfWidthSlotCount;
    const std::string_view text = SlotText(slot);
    ASSERT_EQ(text.size(), half ? 24u : 44u) << "slot " << slot;
    EXPECT_EQ(text.find_first_not_of(kAlphabet), std::string_view::npos) << "slot " << slot;
    for (int i = int(text.size()); i < kGlyphSlotSize; ++i) {
      ASSERT_EQ(GlyphFont[slot][i], '\0') << "slot " << slot << " byte " << i;
    }
    EXPECT_EQ(Glyph(slot).size(), half ? 16u : 32u) << "slot " << slot;
  }
}

TEST(GlyphFontTest, HalfWidthGlyphsForPrintableBytesAndKatakana) {
  for (int b = 0; b <= 0xDF; ++b) {
    if (b >= 0x81 && b <= 0x9F) continue;  // lead bytes, never looked up alone
    const bool printable = (b >= 0x21 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF);
    if (printable) {
      EXPECT_TRUE(HasInk(b)) << std::hex << "byte 0x" << b;
    } else {  // the controls and the space all draw slot 0x20; 0x7F, 0x80, 0xA0 have no character
      EXPECT_EQ(SlotText(b), kBlankHalfWidth) << std::hex << "byte 0x" << b;
    }
  }
}

TEST(GlyphFontTest, FullWidthGlyphForEveryCellCodePage932Defines) {
  int definedInAddedRows = 0;
  for (int ku = 1; ku <= 92; ++ku) {
    for (int ten = 1; ten <= 94; ++ten) {
      const std::uint16_t code = ShiftJisOf(ku, ten);
      const bool defined = text::Cp932ToUnicode(code) != 0;
      const int slot = FullWidthSlot(ku, ten);
      if (defined && code != 0x8140) {
        EXPECT_TRUE(HasInk(slot)) << std::hex << "0x" << code << " (ku " << std::dec << ku << ", ten " << ten
                                  << ") has no glyph";
        if (!IsJisX0208Row(ku)) ++definedInAddedRows;
      } else {
        EXPECT_EQ(SlotText(slot), kBlankFullWidth) << std::hex << "0x" << code << " should be blank";
      }
    }
  }
  // The NEC row 13 and the IBM rows 89-92 come from the second font; make
  // sure the loop reached them.
  EXPECT_GT(definedInAddedRows, 400);
}

TEST(GlyphFontTest, IdeographicSpaceAndSpaceAreBlank) {
  EXPECT_EQ(SlotText(256), kBlankFullWidth);  // 0x8140
  EXPECT_EQ(SlotText(0x20), kBlankHalfWidth);
}

// Rows top first as the source fonts have them: shnm8x16r and shnmk16 in
// BDF (pcf2bdf), unifont_jp.hex.
struct SourceGlyph {
  const char* name;
  int slot;
  const char* rows;
};

class GlyphSourceTest : public testing::TestWithParam<SourceGlyph> {};

TEST_P(GlyphSourceTest, MatchesTheSourceFont) {
  const SourceGlyph& c = GetParam();
  EXPECT_EQ(Glyph(c.slot), FromHex(c.rows)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Glyphs, GlyphSourceTest,
    testing::Values(
        // JIS X 0201 draws 0x5C as the yen sign and 0x7E as the overline.
        SourceGlyph{"yen_5C", 0x5C, "82 82 44 44 44 28 28 FE 10 FE 10 10 10 10 00 00"},
        SourceGlyph{"overline_7E", 0x7E, "FF 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        SourceGlyph{"M_4D", 0x4D, "00 82 82 C6 C6 C6 AA AA AA 92 92 92 92 82 00 00"},
        SourceGlyph{"katakana_a_B1", 0xB1, "00 00 FE 02 12 12 14 18 10 10 20 20 40 80 00 00"},
        // 凡 0x967D, JIS 0x4B5E in shnmk16.
        SourceGlyph{"bon_967D", FullWidthSlot(43, 62),
                    "0000 07E0 0420 0420 0420 0620 0520 04A0 04A0 0420 0420 0820 0822 1022 201E 4000"},
        // ① 0x8740 and 纊 0xED40 from unifont_jp.hex (U+2460, U+7E8A).
        SourceGlyph{"circled_1_8740", FullWidthSlot(13, 1),
                    "07C0 1830 2008 4104 4304 8502 8102 8102 8102 8102 4104 47C4 2008 1830 07C0 0000"},
        SourceGlyph{"ibm_7E8A_ED40", FullWidthSlot(89, 1),
                    "0810 1010 20FE 14A4 08FE 12A4 26FF 7990 08FE 28D2 2D7E 4B52 497E 0824 08C3 0000"},
        // ⅰ 0xEEEF: Unifont draws U+2170 8 pixels wide; centred in the cell.
        SourceGlyph{"small_roman_1_EEEF", FullWidthSlot(92, 81),
                    "0000 0000 0000 0000 0080 0080 0000 0080 0180 0080 0080 0080 0080 01C0 0000 0000"},
        // ≒ 0x8790 is the same character as 0x81E0: shnmk16's JIS 0x2262.
        SourceGlyph{"nearly_equal_8790", FullWidthSlot(13, 80),
                    "0000 0000 1800 1800 0000 3FFC 0000 0000 0000 3FFC 0000 0018 0018 0000 0000 0000"}),
    [](const testing::TestParamInfo<SourceGlyph>& info) { return std::string(info.param.name); });

TEST(GlyphFontTest, YenIsNotTheBackslash) {
  // 0x5C of shnm8x16a, Shinonome's ISO 8859-1 font of the same design.
  EXPECT_NE(Glyph(0x5C), FromHex("00 80 80 40 40 20 20 10 10 08 08 04 04 02 02 00"));
}

TEST(GlyphFontTest, CharacterListedTwiceDrawsAlike) {
  // Code page 932 repeats some JIS X 0208 characters in the NEC row and the
  // IBM rows (≒ 0x8790 = 0x81E0, ￢ 0xEEF9 = 0x81CA): one glyph for both.
  std::array<int, 0x10000> firstSlot{};
  int repeated = 0;
  for (int ku = 1; ku <= 92; ++ku) {
    for (int ten = 1; ten <= 94; ++ten) {
      const char32_t c = text::Cp932ToUnicode(ShiftJisOf(ku, ten));
      if (c == 0) continue;
      if (firstSlot[c] == 0) {
        firstSlot[c] = FullWidthSlot(ku, ten);
        continue;
      }
      ++repeated;
      EXPECT_EQ(Glyph(FullWidthSlot(ku, ten)), Glyph(firstSlot[c]))
          << std::hex << "0x" << ShiftJisOf(ku, ten) << " U+" << unsigned(c);
    }
  }
  EXPECT_GT(repeated, 0);
}

}  // namespace
}  // namespace borvik::render
