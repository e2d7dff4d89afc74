#pragma once
// The words of a boring exchange import: what became of each part of the
// file, for the window's message and the command line alike.

#include <map>
#include <string>
#include <string_view>

#include "exchange/import.h"
#include "settings/category_catalogue.h"

namespace borvik::editor {

// What a lithology, rock quality and weathering read as: "中粒砂",
// "基盤岩（火山岩類）", "岩相なし", with ", 腐植質" and the like after.
std::string DescribeCodes(const exchange::LayerCodes& codes,
                          const settings::CategoryCatalogue& catalogue);

// The whole report, one line per fact, ending with a line feed.
std::string FormatImportReport(const exchange::ImportReport& report,
                               const settings::CategoryCatalogue& catalogue);

// What a run over many files came to.
struct ImportTotals {
  int files = 0;
  int converted = 0;
  int refused = 0;
  int layers = 0;
  int fallbackLayers = 0;
  int samplesPlaced = 0;
  int samplesDropped = 0;
  int needingAttention = 0;  // files whose report has a fallback or a dropped sample
  std::map<std::string, int> fallbackNames;  // name -> layers, over every file
  double seconds = 0;

  void Add(const exchange::ImportReport& report);
};

std::string FormatImportTotals(const ImportTotals& totals);

// "[3/14] name.xml", the progress line of a run over many files.
std::string ImportProgress(int done, int total, std::string_view file);

}  // namespace borvik::editor
