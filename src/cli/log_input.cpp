// The log a command reads: a layer file, or a boring exchange file (a name
// ending in .xml) imported through the name rules.

#include <cstdio>
#include <filesystem>

#include "cli/commands.h"
#include "editor/import_report.h"
#include "exchange/import.h"
#include "files/layer_csv.h"

namespace borvik::cli {

bool LoadNameRules(std::optional<std::string_view> mapFile, exchange::NameRules& rules) {
  const std::filesystem::path map(mapFile.value_or(std::string_view{}));
  if (const files::Status loaded = exchange::LoadNameRules(mapFile ? &map : nullptr, rules);
      !loaded) {
    PrintLoadFailure(*loaded.error);
    return false;
  }
  return true;
}

bool LoadInputLog(std::string_view in, std::optional<std::string_view> mapFile,
                  model::Document& log) {
  const std::filesystem::path path(in);
  if (!exchange::IsExchangeFileName(path)) {
    if (const files::Status read = files::ReadLayerFile(path, log); !read) {
      PrintLoadFailure(*read.error);
      return false;
    }
    return true;
  }
  exchange::NameRules rules;
  if (!LoadNameRules(mapFile, rules)) return false;
  exchange::ImportReport report;
  if (const files::Status read = exchange::ImportExchangeFile(path, rules, log, report); !read) {
    PrintLoadFailure(*read.error);
    return false;
  }
  // As the window does: the report only when something fell back or was
  // dropped.
  if (report.NeedsAttention()) {
    std::fputs(editor::FormatImportReport(report, settings::CategoryCatalogue::Defaults()).c_str(),
               stderr);
  }
  return true;
}

}  // namespace borvik::cli
