#pragma once
// The subcommands of borvik-cli. Each returns the exit status: 0 success,
// 1 refused or failed (the messages on stderr, nothing written), 2 usage.

#include <span>
#include <string_view>

#include "files/status.h"

namespace borvik::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int Normalize(std::span<const std::string_view> args);
int Render(std::span<const std::string_view> args);

// The message and its detail, one per line, on stderr.
void PrintFailure(const files::Status& status);
// A layer file that could not be loaded: as the load command reports it, a
// file that cannot be opened is also an import that failed.
void PrintLoadFailure(const files::Status& status);

}  // namespace borvik::cli
