#pragma once
// The built-in font of the bitmap text (generated: glyph_font_data.cpp, by
// tools/gen_glyph_font.py). Each slot holds one glyph as standard base64
// text followed by zero bytes:
//   slots 0-255     8 x 16 glyphs by the single byte: 16 bytes, one per row;
//   slots 256-8903  16 x 16 glyphs, slot 256 + (ku - 1) * 94 + (ten - 1) for
//                   row ku, cell ten of the Shift_JIS double-byte table
//                   (ku 1-92): 32 bytes, two per row, left byte first.
// Rows run top first, the most significant bit is the leftmost pixel. Slot
// 32 (the space) stands for every byte up to 0x20; slot 256 (the ideographic
// space) and every cell code page 932 leaves undefined are blank.

namespace borvik::render {

inline constexpr int kHalfWidthSlotCount = 256;
inline constexpr int kGlyphSlotCount = 8904;  // 256 + 92 * 94
inline constexpr int kGlyphSlotSize = 48;

extern const char GlyphFont[kGlyphSlotCount][kGlyphSlotSize];

}  // namespace borvik::render
