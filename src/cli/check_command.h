#pragma once
// borvik-cli check IN.csv [--scale S]: every layer of IN through the entry
// rules; one line "LINE: message" on stdout for each refused layer.

#include <span>
#include <string_view>

namespace borvik::cli {

// 0 when every layer is accepted, 1 when one is refused or IN cannot be
// read, 2 for a usage error.
int Check(std::span<const std::string_view> args);

}  // namespace borvik::cli
