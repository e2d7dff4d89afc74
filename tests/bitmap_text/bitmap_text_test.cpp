// Utf8ToShiftJis, the base64 decode of the glyph slots, and DrawBitmapText
// against the recording canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "render/bitmap_text.h"
#include "render/glyph_font.h"
#include "render/recording_canvas.h"

namespace borvik::render {
namespace {

// The text in a heap block of exactly its size, zero included, so that the
// sanitizer build catches any read past the zero.
std::vector<char> ExactCopy(const std::string& text) {
  const std::size_t length = std::strlen(text.c_str());
  return std::vector<char>(text.c_str(), text.c_str() + length + 1);
}

std::string ToShiftJis(const std::string& utf8) {
  const std::vector<char> text = ExactCopy(utf8);
  char out[kShiftJisBufferSize];
  std::memset(out, 'X', sizeof out);
  Utf8ToShiftJis(text.data(), out);
  return std::string(out);
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  for (unsigned char b : bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (!hex.empty()) hex += ' ';
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  return hex;
}

struct ConvertCase {
  const char* name;
  std::string utf8;
  std::string sjis;
};

class Utf8ToShiftJisTest : public testing::TestWithParam<ConvertCase> {};

TEST_P(Utf8ToShiftJisTest, Converts) {
  const ConvertCase& c = GetParam();
  EXPECT_EQ(Hex(ToShiftJis(c.utf8)), Hex(c.sjis)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToShiftJisTest,
    testing::Values(
        ConvertCase{"empty", "", ""},
        ConvertCase{"ascii", "Dep.(m)", "Dep.(m)"},
        ConvertCase{"kanji_and_ideographic_space", "凡　例", "\x96\x7D\x81\x40\x97\xE1"},
        ConvertCase{"yen_and_backslash", "¥\\", "\x5C\x5C"},
        ConvertCase{"overline_and_tilde", "‾~", "~~"},
        ConvertCase{"half_width_katakana", "ｱﾟ", "\xB1\xDF"},
        ConvertCase{"nec_special_row", "①", "\x87\x40"},
        ConvertCase{"nec_selected_ibm", "纊", "\xED\x40"},
        ConvertCase{"ibm_duplicate_takes_lower_code", "ⅰ", "\xEE\xEF"},
        ConvertCase{"best_fit_minus", "−", "\x81\x7C"},
        ConvertCase{"latin_without_code", "À", " "},
        ConvertCase{"hangul_without_code", "가", " "},
        ConvertCase{"emoji_takes_four_bytes", "A😀B", "A B"},
        ConvertCase{"private_use", "\xEE\x80\x80", " "},
        ConvertCase{"surrogate", "\xED\xA0\x80", " "},
        ConvertCase{"controls_become_spaces", "a\nb\tc\x7F\x01", "a b c  "},
        ConvertCase{"c1_control_u0080", "\xC2\x80", " "},
        ConvertCase{"overlong_passes", "\xE0\x81\x81", "A"},
        ConvertCase{"overlong_zero_writes_nothing", "a\xE0\x80\x80z", "az"},
        ConvertCase{"continuation_taken_as_it_comes", "\xE0\x41\x42", "B"},
        ConvertCase{"ascii_as_continuation", "\xCE\x11", "\x83\x9F"},  // U+0391 Α
        ConvertCase{"c0_c1_leads_one_byte_each", "\xC0\xC1" "A", "  A"},
        ConvertCase{"stray_continuation", "\x80" "A", " A"},
        ConvertCase{"five_byte_form", "\xF8\x80\x80\x80\x80" "A", " A"},
        ConvertCase{"six_byte_form", "\xFC\x80\x80\x80\x80\x80" "A", " A"},
        ConvertCase{"fe_ff_one_byte_each", "\xFE\xFF" "A", "  A"},
        // A form cut short by the zero is one blank cell, nothing past it read.
        ConvertCase{"two_byte_cut_short", "A\xC3", "A "},
        ConvertCase{"three_byte_cut_short", "\xE3\x81", " "},
        ConvertCase{"four_byte_cut_short", "A\xF0\x9F", "A "},
        ConvertCase{"zero_inside_a_form", std::string("\xE3\0\x81\x82", 4), " "},
        ConvertCase{"text_ends_at_zero", std::string("A\0B", 3), "A"}),
    [](const testing::TestParamInfo<ConvertCase>& info) { return std::string(info.param.name); });

struct LengthCase {
  const char* name;
  std::string utf8;
  std::string sjis;
};

class Utf8ToShiftJisLengthTest : public testing::TestWithParam<LengthCase> {};

TEST_P(Utf8ToShiftJisLengthTest, UsesOnlyTheFirst511Bytes) {
  const LengthCase& c = GetParam();
  EXPECT_EQ(ToShiftJis(c.utf8), c.sjis) << c.name;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToShiftJisLengthTest,
    testing::Values(
        LengthCase{"ascii_510", std::string(510, 'a'), std::string(510, 'a')},
        LengthCase{"ascii_511", std::string(511, 'a'), std::string(511, 'a')},
        LengthCase{"ascii_600", std::string(600, 'a'), std::string(511, 'a')},
        // 凡 at bytes 509-511: its last byte is past the limit.
        LengthCase{"three_byte_cut_by_limit", std::string(509, 'a') + "凡" + "b", std::string(509, 'a') + " "},
        LengthCase{"three_byte_ends_at_limit", std::string(508, 'a') + "凡" + "b",
                   std::string(508, 'a') + "\x96\x7D"},
        LengthCase{"four_byte_at_limit", std::string(510, 'a') + "😀", std::string(510, 'a') + " "},
        // 255 kanji are 765 bytes: 170 whole ones, then one byte of the next.
        LengthCase{"kanji_600_bytes", Repeat("凡", 255), Repeat("\x96\x7D", 170) + " "}),
    [](const testing::TestParamInfo<LengthCase>& info) { return std::string(info.param.name); });

TEST(DecodeBase64Test, Rfc4648Vectors) {
  const struct {
    const char* text;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"", {}},
      {"Zg==", {'f'}},
      {"Zm8=", {'f', 'o'}},
      {"Zm9v", {'f', 'o', 'o'}},
      {"Zm9vYg==", {'f', 'o', 'o', 'b'}},
      {"Zm9vYmE=", {'f', 'o', 'o', 'b', 'a'}},
      {"Zm9vYmFy", {'f', 'o', 'o', 'b', 'a', 'r'}},
      {"+/+/", {0xFB, 0xFF, 0xBF}},
      {"AP8A/w==", {0x00, 0xFF, 0x00, 0xFF}},
  };
  for (const auto& c : cases) {
    std::array<std::uint8_t, 16> out{};
    const std::size_t length = DecodeBase64(c.text, out);
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + length), c.bytes) << c.text;
  }
}

TEST(DecodeBase64Test, NeverWritesPastTheBuffer) {
  std::array<std::uint8_t, 4> out{};
  EXPECT_EQ(DecodeBase64("Zm9vYmFy", std::span(out).first(2)), 2u);
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{'f', 'o', 0, 0}));
}

TEST(DecodeBase64Test, LengthNotAMultipleOf4IsReportedAndNotDecoded) {
  for (const char* text : {"Zm9", "Zm9vY", "A"}) {
    std::array<std::uint8_t, 8> out{};
    testing::internal::CaptureStderr();
    EXPECT_EQ(DecodeBase64(text, out), 0u) << text;
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "String length (" + std::to_string(std::strlen(text)) + ") must be a multiple of 4.\n");
    EXPECT_EQ(out, (std::array<std::uint8_t, 8>{})) << text;
  }
}

// --- DrawBitmapText ---------------------------------------------------------

constexpr float kX = 0.35f;
constexpr float kY = -0.7f;
constexpr int kSpace = 0x20;

constexpr int Full(int ku, int ten) { return 256 + (ku - 1) * 94 + (ten - 1); }

// A slot's glyph as the bitmap call reads it: bottom row first, stride 4,
// only the bytes the glyph's width covers.
std::vector<std::uint8_t> ExpectedRows(int slot) {
  const int rowBytes = slot < kHalfWidthSlotCount ? 1 : 2;
  std::array<std::uint8_t, kGlyphSlotSize> glyph{};
  DecodeBase64({GlyphFont[slot], strnlen(GlyphFont[slot], kGlyphSlotSize)}, glyph);
  std::vector<std::uint8_t> rows;
  for (int r = 15; r >= 0; --r) {
    for (int j = 0; j < rowBytes; ++j) rows.push_back(glyph[r * rowBytes + j]);
  }
  return rows;
}

std::vector<std::uint8_t> DrawnRows(const op::Bitmap& b) {
  std::vector<std::uint8_t> rows;
  for (int r = 0; r < 16; ++r) {
    for (int j = 0; j < b.width / 8; ++j) rows.push_back(b.rows[r * 4 + j]);
  }
  return rows;
}

std::vector<op::Bitmap> Draw(const std::string& utf8) {
  RecordingCanvas canvas;
  const std::vector<char> text = ExactCopy(utf8);
  DrawBitmapText(canvas, kX, kY, text.data());
  const auto bitmaps = canvas.All<op::Bitmap>();
  EXPECT_EQ(bitmaps.size(), canvas.Ops().size()) << "only bitmap calls";
  return bitmaps;
}

struct Cell {
  int k;  // half-width cells before the glyph
  int slot;
};

struct DrawCase {
  const char* name;
  std::string utf8;
  std::vector<Cell> cells;
};

class DrawBitmapTextTest : public testing::TestWithParam<DrawCase> {};

TEST_P(DrawBitmapTextTest, OneBitmapPerGlyphAtItsCell) {
  const DrawCase& c = GetParam();
  const std::vector<op::Bitmap> drawn = Draw(c.utf8);
  ASSERT_EQ(drawn.size(), c.cells.size()) << c.name;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const op::Bitmap& b = drawn[i];
    const Cell& cell = c.cells[i];
    const int width = cell.slot < kHalfWidthSlotCount ? 8 : 16;
    SCOPED_TRACE(testing::Message() << c.name << " glyph " << i << " slot " << cell.slot);
    EXPECT_EQ(b.x, (static_cast<float>(cell.k) * 8) * 0.003f + kX);  // single precision, as drawn
    EXPECT_NEAR(b.x, kX + cell.k * 0.024, 1e-6);
    EXPECT_EQ(b.y, kY);
    EXPECT_EQ(b.width, width);
    EXPECT_EQ(b.height, 16);
    EXPECT_EQ(b.moveX, float(width));
    EXPECT_EQ(DrawnRows(b), ExpectedRows(cell.slot));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawBitmapTextTest,
    testing::Values(
        DrawCase{"one_half_width", "M", {{0, 'M'}}},
        // 凡 0x967D, 例 0x97E1; the ideographic space is the blank slot 256.
        DrawCase{"full_width_with_ideographic_space", "凡　例", {{0, Full(43, 62)}, {2, 256}, {4, Full(46, 67)}}},
        // 深 0x905B after seven half-width cells: x + 0.168.
        DrawCase{"mixed_widths",
                 "Dep.(m)深",
                 {{0, 'D'}, {1, 'e'}, {2, 'p'}, {3, '.'}, {4, '('}, {5, 'm'}, {6, ')'}, {7, Full(31, 28)}}},
        DrawCase{"yen_and_backslash_draw_the_yen", "¥\\", {{0, 0x5C}, {1, 0x5C}}},
        DrawCase{"half_width_katakana", "ｱ", {{0, 0xB1}}},
        DrawCase{"latin_without_code_blank_cell", "ÀA", {{0, kSpace}, {1, 'A'}}},
        DrawCase{"hangul_blank_cell", "가A", {{0, kSpace}, {1, 'A'}}},
        DrawCase{"emoji_blank_cell_four_bytes", "A😀B", {{0, 'A'}, {1, kSpace}, {2, 'B'}}},
        DrawCase{"line_feed_blank_cell_same_line", "a\nb", {{0, 'a'}, {1, kSpace}, {2, 'b'}}},
        // A half-width glyph after a full-width one: the stale second byte of
        // each buffer row is outside its width.
        DrawCase{"half_after_full", "凡M", {{0, Full(43, 62)}, {2, 'M'}}},
        DrawCase{"nec_special_row", "①", {{0, Full(13, 1)}}},
        DrawCase{"nec_selected_ibm", "纊", {{0, Full(89, 1)}}},
        DrawCase{"ibm_duplicate_lower_code", "ⅰ", {{0, Full(92, 81)}}}),
    [](const testing::TestParamInfo<DrawCase>& info) { return std::string(info.param.name); });

TEST(DrawBitmapTextTest, GlyphRowsGoBottomFirst) {
  // M of shnm8x16r, top row first.
  const std::uint8_t top[16] = {0x00, 0x82, 0x82, 0xC6, 0xC6, 0xC6, 0xAA, 0xAA,
                                0xAA, 0x92, 0x92, 0x92, 0x92, 0x82, 0x00, 0x00};
  const std::vector<op::Bitmap> drawn = Draw("M");
  ASSERT_EQ(drawn.size(), 1u);
  for (int r = 0; r < 16; ++r) EXPECT_EQ(drawn[0].rows[(15 - r) * 4], top[r]) << "row " << r;
}

TEST(DrawBitmapTextTest, ExtendedRowsAndKanaHaveInk) {
  for (const char* text : {"①", "纊", "ⅰ", "M", "ｱ", "¥", "凡"}) {
    const std::vector<op::Bitmap> drawn = Draw(text);
    ASSERT_EQ(drawn.size(), 1u) << text;
    const std::vector<std::uint8_t> rows = DrawnRows(drawn[0]);
    EXPECT_NE(rows, std::vector<std::uint8_t>(rows.size(), 0)) << text;
  }
}

TEST(DrawBitmapTextTest, NothingToDrawIssuesNoCall) {
  for (const char* text : {"", "\xE0\x80\x80"}) {  // the second is code point 0
    RecordingCanvas canvas;
    DrawBitmapText(canvas, kX, kY, text);
    EXPECT_TRUE(canvas.Ops().empty()) << Hex(text);
  }
}

TEST(DrawBitmapTextTest, DrawsOnlyTheFirst511Bytes) {
  const std::vector<op::Bitmap> drawn = Draw(std::string(600, 'a'));
  ASSERT_EQ(drawn.size(), 511u);
  EXPECT_EQ(drawn.back().x, (510.0f * 8) * 0.003f + kX);
}

TEST(DrawBitmapTextTest, TheFontDecodedOnceDrawsWhatDecodingAtEveryUseDraws) {
  // Every slot: each half-width byte, each double-byte code of the table.
  for (int slot = 0; slot < kGlyphSlotCount; ++slot) {
    std::uint8_t afresh[kGlyphSlotSize] = {};
    const std::size_t length = DecodeBase64(GlyphFont[slot], afresh);
    const std::span<const std::uint8_t> once = DecodedGlyph(slot);
    ASSERT_EQ(once.size(), length) << slot;
    ASSERT_TRUE(std::equal(once.begin(), once.end(), afresh)) << slot;
  }
  for (const std::string& text :
       {std::string("Dep.(m)  -35 凡　例 ｱ\xC2\xA5"), std::string(600, 'W')}) {
    RecordingCanvas literal;
    RecordingCanvas fast;
    DrawBitmapText(literal, kX, kY, text.c_str(), GlyphSource::kDecodeEachUse);
    DrawBitmapText(fast, kX, kY, text.c_str(), GlyphSource::kDecodedOnce);
    const auto a = literal.All<op::Bitmap>();
    const auto b = fast.All<op::Bitmap>();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
      EXPECT_TRUE(a[i].x == b[i].x && a[i].width == b[i].width && a[i].rows == b[i].rows) << i;
    }
  }
}

}  // namespace
}  // namespace borvik::render
