// borvik-cli: the log core without a window, for scripts and checks.

#include <array>
#include <cstdio>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

namespace borvik::cli {
namespace {

const std::array<const Command*, 4> kCommands{&kNormalize, &kRender, &kCheck, &kImport};

void PrintUsage(std::FILE* out) {
  std::fputs("使い方:\n", out);
  for (const Command* command : kCommands) {
    std::string synopsis;
    for (const char c : command->synopsis)
      synopsis += c == '\n' ? std::string("\n        ") : std::string(1, c);
    std::fprintf(out, "  borvik-cli %s\n      %.*s\n", synopsis.c_str(),
                 static_cast<int>(command->summary.size()), command->summary.data());
  }
  std::fputs(
      "  borvik-cli --help | --version\n"
      "  borvik-cli COMMAND --help\n"
      "      コマンドの使い方\n",
      out);
}

bool AsksForHelp(std::span<const std::string_view> args) {
  for (const std::string_view a : args) {
    if (a == "--help" || a == "-h") return true;
  }
  return false;
}

}  // namespace
}  // namespace borvik::cli

int main(int argc, char** argv) {
  using namespace borvik::cli;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  const std::string_view name = args.front();
  if (name == "--help" || name == "-h") {
    PrintUsage(stdout);
    return kExitOk;
  }
  if (name == "--version") {
    std::puts("borvik-cli " BORVIK_VERSION);
    return kExitOk;
  }
  const std::span<const std::string_view> rest(args.data() + 1, args.size() - 1);
  for (const Command* command : kCommands) {
    if (command->name != name) continue;
    if (AsksForHelp(rest)) {
      std::fputs(Usage(*command).c_str(), stdout);
      return kExitOk;
    }
    // Memory that runs out ends the command with a word, not an abort.
    try {
      return command->run(rest);
    } catch (const std::bad_alloc&) {
      PrintFailure(borvik::files::Failure(borvik::files::ErrorKind::kOutOfMemory));
      return kExitFailed;
    }
  }
  std::fprintf(stderr, "不明なコマンドです: %.*s\n", static_cast<int>(name.size()), name.data());
  PrintUsage(stderr);
  return kExitUsage;
}
