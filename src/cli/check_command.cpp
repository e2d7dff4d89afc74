// borvik-cli check: every layer of IN through the entry rules; one line
// "LINE: message" on stdout for each refused layer.

#include <cerrno>
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "editor/layer_check.h"
#include "files/file_io.h"
#include "model/codes.h"

namespace borvik::cli {

namespace {

int Check(std::span<const std::string_view> args) {
  static constexpr std::string_view kValued[] = {"--scale"};
  const Arguments parsed(args, {}, kValued);
  if (parsed.Problem()) return UsageError(kCheck, *parsed.Problem());
  if (parsed.Positional().size() != 1) return UsageError(kCheck, "IN を 1 つ指定してください");
  int scaleIndex = model::kDefaultScaleIndex;
  if (const auto scale = parsed.Value("--scale")) {
    const auto index = model::ScaleIndexByName(*scale);
    if (!index) return UsageError(kCheck, BadValue("--scale", *scale));
    scaleIndex = *index;
  }

  std::string bytes;
  if (const files::Status read = files::ReadWholeFile(std::string(parsed.Positional()[0]), bytes,
                                                      files::kMaxLayerFileBytes);
      !read) {
    PrintLoadFailure(*read.error);
    return kExitFailed;
  }
  const editor::LayerCheck check = editor::CheckLayerFile(bytes, scaleIndex);
  if (!check.read) {
    PrintLoadFailure(*check.read.error);
    return kExitFailed;
  }
  for (const editor::LayerRefusal& refusal : check.refusals) {
    std::printf("%d: %s\n", refusal.line, refusal.message.c_str());
  }
  if (std::fflush(stdout) != 0) {
    PrintFailure(files::CannotWrite(errno));
    return kExitFailed;
  }
  return check.refusals.empty() ? kExitOk : kExitFailed;
}

}  // namespace

const Command kCheck{"check", "check IN.csv [--scale 1/50|1/100|1/200|1/400]",
                     "各層をデータ入力の規則で確かめ、受け付けられない層を「行: 理由」で示す",
                     Check};

}  // namespace borvik::cli
