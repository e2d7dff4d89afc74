#pragma once
// The text of a boring exchange file. Real files often declare shift_jis
// and hold UTF-8, so the bytes decide, never the declaration alone: well-
// formed UTF-8 is UTF-8, a UTF-16 byte-order mark is UTF-16, and anything
// else is code page 932 through the program's own decoder.

#include <string>
#include <string_view>

namespace borvik::exchange {

enum class TextEncoding { kUtf8, kCp932, kUtf16 };

struct DecodedText {
  std::string utf8;  // without a byte-order mark
  TextEncoding encoding = TextEncoding::kUtf8;
  std::string declared;  // the XML declaration's encoding="...", empty when none
};

DecodedText DecodeExchangeText(std::string_view bytes);

}  // namespace borvik::exchange
