// libFuzzer target of the bitmap text: Utf8ToShiftJis and DrawBitmapText on
// any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "render/bitmap_text.h"
#include "render/recording_canvas.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "shift_jis_fuzz: %s\n", what);
    std::abort();
  }
}

bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || b >= 0xE0; }

// What the lenient conversion must give for well-formed UTF-8 without
// characters beyond U+FFFF: each character's code, or a space.
std::string ExpectedForValidText(std::string_view utf8) {
  std::string out;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::int32_t code = borvik::text::UnicodeToSjis(borvik::text::DecodeUtf8At(utf8, pos));
    if (code > 0xFF) {
      out.push_back(static_cast<char>(code >> 8));
      out.push_back(static_cast<char>(code & 0xFF));
    } else {
      out.push_back(code == 0 ? ' ' : static_cast<char>(code));
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace borvik::render;
  // The text up to its first zero, in a block that ends right after the zero,
  // so that any read past it is caught by the address sanitizer.
  const std::size_t length = strnlen(reinterpret_cast<const char*>(data), size);
  const std::unique_ptr<char[]> text(new char[length + 1]);
  std::memcpy(text.get(), data, length);
  text[length] = '\0';

  char sjis[kShiftJisBufferSize];
  Utf8ToShiftJis(text.get(), sjis);
  const std::size_t used = length < kMaxBitmapTextBytes ? length : kMaxBitmapTextBytes;
  const std::size_t sjisLength = strnlen(sjis, sizeof sjis);
  Check(sjisLength < sizeof sjis, "output not terminated");
  Check(sjisLength <= used, "output longer than the bytes used");

  // The output is a sequence of whole characters: single bytes 0x20-0xDF
  // (no lead byte) and lead bytes with a trail byte.
  std::size_t cells = 0;
  for (std::size_t i = 0; i < sjisLength; ++cells) {
    const unsigned b = static_cast<unsigned char>(sjis[i]);
    if (IsLeadByte(b)) {
      Check(i + 1 < sjisLength, "lead byte without trail byte");
      const unsigned trail = static_cast<unsigned char>(sjis[i + 1]);
      Check(trail >= 0x40 && trail <= 0xFC && trail != 0x7F, "bad trail byte");
      Check(b <= 0xEE, "code beyond JIS row 92");
      i += 2;
    } else {
      Check(b >= 0x20 && b <= 0xDF && b != 0x7F && b != 0x80 && b != 0xA0, "bad single byte");
      i += 1;
    }
  }

  // On well-formed text the lenient decoder agrees with the strict one.
  const std::string_view usedText(text.get(), used);
  if (borvik::text::IsValidUtf8(usedText)) {
    bool beyondBmp = false;
    for (char c : usedText) beyondBmp = beyondBmp || static_cast<unsigned char>(c) >= 0xF0;
    if (!beyondBmp) Check(ExpectedForValidText(usedText) == sjis, "differs from the strict decoder");
  }

  // One bitmap per character, cells left to right, nothing else drawn.
  RecordingCanvas canvas;
  DrawBitmapText(canvas, 0.25f, -0.5f, text.get());
  const auto bitmaps = canvas.All<op::Bitmap>();
  Check(bitmaps.size() == canvas.Ops().size(), "a call other than Bitmap");
  Check(bitmaps.size() == cells, "not one bitmap per character");
  int k = 0;
  for (const op::Bitmap& b : bitmaps) {
    Check(b.width == 8 || b.width == 16, "bad width");
    Check(b.height == 16 && b.moveX == float(b.width) && b.y == -0.5f, "bad bitmap call");
    Check(b.x == (static_cast<float>(k) * 8) * 0.003f + 0.25f, "bad raster position");
    k += b.width / 8;
  }
  return 0;
}
