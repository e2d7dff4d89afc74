#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "files/file_io.h"
#include "files/layer_csv.h"
#include "model/document.h"

namespace borvik::cli {

void PrintFailure(const files::Status& status) {
  std::fprintf(stderr, "%s\n", status.message.c_str());
  if (!status.detail.empty()) std::fprintf(stderr, "%s\n", status.detail.c_str());
}

void PrintLoadFailure(const files::Status& status) {
  PrintFailure(status);
  if (status.message != files::kImportFailedMessage) {
    std::fprintf(stderr, "%s\n", files::kImportFailedMessage);
  }
}

// What saving right after loading IN writes.
int Normalize(std::span<const std::string_view> args) {
  if (args.size() != 2) {
    std::fputs("使い方: borvik-cli normalize IN.csv OUT.csv\n", stderr);
    return kExitUsage;
  }
  auto log = std::make_unique<model::Document>();
  const files::Status read = files::ReadLayerFile(std::string(args[0]), *log);
  if (!read) {
    PrintLoadFailure(read);
    return kExitFailed;
  }
  const std::string text = files::FormatLayerFile(log->header, log->layers);
  if (args[1] == "-") {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
      return kExitFailed;
    }
    return kExitOk;
  }
  if (const files::IoResult io = files::WriteFileAtomic(std::string(args[1]), text); !io) {
    PrintFailure(files::Status::Fail(files::kCannotWriteMessage, files::DescribeError(io.error)));
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace borvik::cli
