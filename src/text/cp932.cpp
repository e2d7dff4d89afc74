#include "text/cp932.h"

#include "text/utf8.h"

namespace borvik::text {

namespace detail {
// Defined in the generated cp932_tables.cpp (see tools/gen_cp932_tables.py).
inline constexpr int kCp932LeadCount = 60;    // 0x81-0x9F, 0xE0-0xFC
inline constexpr int kCp932TrailCount = 189;  // 0x40-0xFC
extern const std::uint16_t kCp932SingleByteToUnicode[256];
extern const std::uint16_t kCp932DoubleByteToUnicode[kCp932LeadCount * kCp932TrailCount];
}  // namespace detail

namespace {

constexpr char32_t kDefaultUnicodeCharacter = 0x30FB;  // KATAKANA MIDDLE DOT
constexpr char kDefaultCharacter = '?';

constexpr bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsTrailByte(unsigned b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Row of the lead byte in the double-byte table.
constexpr int LeadIndex(unsigned lead) { return lead <= 0x9F ? int(lead - 0x81) : int(lead - 0xE0 + 0x1F); }

char32_t DoubleByteToUnicode(unsigned lead, unsigned trail) {
  return detail::kCp932DoubleByteToUnicode[LeadIndex(lead) * detail::kCp932TrailCount + int(trail - 0x40)];
}

constexpr std::int32_t kNoCode = -1;

// The code of a code point in the code page. ASCII, controls included, is
// itself there; the table leaves controls out only because they have no glyph.
std::int32_t CodeOf(char32_t cp) {
  if (cp < 0x80) return static_cast<std::int32_t>(cp);
  const std::int32_t code = UnicodeToSjis(cp);
  return code == 0 ? kNoCode : code;
}

// Hands the code of each code point of the UTF-8 text (kNoCode for none,
// invalid UTF-8 included) to sink until sink returns false; true when every
// code point it looked at had a code.
template <typename Sink>
bool EncodeUtf8(std::string_view utf8, Sink&& sink) {
  bool lossless = true;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::int32_t code = CodeOf(DecodeUtf8At(utf8, pos));
    if (code == kNoCode) lossless = false;
    if (!sink(code)) break;
  }
  return lossless;
}

}  // namespace

std::int32_t UnicodeToSjis(char32_t cp) {
  if (cp <= 0x9FFF) return UnicodeToSjisTable[cp];
  if (cp >= 0xF900 && cp <= 0xFFFF) return UnicodeToSjisTable[cp - 0x5900];
  return 0;
}

char32_t Cp932ToUnicode(std::uint16_t code) {
  if (code <= 0xFF) return detail::kCp932SingleByteToUnicode[code];
  const unsigned lead = code >> 8;
  const unsigned trail = code & 0xFF;
  if (!IsLeadByte(lead) || trail < 0x40 || trail > 0xFC) return 0;
  return DoubleByteToUnicode(lead, trail);
}

std::string Utf8ToCp932(std::string_view utf8, bool* lossless) {
  std::string out;
  out.reserve(utf8.size());
  const bool all = EncodeUtf8(utf8, [&out](std::int32_t code) {
    if (code == kNoCode) {
      out.push_back(kDefaultCharacter);
    } else if (code <= 0xFF) {
      out.push_back(static_cast<char>(code));
    } else {
      out.push_back(static_cast<char>(code >> 8));
      out.push_back(static_cast<char>(code & 0xFF));
    }
    return true;
  });
  if (lossless) *lossless = all;
  return out;
}

std::string Cp932ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  std::size_t i = 0;
  while (i < bytes.size()) {
    const unsigned b = static_cast<unsigned char>(bytes[i]);
    if (!IsLeadByte(b)) {
      const char32_t cp = detail::kCp932SingleByteToUnicode[b];
      AppendUtf8(out, (cp == 0 && b != 0) ? kDefaultUnicodeCharacter : cp);
      ++i;
      continue;
    }
    if (i + 1 >= bytes.size()) {  // lead byte at the end
      AppendUtf8(out, kDefaultUnicodeCharacter);
      ++i;
      continue;
    }
    const unsigned trail = static_cast<unsigned char>(bytes[i + 1]);
    if (!IsTrailByte(trail)) {  // the lead byte alone; the next byte stands on its own
      AppendUtf8(out, kDefaultUnicodeCharacter);
      ++i;
      continue;
    }
    const char32_t cp = DoubleByteToUnicode(b, trail);
    AppendUtf8(out, cp != 0 ? cp : kDefaultUnicodeCharacter);
    i += 2;
  }
  return out;
}

bool IsCp932Representable(std::string_view utf8) {
  return EncodeUtf8(utf8, [](std::int32_t code) { return code != kNoCode; });
}

}  // namespace borvik::text
