#pragma once
// Numbers in text files: written like %g with six significant digits and
// read with strtof/strtol prefix rules, always with a full stop as the
// decimal point whatever the user's locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace borvik::files {

void AppendFloat(std::string& out, float value);
void AppendInt(std::string& out, std::int32_t value);

enum class NumberError { None, NoNumber, OutOfRange };

struct FloatParse {
  float value = 0.0f;
  NumberError error = NumberError::None;
};
struct IntParse {
  std::int32_t value = 0;
  NumberError error = NumberError::None;
};

// The longest prefix (after leading white space) that forms a decimal
// floating-point number; the rest of the field is ignored. No prefix, or a
// value beyond the float range, is an error; so are inf and nan, which are
// not decimal numbers.
FloatParse ParseFloatPrefix(std::string_view field);

// The longest prefix (after leading white space) that forms a base-10
// integer: 1.5 reads 1 and 12abc reads 12. Values outside int32 are errors.
IntParse ParseIntPrefix(std::string_view field);

}  // namespace borvik::files
