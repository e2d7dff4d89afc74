#pragma once
// The subcommands of borvik-cli. Each returns the exit status: 0 success,
// 1 refused or failed (the messages on stderr, nothing written), 2 usage.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/name_rules.h"
#include "files/error.h"
#include "model/document.h"

namespace borvik::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// A command: how it is called, what it does, and the function that does it.
struct Command {
  std::string_view name;
  std::string_view synopsis;  // after "borvik-cli ", lines broken with "\n"
  std::string_view summary;
  int (*run)(std::span<const std::string_view> args);
};

extern const Command kNormalize;
extern const Command kRender;
extern const Command kCheck;
extern const Command kImport;

// The arguments of a command: its options, each known with or without a
// value, and the rest in order.
class Arguments {
 public:
  Arguments(std::span<const std::string_view> args, std::span<const std::string_view> flags,
            std::span<const std::string_view> valued);
  // The first problem found ("不明なオプションです: --x"), or nullopt.
  const std::optional<std::string>& Problem() const { return problem_; }
  bool Has(std::string_view flag) const;
  // The value given with an option (the last one, if given twice).
  std::optional<std::string_view> Value(std::string_view option) const;
  const std::vector<std::string_view>& Positional() const { return positional_; }

 private:
  std::vector<std::pair<std::string_view, std::string_view>> options_;
  std::vector<std::string_view> positional_;
  std::optional<std::string> problem_;
};

// "使い方: borvik-cli SYNOPSIS" and the summary.
std::string Usage(const Command& command);
// What a usage error prints on stderr: the command's usage, then the
// problem. Returns kExitUsage.
int UsageError(const Command& command, std::string_view problem);
// "--scale の値が正しくありません: 1/30".
std::string BadValue(std::string_view option, std::string_view value);

// The text written to OUT whole, or to standard output for "-"; a failure
// is said on stderr.
bool WriteOutput(std::string_view out, const std::string& text);

// A failure on stderr in the words the window uses.
void PrintFailure(const files::Error& error);
// A layer file that could not be loaded: as the load command reports it.
void PrintLoadFailure(const files::Error& error);

// The import's name rules, the built-in ones and then the file given with
// --map. Says why on stderr when they cannot be read.
bool LoadNameRules(std::optional<std::string_view> mapFile, exchange::NameRules& rules);

// The log IN holds: a layer file, or a boring exchange file (a name ending
// in .xml) imported with the name rules, whose report goes to stderr when a
// name fell back or a sample was dropped. Says why on stderr when it fails.
bool LoadInputLog(std::string_view in, std::optional<std::string_view> mapFile,
                  model::Document& log);

}  // namespace borvik::cli
