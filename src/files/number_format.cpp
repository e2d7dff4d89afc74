#include "files/number_format.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace borvik::files {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpace(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  return i;
}

std::size_t SkipDigits(std::string_view s, std::size_t i) {
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i;
}

}  // namespace

void AppendFloat(std::string& out, float value) {
  // to_chars in general format with a precision is printf's %g, minus the
  // locale.
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                 std::chars_format::general, 6);
  if (ec != std::errc{}) return;  // cannot happen with 64 bytes
  out.append(buf, end);
}

void AppendInt(std::string& out, std::int32_t value) {
  char buf[16];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  if (ec != std::errc{}) return;
  out.append(buf, end);
}

FloatParse ParseFloatPrefix(std::string_view field) {
  std::size_t begin = SkipSpace(field);
  std::size_t i = begin;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  const std::size_t mantissa = i;
  std::size_t j = SkipDigits(field, i);
  bool digits = j > i;
  if (j < field.size() && field[j] == '.') {
    const std::size_t k = SkipDigits(field, j + 1);
    digits = digits || k > j + 1;
    j = k;
  }
  if (!digits) return {0.0f, NumberError::NoNumber};
  // An exponent counts only when digits follow it.
  if (j < field.size() && (field[j] == 'e' || field[j] == 'E')) {
    std::size_t k = j + 1;
    if (k < field.size() && (field[k] == '+' || field[k] == '-')) ++k;
    const std::size_t e = SkipDigits(field, k);
    if (e > k) j = e;
  }
  // from_chars takes no plus sign; parse the unsigned text, then apply it.
  std::string_view number = field.substr(mantissa, j - mantissa);
  float value = 0.0f;
  auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Underflow reads as the nearest float, as strtof gives it; overflow is
    // out of range.
    double wide = 0.0;
    auto wideResult = std::from_chars(number.data(), number.data() + number.size(), wide);
    if (wideResult.ec != std::errc{} || std::fabs(wide) > std::numeric_limits<float>::max()) {
      return {0.0f, NumberError::OutOfRange};
    }
    value = static_cast<float>(wide);
  } else if (ec != std::errc{} || ptr != number.data() + number.size()) {
    return {0.0f, NumberError::NoNumber};
  }
  if (!std::isfinite(value)) return {0.0f, NumberError::OutOfRange};
  return {negative ? -value : value, NumberError::None};
}

IntParse ParseIntPrefix(std::string_view field) {
  std::size_t i = SkipSpace(field);
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  const std::size_t end = SkipDigits(field, i);
  if (end == i) return {0, NumberError::NoNumber};
  std::int64_t magnitude = 0;
  for (std::size_t k = i; k < end; ++k) {
    magnitude = magnitude * 10 + (field[k] - '0');
    if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
      return {0, NumberError::OutOfRange};
    }
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max() ||
      value < std::numeric_limits<std::int32_t>::min()) {
    return {0, NumberError::OutOfRange};
  }
  return {static_cast<std::int32_t>(value), NumberError::None};
}

}  // namespace borvik::files
