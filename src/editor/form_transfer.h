#pragma once
// How the form's number boxes read and show numbers.

#include <optional>
#include <string>
#include <string_view>

namespace borvik::editor {

// The number in a depth or elevation box: a decimal number with nothing
// around it but spaces and tabs. An empty box, anything else in it, or a
// number that is 0 without beginning with the digit 0 ("-0", ".0") is no
// number.
std::optional<float> ParseNumberBox(std::string_view text);

// A value as a box shows it: six significant digits, as in the files.
std::string FormatNumberBox(float value);

}  // namespace borvik::editor
