#pragma once
// Code page 932 (Shift_JIS as Windows has it) in both directions, from the
// generated tables in cp932_tables.cpp. No iconv: the same bytes on every
// platform.

#include <cstdint>
#include <string>
#include <string_view>

namespace borvik::text {

// Size of UnicodeToSjisTable: U+0000..U+9FFF, then U+F900..U+FFFF at c - 0x5900.
inline constexpr int kUnicodeToSjisTableSize = 0xA700;

// The Unicode -> Shift_JIS table of the bitmap text and of every CP932 write:
// a single-byte code as its byte, a double-byte code as lead * 256 + trail,
// 0 where the character has no code. Where the code page gives a character
// several codes it holds the lowest (NEC 0x87xx and NEC-selected 0xED/0xEE
// rather than IBM 0xFA-0xFC); U+00A5 -> 0x5C, U+203E -> 0x7E and the six JIS
// X 0208 best fits are mapped; controls and private-use characters are not.
// See tools/gen_cp932_tables.py.
extern const std::int32_t UnicodeToSjisTable[kUnicodeToSjisTableSize];

// The table entry for a code point; 0 for code points without an entry
// (U+A000..U+F8FF and everything above U+FFFF).
std::int32_t UnicodeToSjis(char32_t cp);

// The Unicode character that code page 932 gives a single byte or a
// double-byte code (lead * 256 + trail); 0 where it defines none (a lead byte
// alone, an undefined pair). Byte 0x00 gives U+0000.
char32_t Cp932ToUnicode(std::uint16_t code);

// UTF-8 -> CP932 bytes: ASCII (controls included) as itself, everything else
// through UnicodeToSjisTable. A character without a code (and any invalid
// UTF-8) becomes '?', the code page's default character. *lossless, when
// given, tells whether every character had a code. The output is never longer
// than the input.
std::string Utf8ToCp932(std::string_view utf8, bool* lossless = nullptr);

// CP932 bytes -> UTF-8 following code page 932. A byte pair the code page
// does not define, or a lead byte at the end, becomes U+30FB (the code
// page's default Unicode character): both bytes are consumed when the second
// is a trail byte (0x40-0x7E, 0x80-0xFC), otherwise only the lead byte, so
// the next byte is read on its own. Never reads past bytes.size().
std::string Cp932ToUtf8(std::string_view bytes);

// True when every character of the UTF-8 text has a CP932 code, so that a
// file in the code page stores it faithfully.
bool IsCp932Representable(std::string_view utf8);

}  // namespace borvik::text
