// borvik-cli import: boring exchange files (ボーリング交換用データ) as layer
// files, each with a report of what was mapped how. One file to OUT, or
// many into a folder with a progress line and a summary.

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "cli/commands.h"
#include "editor/import_report.h"
#include "editor/messages.h"
#include "exchange/import.h"
#include "files/file_io.h"
#include "files/layer_csv.h"

namespace borvik::cli {

namespace {

int ImportOne(std::string_view in, std::string_view out, const exchange::NameRules& rules) {
  auto log = std::make_unique<model::Document>();
  exchange::ImportReport report;
  if (const files::Status read =
          exchange::ImportExchangeFile(std::filesystem::path(in), rules, *log, report);
      !read) {
    PrintLoadFailure(*read.error);
    return kExitFailed;
  }
  if (!WriteOutput(out, files::FormatLayerFile(log->header, log->layers))) return kExitFailed;
  // With the layer file on stdout the report goes to stderr.
  const std::string text =
      editor::FormatImportReport(report, settings::CategoryCatalogue::Defaults());
  std::fputs(text.c_str(), out == "-" ? stderr : stdout);
  return kExitOk;
}

// OUT/name.csv, or name-2.csv and so on when an earlier input of this run
// had the same name.
std::filesystem::path OutputFor(const std::filesystem::path& folder,
                                const std::filesystem::path& in,
                                std::set<std::filesystem::path>& taken) {
  const std::string stem = in.stem().string();
  std::filesystem::path out = folder / (stem + ".csv");
  for (int n = 2; taken.contains(out); ++n)
    out = folder / (stem + "-" + std::to_string(n) + ".csv");
  taken.insert(out);
  return out;
}

int ImportMany(const std::vector<std::string_view>& inputs, std::string_view outFolder,
               const exchange::NameRules& rules) {
  const std::filesystem::path folder(outFolder);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    PrintFailure(files::CannotWrite(ec.value()));
    return kExitFailed;
  }
  const bool terminal = ::isatty(STDERR_FILENO) == 1;
  editor::ImportTotals totals;
  totals.files = static_cast<int>(inputs.size());
  std::set<std::filesystem::path> taken;
  const auto start = std::chrono::steady_clock::now();
  int done = 0;
  for (const std::string_view in : inputs) {
    const std::filesystem::path path(in);
    if (terminal) {
      std::fprintf(stderr, "\r%s\x1b[K",
                   editor::ImportProgress(++done, totals.files, path.filename().string()).c_str());
    }
    auto log = std::make_unique<model::Document>();
    exchange::ImportReport report;
    files::Status status = exchange::ImportExchangeFile(path, rules, *log, report);
    if (status) {
      status = files::WriteFileAtomic(OutputFor(folder, path, taken),
                                      files::FormatLayerFile(log->header, log->layers));
    }
    if (!status) {
      ++totals.refused;
      if (terminal) std::fputs("\r\x1b[K", stderr);
      std::fprintf(stderr, "%s: %s\n", std::string(in).c_str(),
                   editor::DescribeFailure(*status.error).c_str());
      continue;
    }
    totals.Add(report);
  }
  if (terminal) std::fputs("\r\x1b[K", stderr);
  totals.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::fputs(editor::FormatImportTotals(totals).c_str(), stdout);
  if (std::fflush(stdout) != 0) {
    PrintFailure(files::CannotWrite(errno));
    return kExitFailed;
  }
  return totals.refused == 0 ? kExitOk : kExitFailed;
}

int Import(std::span<const std::string_view> args) {
  static constexpr std::string_view kValued[] = {"--map", "--out"};
  const Arguments parsed(args, {}, kValued);
  if (parsed.Problem()) return UsageError(kImport, *parsed.Problem());
  const auto outFolder = parsed.Value("--out");
  const std::vector<std::string_view>& positional = parsed.Positional();
  if (outFolder ? positional.empty() : positional.size() != 2) {
    return UsageError(
        kImport, outFolder ? "変換するファイルを指定してください" : "IN と OUT を指定してください");
  }
  exchange::NameRules rules;
  if (!LoadNameRules(parsed.Value("--map"), rules)) return kExitFailed;
  return outFolder ? ImportMany(positional, *outFolder, rules)
                   : ImportOne(positional[0], positional[1], rules);
}

}  // namespace

const Command kImport{"import",
                      "import IN.xml OUT.csv [--map FILE]\n"
                      "import FILES... --out DIR [--map FILE]",
                      "ボーリング交換用データを柱状図データに変換し、何をどう読み替えたかを示す"
                      "（--map で岩相の対応表を追加、OUT に - で標準出力）",
                      Import};

}  // namespace borvik::cli
