#include "cli/check_command.h"

#include <cstdio>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "editor/layer_check.h"
#include "model/codes.h"

namespace borvik::cli {
namespace {

constexpr const char* kCheckUsage =
    "使い方: borvik-cli check IN.csv [--scale 1/50|1/100|1/200|1/400]\n";

std::optional<int> ScaleIndexOf(std::string_view name) {
  for (std::size_t i = 0; i < model::kScales.size(); ++i) {
    if (model::kScales[i].name == name) return static_cast<int>(i);
  }
  return std::nullopt;
}

}  // namespace

int Check(std::span<const std::string_view> args) {
  std::optional<std::string_view> in;
  int scaleIndex = model::kDefaultScaleIndex;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--scale") {
      const std::optional<int> index =
          i + 1 < args.size() ? ScaleIndexOf(args[i + 1]) : std::nullopt;
      if (!index) {
        std::fputs(kCheckUsage, stderr);
        return kExitUsage;
      }
      scaleIndex = *index;
      ++i;
    } else if (!in && !(args[i].size() > 1 && args[i].front() == '-')) {
      in = args[i];
    } else {
      std::fputs(kCheckUsage, stderr);
      return kExitUsage;
    }
  }
  if (!in) {
    std::fputs(kCheckUsage, stderr);
    return kExitUsage;
  }

  const editor::LayerCheck check = editor::CheckLayerFile(std::string(*in), scaleIndex);
  if (!check.read) {
    std::fprintf(stderr, "%s\n", check.read.message.c_str());
    if (!check.read.detail.empty()) std::fprintf(stderr, "%s\n", check.read.detail.c_str());
    // A file that cannot be opened is also an import that failed.
    if (check.read.message != files::kImportFailedMessage) {
      std::fprintf(stderr, "%s\n", files::kImportFailedMessage);
    }
    return kExitFailed;
  }
  for (const editor::LayerRefusal& refusal : check.refusals) {
    std::printf("%d: %s\n", refusal.line, refusal.message.c_str());
  }
  if (std::fflush(stdout) != 0) return kExitFailed;
  return check.refusals.empty() ? kExitOk : kExitFailed;
}

}  // namespace borvik::cli
