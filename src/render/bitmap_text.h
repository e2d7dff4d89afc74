#pragma once
// Text in the drawing: UTF-8 -> Shift_JIS -> glyphs of the built-in font
// (glyph_font.h), each placed with one raster position and one bitmap. No
// system font, no allocation.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "render/canvas.h"

namespace borvik::render {

// Room for the Shift_JIS form of the longest text drawn (511 bytes) and its
// terminating zero.
inline constexpr std::size_t kShiftJisBufferSize = 512;
inline constexpr std::size_t kMaxBitmapTextBytes = kShiftJisBufferSize - 1;

// Converts the first 511 bytes (at most) of the zero-terminated UTF-8 text to
// zero-terminated Shift_JIS in out. Lenient, as the drawing wants it:
//   * a byte below 0x80 is itself; 0xC2-0xDF and 0xE0-0xEF lead two- and
//     three-byte forms whose following bytes count by their low six bits,
//     whatever they are (overlong forms pass: E0 81 81 is "A");
//   * any other byte writes one space and is skipped with the bytes its form
//     announces (4 in all for 0xF0-0xF7, 5 for 0xF8-0xFB, 6 for 0xFC-0xFD,
//     else 1), so a character beyond U+FFFF is one blank cell;
//   * a form cut short by the end of the text (the zero, or the 511-byte
//     limit) writes one space; nothing past the zero is read;
//   * code point 0 writes nothing; a character without a Shift_JIS code
//     (controls, line feeds and tabs included) writes a space.
// The output is never longer than the input.
void Utf8ToShiftJis(const char* text, char (&out)[kShiftJisBufferSize]);

// Where a glyph's rows come from: the font's base64 text decoded at every
// use, or the whole font decoded once for the program's life. Both give the
// same rows.
enum class GlyphSource { kDecodeEachUse, kDecodedOnce };

// One glyph of a text: its font slot, whether it is full width (16 pixels,
// two cells) and the x of its lower-left corner.
struct PlacedGlyph {
  int slot = 0;
  bool wide = false;
  float x = 0.0f;
};

// The glyphs of the zero-terminated UTF-8 text in drawing order, the first
// at x, glyph k at x + k * 8 * 0.003 (k counting half-width cells, in single
// precision); returns how many.
std::size_t PlaceBitmapText(const char* utf8, float x,
                            std::span<PlacedGlyph, kMaxBitmapTextBytes> out);

// The rows of a glyph, top first: 16 bytes for a half-width slot, 32 (two
// per row) for a full-width one, from the font decoded once.
std::span<const std::uint8_t> DecodedGlyph(int slot);

// Draws the zero-terminated UTF-8 text with its first glyph's lower-left
// corner at (x, y) in drawing units, in the canvas's current colour: an
// 8 x 16 glyph per single-byte character, 16 x 16 per double-byte one, each
// with one Bitmap call at its PlaceBitmapText position. A text that converts
// to nothing issues no canvas call.
void DrawBitmapText(Canvas& canvas, float x, float y, const char* utf8,
                    GlyphSource source = GlyphSource::kDecodeEachUse);

// Decodes standard base64 (RFC 4648 alphabet, "=" padding) into out and
// returns the decoded length: three bytes per four characters less one for
// each "=" among the last two, capped at out.size(). Text whose length is not
// a multiple of 4 is reported on stderr and not decoded (returns 0). A
// character outside the alphabet counts as zero bits.
std::size_t DecodeBase64(std::string_view text, std::span<std::uint8_t> out);

}  // namespace borvik::render
