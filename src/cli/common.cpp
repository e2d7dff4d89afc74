// What every command shares: its arguments, its usage, its output and the
// words of its failures.

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "cli/commands.h"
#include "editor/messages.h"
#include "files/file_io.h"

namespace borvik::cli {
namespace {

bool Contains(std::span<const std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

Arguments::Arguments(std::span<const std::string_view> args,
                     std::span<const std::string_view> flags,
                     std::span<const std::string_view> valued) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    // "-" alone names standard output; a negative number is no option.
    const bool option = a.size() > 1 && a.front() == '-' && !(a[1] >= '0' && a[1] <= '9');
    if (!option) {
      positional_.push_back(a);
    } else if (Contains(flags, a)) {
      options_.emplace_back(a, std::string_view{});
    } else if (Contains(valued, a)) {
      if (i + 1 >= args.size()) {
        if (!problem_) problem_ = std::string(a) + " に値がありません";
        break;
      }
      options_.emplace_back(a, args[++i]);
    } else if (!problem_) {
      problem_ = "不明なオプションです: " + std::string(a);
    }
  }
}

bool Arguments::Has(std::string_view flag) const {
  return std::any_of(options_.begin(), options_.end(),
                     [flag](const auto& option) { return option.first == flag; });
}

std::optional<std::string_view> Arguments::Value(std::string_view option) const {
  std::optional<std::string_view> value;
  for (const auto& [name, given] : options_) {
    if (name == option) value = given;
  }
  return value;
}

std::string Usage(const Command& command) {
  std::string text = "使い方: borvik-cli ";
  for (const char c : command.synopsis)
    text += c == '\n' ? std::string("\n        ") : std::string(1, c);
  return text + "\n  " + std::string(command.summary) + "\n";
}

int UsageError(const Command& command, std::string_view problem) {
  std::fprintf(stderr, "%s%.*s\n", Usage(command).c_str(), static_cast<int>(problem.size()),
               problem.data());
  return kExitUsage;
}

std::string BadValue(std::string_view option, std::string_view value) {
  return std::string(option) + " の値が正しくありません: " + std::string(value);
}

bool WriteOutput(std::string_view out, const std::string& text) {
  if (out == "-") {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
      PrintFailure(files::CannotWrite(errno));
      return false;
    }
    return true;
  }
  if (const files::Status written = files::WriteFileAtomic(std::string(out), text); !written) {
    PrintFailure(*written.error);
    return false;
  }
  return true;
}

void PrintFailure(const files::Error& error) {
  std::fprintf(stderr, "%s\n", editor::DescribeFailure(error).c_str());
}

void PrintLoadFailure(const files::Error& error) {
  for (const std::string& message : editor::LoadFailureMessages(error)) {
    std::fprintf(stderr, "%s\n", message.c_str());
  }
}

}  // namespace borvik::cli
