// borvik: the desktop program.

#include <cstdio>
#include <string_view>

#include "ui/app.h"

namespace {

constexpr const char* kUsage =
    "使い方: borvik [--verbose] [FILE.csv]\n"
    "  FILE.csv   起動時に開く柱状図データ\n"
    "  --verbose  行ったことを標準エラー出力に書く\n";

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(borvik::ui::CBorvikApp);

int main(int argc, char** argv) {
  // Answered before the toolkit starts, so that they work without a display.
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::puts("borvik " BORVIK_VERSION);
      return 0;
    }
  }
  return wxEntry(argc, argv);
}
