// borvik-cli: the log core without a window, for scripts and checks.

#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/check_command.h"
#include "cli/commands.h"

namespace {

constexpr const char* kUsage =
    "使い方:\n"
    "  borvik-cli normalize IN.csv OUT.csv   読み込んで保存し直した柱状図データを書く"
    "（OUT に - で標準出力）\n"
    "  borvik-cli render IN.csv OUT.png [--scale 1/50|1/100|1/200|1/400] [--legend]\n"
    "        [--elevation] [--hide structures,features,samples] [--scroll N] [--settings FILE.set]\n"
    "                                        画像として保存と同じ PNG を書く\n"
    "  borvik-cli check IN.csv [--scale 1/50|1/100|1/200|1/400]\n"
    "                                        各層をデータ入力の規則で確かめる\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace borvik::cli;
  std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  const std::string_view command = args.front();
  const std::span<const std::string_view> rest(args.data() + 1, args.size() - 1);
  if (command == "normalize") return Normalize(rest);
  if (command == "render") return Render(rest);
  if (command == "check") return Check(rest);
  if (command == "--help" || command == "-h") {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  std::fprintf(stderr, "不明なコマンドです: %.*s\n%s", static_cast<int>(command.size()),
               command.data(), kUsage);
  return kExitUsage;
}
