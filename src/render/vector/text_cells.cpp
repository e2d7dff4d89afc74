#include "render/vector/text_cells.h"

#include "render/bitmap_text.h"
#include "text/cp932.h"

namespace borvik::render::vector {
namespace {

// As the bitmap text reads its Shift_JIS.
constexpr bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || b >= 0xE0; }

constexpr char32_t kIdeographicSpace = U'\u3000';

char32_t SingleByteCharacter(unsigned b) {
  if (b <= 0x20) return U' ';
  if (b == 0x5C) return U'\u00A5';
  if (b == 0x7E) return U'\u203E';
  const char32_t c = text::Cp932ToUnicode(static_cast<std::uint16_t>(b));
  return c == 0 ? U' ' : c;
}

}  // namespace

std::vector<TextCell> TextCells(const char* utf8) {
  char sjis[kShiftJisBufferSize];
  Utf8ToShiftJis(utf8, sjis);
  std::vector<TextCell> cells;
  int k = 0;
  for (std::size_t i = 0; sjis[i] != '\0';) {
    const unsigned b = static_cast<unsigned char>(sjis[i]);
    if (IsLeadByte(b)) {
      const unsigned trail = static_cast<unsigned char>(sjis[i + 1]);
      char32_t c = kIdeographicSpace;
      if (trail != 0) {
        const char32_t decoded = text::Cp932ToUnicode(static_cast<std::uint16_t>(b << 8 | trail));
        if (decoded != 0) c = decoded;
      }
      cells.push_back({c, k, 2});
      k += 2;
      i += trail == 0 ? 1 : 2;
    } else {
      cells.push_back({SingleByteCharacter(b), k, 1});
      k += 1;
      i += 1;
    }
  }
  return cells;
}

}  // namespace borvik::render::vector
