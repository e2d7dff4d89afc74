// libFuzzer target of src/text/: Cp932ToUtf8, Utf8ToCp932, IsCp932Representable.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/cp932.h"
#include "text/utf8.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "cp932_fuzz: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace borvik::text;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // CP932 -> UTF-8: always well-formed; one byte or a pair gives one
  // character of at most 3 UTF-8 bytes (everything is in the BMP).
  const std::string utf8 = Cp932ToUtf8(bytes);
  Check(IsValidUtf8(utf8), "Cp932ToUtf8 gave invalid UTF-8");
  Check(utf8.size() <= 3 * size, "Cp932ToUtf8 output longer than 3 bytes per input byte");

  // ... and back: where every character has a code, decoding the encoding
  // gives the same text again (the extra mappings never come out of a decode).
  bool lossless = false;
  const std::string again = Utf8ToCp932(utf8, &lossless);
  Check(lossless == IsCp932Representable(utf8), "IsCp932Representable disagrees (decoded text)");
  if (lossless) Check(Cp932ToUtf8(again) == utf8, "decode(encode(decode(x))) != decode(x)");

  // The bytes as UTF-8 -> CP932. Each input sequence gives at most as many
  // bytes as it has: 1-byte ASCII or an invalid byte -> 1 byte, a 2- or
  // 3-byte character -> at most 2, a 4-byte character -> '?'.
  lossless = false;
  const std::string cp932 = Utf8ToCp932(bytes, &lossless);
  Check(cp932.size() <= size, "Utf8ToCp932 output longer than its input");
  Check(lossless == IsCp932Representable(bytes), "IsCp932Representable disagrees with *lossless");
  if (lossless) Check(IsValidUtf8(bytes), "lossless on invalid UTF-8");
  return 0;
}
