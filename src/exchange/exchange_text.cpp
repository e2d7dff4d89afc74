#include "exchange/exchange_text.h"

#include <cstdint>

#include "text/cp932.h"
#include "text/utf8.h"

namespace borvik::exchange {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  const auto unit = [&](std::size_t i) -> char32_t {
    const auto hi = static_cast<std::uint8_t>(bytes[bigEndian ? i : i + 1]);
    const auto lo = static_cast<std::uint8_t>(bytes[bigEndian ? i + 1 : i]);
    return static_cast<char32_t>(hi << 8 | lo);
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t cp = unit(i);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    // A lone surrogate comes out as U+FFFD.
    text::AppendUtf8(out, cp);
  }
  return out;
}

// encoding="..." of an XML declaration at the start of the text.
std::string DeclaredEncoding(std::string_view text) {
  if (text.substr(0, 5) != "<?xml") return {};
  const std::string_view declaration = text.substr(0, text.find("?>"));
  const std::size_t key = declaration.find("encoding");
  if (key == std::string_view::npos) return {};
  const std::size_t quote = declaration.find_first_of("\"'", key);
  if (quote == std::string_view::npos) return {};
  const std::size_t end = declaration.find(declaration[quote], quote + 1);
  if (end == std::string_view::npos) return {};
  return std::string(declaration.substr(quote + 1, end - quote - 1));
}

}  // namespace

DecodedText DecodeExchangeText(std::string_view bytes) {
  DecodedText decoded;
  if (bytes.size() >= 2 && (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")) {
    decoded.encoding = TextEncoding::kUtf16;
    decoded.utf8 = Utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE');
  } else {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
    if (text::IsValidUtf8(bytes)) {
      decoded.encoding = TextEncoding::kUtf8;
      decoded.utf8 = std::string(bytes);
    } else {
      decoded.encoding = TextEncoding::kCp932;
      decoded.utf8 = text::Cp932ToUtf8(bytes);
    }
  }
  decoded.declared = DeclaredEncoding(decoded.utf8);
  return decoded;
}

}  // namespace borvik::exchange
