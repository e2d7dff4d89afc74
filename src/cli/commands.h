#pragma once
// The subcommands of borvik-cli. Each returns the exit status: 0 success,
// 1 refused or failed (the messages on stderr, nothing written), 2 usage.

#include <span>
#include <string_view>

namespace borvik::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int Normalize(std::span<const std::string_view> args);

}  // namespace borvik::cli
