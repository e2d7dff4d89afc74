#include "render/bitmap_text.h"

#include <array>
#include <cstdio>
#include <vector>

#include "render/glyph_font.h"
#include "text/cp932.h"

namespace borvik::render {

namespace {

constexpr int kCellsPerRow = 94;
constexpr int kBlankFullWidthSlot = kHalfWidthSlotCount;  // the ideographic space
constexpr int kSpaceSlot = 0x20;
constexpr int kGlyphRows = 16;
constexpr int kBitmapStride = 4;  // OpenGL's default unpack alignment
constexpr float kPixelSize = 0.003f;  // drawing units per glyph pixel

constexpr bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || b >= 0xE0; }

// How many bytes a byte that starts no two- or three-byte form takes with it.
constexpr std::size_t SkippedForm(unsigned b) {
  if (b >= 0xF0 && b <= 0xF7) return 4;
  if (b >= 0xF8 && b <= 0xFB) return 5;
  if (b == 0xFC || b == 0xFD) return 6;
  return 1;
}

// The slot of a double-byte character: ku and ten by the Shift_JIS rule.
// Anything that falls outside the 92-row table draws the blank full-width
// glyph.
int FullWidthSlot(unsigned s1, unsigned s2) {
  int ku = s1 <= 0x9F ? 2 * int(s1 - 0x81) + 1 : 2 * int(s1 - 0xE0) + 63;
  if (s2 >= 0x9F) ++ku;
  const int ten = s2 < 0x80 ? int(s2) - 0x3F : s2 <= 0x9E ? int(s2) - 0x40 : int(s2) - 0x9E;
  const int slot = kHalfWidthSlotCount + (ku - 1) * kCellsPerRow + (ten - 1);
  return slot > kBlankFullWidthSlot && slot < kGlyphSlotCount ? slot : kBlankFullWidthSlot;
}

constexpr int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return 0;
}

// The slot's text (up to its first zero byte) decoded into rows.
void DecodeSlot(int slot, std::span<std::uint8_t, kGlyphSlotSize> rows) {
  const char* slotText = GlyphFont[slot];
  std::size_t textLength = 0;
  while (textLength < kGlyphSlotSize && slotText[textLength] != '\0') ++textLength;
  DecodeBase64(std::string_view(slotText, textLength), rows);
}

}  // namespace

void Utf8ToShiftJis(const char* text, char (&out)[kShiftJisBufferSize]) {
  // Only the first 511 bytes count; stop at the zero so nothing past it is read.
  std::size_t length = 0;
  while (length < kMaxBitmapTextBytes && text[length] != '\0') ++length;

  std::size_t in = 0;
  std::size_t written = 0;
  const auto put = [&out, &written](unsigned b) { out[written++] = static_cast<char>(b); };
  while (in < length) {
    const unsigned lead = static_cast<unsigned char>(text[in]);
    char32_t cp = 0;
    std::size_t formLength = 1;
    if (lead < 0x80) {
      cp = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      cp = lead & 0x1F;
      formLength = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      cp = lead & 0x0F;
      formLength = 3;
    } else {
      put(' ');
      const std::size_t skip = SkippedForm(lead);
      in = skip < length - in ? in + skip : length;
      continue;
    }
    if (formLength > length - in) {  // cut short by the end: one blank cell
      put(' ');
      break;
    }
    for (std::size_t i = 1; i < formLength; ++i) {
      cp = cp * 64 + (static_cast<unsigned char>(text[in + i]) & 0x3F);
    }
    in += formLength;
    if (cp == 0) continue;

    const std::int32_t code = text::UnicodeToSjis(cp);
    if (code > 0xFF) {
      put(unsigned(code) >> 8);
      put(unsigned(code) & 0xFF);
    } else if (code > 0) {
      put(unsigned(code));
    } else {
      put(' ');
    }
  }
  out[written] = '\0';
}

std::size_t DecodeBase64(std::string_view text, std::span<std::uint8_t> out) {
  if (text.size() % 4 != 0) {
    std::fprintf(stderr, "String length (%u) must be a multiple of 4.\n", static_cast<unsigned>(text.size()));
    return 0;
  }
  std::size_t length = text.size() / 4 * 3;
  if (!text.empty() && text.back() == '=') --length;
  if (text.size() >= 2 && text[text.size() - 2] == '=') --length;
  if (length > out.size()) length = out.size();

  std::size_t written = 0;
  for (std::size_t i = 0; i < text.size() && written < length; i += 4) {
    const std::uint32_t group = std::uint32_t(Base64Value(text[i])) << 18 |
                                std::uint32_t(Base64Value(text[i + 1])) << 12 |
                                std::uint32_t(Base64Value(text[i + 2])) << 6 |
                                std::uint32_t(Base64Value(text[i + 3]));
    for (int shift = 16; shift >= 0 && written < length; shift -= 8) {
      out[written++] = static_cast<std::uint8_t>(group >> shift);
    }
  }
  return length;
}

std::size_t PlaceBitmapText(const char* utf8, float x,
                            std::span<PlacedGlyph, kMaxBitmapTextBytes> out) {
  char sjis[kShiftJisBufferSize];
  Utf8ToShiftJis(utf8, sjis);
  std::size_t count = 0;
  int k = 0;  // half-width cells placed so far
  std::size_t i = 0;
  while (sjis[i] != '\0') {
    const unsigned b = static_cast<unsigned char>(sjis[i]);
    PlacedGlyph& glyph = out[count++];
    glyph.wide = IsLeadByte(b);
    if (glyph.wide) {
      // The conversion always follows a lead byte with its trail byte; a lone
      // one would still stop at the zero.
      const unsigned trail = static_cast<unsigned char>(sjis[i + 1]);
      glyph.slot = trail == 0 ? kBlankFullWidthSlot : FullWidthSlot(b, trail);
      i += trail == 0 ? 1 : 2;
    } else {
      glyph.slot = b <= 0x20 ? kSpaceSlot : int(b);
      i += 1;
    }
    // Every glyph gets its own raster position, so the bitmap's move never
    // accumulates rounding.
    glyph.x = (static_cast<float>(k) * 8) * kPixelSize + x;
    k += glyph.wide ? 2 : 1;
  }
  return count;
}

std::span<const std::uint8_t> DecodedGlyph(int slot) {
  using Rows = std::array<std::uint8_t, kGlyphSlotSize>;
  static const std::vector<Rows> font = [] {
    std::vector<Rows> decoded(kGlyphSlotCount);
    for (int s = 0; s < kGlyphSlotCount; ++s) DecodeSlot(s, decoded[s]);
    return decoded;
  }();
  return {font[slot].data(), slot < kHalfWidthSlotCount ? 16u : 32u};
}

void DrawBitmapText(Canvas& canvas, float x, float y, const char* utf8, GlyphSource source) {
  PlacedGlyph glyphs[kMaxBitmapTextBytes];
  const std::size_t count = PlaceBitmapText(utf8, x, glyphs);

  // Cleared once: each glyph overwrites the bytes its width reads.
  std::uint8_t bitmap[kGlyphRows * kBitmapStride] = {};
  for (std::size_t g = 0; g < count; ++g) {
    const PlacedGlyph& placed = glyphs[g];
    std::uint8_t decoded[kGlyphSlotSize] = {};
    const std::uint8_t* glyph = decoded;
    if (source == GlyphSource::kDecodeEachUse) {
      DecodeSlot(placed.slot, decoded);  // afresh every time; a slot that fails draws blank
    } else {
      glyph = DecodedGlyph(placed.slot).data();
    }
    const int rowBytes = placed.wide ? 2 : 1;
    for (int r = 0; r < kGlyphRows; ++r) {
      for (int j = 0; j < rowBytes; ++j) {
        bitmap[(kGlyphRows - 1 - r) * kBitmapStride + j] = glyph[r * rowBytes + j];
      }
    }
    canvas.Bitmap(placed.x, y, 8 * rowBytes, kGlyphRows, 8.0f * float(rowBytes), bitmap);
  }
}

}  // namespace borvik::render
