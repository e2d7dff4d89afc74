// borvik-cli normalize: what saving right after loading IN writes.

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "files/file_io.h"
#include "files/layer_csv.h"
#include "model/document.h"

namespace borvik::cli {

namespace {

int Normalize(std::span<const std::string_view> args) {
  const Arguments parsed(args, {}, {});
  if (parsed.Problem()) return UsageError(kNormalize, *parsed.Problem());
  if (parsed.Positional().size() != 2)
    return UsageError(kNormalize, "IN と OUT を指定してください");
  const std::string in(parsed.Positional()[0]);
  const std::string_view out = parsed.Positional()[1];
  auto log = std::make_unique<model::Document>();
  if (const files::Status read = files::ReadLayerFile(in, *log); !read) {
    PrintLoadFailure(*read.error);
    return kExitFailed;
  }
  return WriteOutput(out, files::FormatLayerFile(log->header, log->layers)) ? kExitOk
                                                                          : kExitFailed;
}

}  // namespace

const Command kNormalize{"normalize", "normalize IN.csv OUT.csv",
                         "読み込んで保存し直した柱状図データを書く（OUT に - で標準出力）",
                         Normalize};

}  // namespace borvik::cli
