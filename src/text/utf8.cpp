#include "text/utf8.h"

#include <cstdint>

namespace borvik::text {
namespace {

// Decodes the well-formed sequence at bytes[pos]; returns its length, or 0
// when the bytes there are not well-formed UTF-8 (RFC 3629 / Unicode Table 3-7).
std::size_t DecodeWellFormed(std::string_view bytes, std::size_t pos, char32_t& cp) {
  const std::size_t left = bytes.size() - pos;
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[pos + i]); };
  const std::uint8_t b0 = byte(0);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  std::size_t length;
  std::uint8_t low = 0x80;   // allowed range of the second byte
  std::uint8_t high = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    cp = b0 & 0x0F;
    if (b0 == 0xE0) low = 0xA0;   // overlong below U+0800
    if (b0 == 0xED) high = 0x9F;  // surrogates U+D800..U+DFFF
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    cp = b0 & 0x07;
    if (b0 == 0xF0) low = 0x90;   // overlong below U+10000
    if (b0 == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;  // continuation byte, C0/C1 (always overlong) or F5..FF
  }
  if (left < length) return 0;
  const std::uint8_t b1 = byte(1);
  if (b1 < low || b1 > high) return 0;
  cp = (cp << 6) | (b1 & 0x3F);
  for (std::size_t i = 2; i < length; ++i) {
    const std::uint8_t b = byte(i);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  return length;
}

}  // namespace

char32_t DecodeUtf8At(std::string_view bytes, std::size_t& pos) {
  if (pos >= bytes.size()) return kReplacementCharacter;
  char32_t cp = 0;
  const std::size_t length = DecodeWellFormed(bytes, pos, cp);
  if (length == 0) {
    ++pos;
    return kReplacementCharacter;
  }
  pos += length;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacementCharacter;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    char32_t cp = 0;
    const std::size_t length = DecodeWellFormed(bytes, pos, cp);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

}  // namespace borvik::text
