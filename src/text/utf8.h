#pragma once
// UTF-8 helpers shared by the CP932 conversions and the readers of outside text.

#include <cstddef>
#include <string>
#include <string_view>

namespace borvik::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes one code point starting at bytes[pos] and advances pos past it.
// Strict: overlong forms, surrogates, values above U+10FFFF, stray
// continuation bytes and truncated sequences give U+FFFD and consume one byte,
// the way a platform UTF-8 decoder replaces what it cannot read. Never reads
// past bytes.size(); with pos at or past the end it returns U+FFFD and leaves
// pos alone, so loop on pos < bytes.size().
char32_t DecodeUtf8At(std::string_view bytes, std::size_t& pos);

// Appends the UTF-8 form of a code point (U+FFFD for an invalid one).
void AppendUtf8(std::string& out, char32_t cp);

// True when the bytes are well-formed UTF-8 (the strict rules above; an
// encoded U+FFFD is well-formed).
bool IsValidUtf8(std::string_view bytes);

}  // namespace borvik::text
