#include "editor/import_report.h"

#include <charconv>

#include "model/codes.h"

namespace borvik::editor {
namespace {

using exchange::ImportReport;
using exchange::NameMatchKind;

std::string Fixed(double value, int digits) {
  char buffer[64];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, digits);
  return ec == std::errc{} ? std::string(buffer, end) : std::string("?");
}

std::string Count(int n) { return std::to_string(n); }

std::string_view EncodingName(exchange::TextEncoding encoding) {
  switch (encoding) {
    case exchange::TextEncoding::kUtf8: return "UTF-8";
    case exchange::TextEncoding::kCp932: return "Shift_JIS（CP932）";
    case exchange::TextEncoding::kUtf16: return "UTF-16";
  }
  return "";
}

std::string_view Lithology(model::LithologyCode code) {
  for (const auto& sediment : model::kSedimentLithologies) {
    if (sediment.code == code) return sediment.caption;
  }
  return {};
}

// Why a name fell back, after what it became.
std::string_view FallbackReason(NameMatchKind kind) {
  switch (kind) {
    case NameMatchKind::kNearestGroup: return "主な土質がないため、修飾語の土質で描きます";
    case NameMatchKind::kRockCode:
      return "名前にない岩相を、ファイルの岩石・土質コードから決めました";
    case NameMatchKind::kUnknownRock: return "種類の分からない岩石として描きます";
    case NameMatchKind::kNoLithology: return "当てはまる規則がありません";
    case NameMatchKind::kRule:
    case NameMatchKind::kFill: break;
  }
  return {};
}

std::string_view DropReason(exchange::SampleDropReason reason) {
  switch (reason) {
    case exchange::SampleDropReason::kNoDepth: return "深度がありません";
    case exchange::SampleDropReason::kOutsideLayers: return "どの層にも入らない深度です";
    case exchange::SampleDropReason::kLayerFull: return "1 つの層に置ける試料は 4 個までです";
  }
  return {};
}

std::string NameShown(const std::string& name) { return name.empty() ? "（名前なし）" : name; }

void AddNames(std::string& out, const ImportReport& report,
              const settings::CategoryCatalogue& catalogue, bool fallbacks) {
  for (const exchange::NameOutcome& n : report.names) {
    if (exchange::IsFallback(n.match.kind) != fallbacks) continue;
    out += "  " + NameShown(n.name) + "（" + Count(n.layers) + " 層）→ " +
           DescribeCodes(n.match.codes, catalogue);
    if (fallbacks) out += ": " + std::string(FallbackReason(n.match.kind));
    out += "\n";
  }
}

}  // namespace

std::string DescribeCodes(const exchange::LayerCodes& codes,
                          const settings::CategoryCatalogue& catalogue) {
  std::string text;
  if (codes.RF1 == model::kNoLithology) {
    text = "岩相なし";
  } else if (codes.RF1 == model::kBedrockWidth) {
    const auto slot = model::BedrockSlotForCode(codes.RF2);
    text = "基盤岩（" + (slot ? catalogue.bedrock[*slot - 1].name : std::string("種類不明")) + "）";
  } else {
    text = std::string(Lithology(codes.RF1));
  }
  if (codes.RFe > 0 && codes.RFe < static_cast<int>(model::kRockQualityButtons.size())) {
    text += "、" + std::string(model::kRockQualityButtons[codes.RFe].caption);
  }
  if (codes.Wea > 0 && codes.Wea < static_cast<int>(model::kWeatheringButtons.size())) {
    text += "、" + std::string(model::kWeatheringButtons[codes.Wea].caption);
  }
  return text;
}

std::string FormatImportReport(const ImportReport& report,
                               const settings::CategoryCatalogue& catalogue) {
  std::string out = "ボーリング交換用データ";
  if (!report.version.empty()) out += " " + report.version;
  out += "（文字コード " + std::string(EncodingName(report.encoding));
  if (!report.declaredEncoding.empty()) out += "、宣言は " + report.declaredEncoding;
  out += "）\n";

  out += "柱状図名: " + report.logName + "\n";
  if (report.nameFromFileName) {
    out += "  ボーリング名が空のため、ファイル名を柱状図名にしました。\n";
  }
  if (report.nameChanged) {
    out += "  柱状図データに保存できない文字を置き換えました（元の名前: " +
           (report.nameFromFileName ? std::string("ファイル名") : report.nameInFile) + "）。\n";
  }
  switch (report.elevationSource) {
    case exchange::ElevationSource::kFile:
      out += "孔口標高: " + report.elevationText + " m\n";
      break;
    case exchange::ElevationSource::kMissing:
      out += "孔口標高: 記載がないため 0 にしました。データ入力の前に入力してください。\n";
      break;
    case exchange::ElevationSource::kNotNumber:
      out += "孔口標高: 「" + report.elevationText +
             "」は数値ではないため 0 にしました。データ入力の前に入力してください。\n";
      break;
  }

  if (report.layers == 0) {
    out += "層: 層の要素がないため、層のない柱状図になりました。\n";
  } else {
    out += "層: " + Count(report.layers) + " 層を読み込みました（" + report.layerElement + "）。\n";
  }
  const int fallbackLayers = report.FallbackLayers();
  if (report.layers > fallbackLayers) {
    out += "規則で岩相を決めた名前（" + Count(report.layers - fallbackLayers) + " 層）:\n";
    AddNames(out, report, catalogue, false);
  }
  if (fallbackLayers > 0) {
    out += "規則で岩相を決められなかった名前（" + Count(fallbackLayers) + " 層）:\n";
    AddNames(out, report, catalogue, true);
  }

  const int samples = report.samplesPlaced + static_cast<int>(report.samplesDropped.size());
  if (samples > 0) {
    out +=
        "試料: " + Count(samples) + " 個のうち " + Count(report.samplesPlaced) + " 個を置きました";
    if (report.samplesDropped.empty()) {
      out += "。\n";
    } else {
      out +=
          "。" + Count(static_cast<int>(report.samplesDropped.size())) + " 個は置けませんでした:\n";
      for (const exchange::DroppedSample& s : report.samplesDropped) {
        out += "  " + (s.depth.empty() ? std::string("（深度なし）") : s.depth + " m") + "（" +
               Count(s.line) + " 行目）: " + std::string(DropReason(s.reason)) + "\n";
      }
    }
  }

  if (!report.notDrawn.empty()) {
    out += "柱状図に載せる場所のない要素（読み込んでいません）: ";
    bool first = true;
    for (const exchange::ElementCount& element : report.notDrawn) {
      if (!first) out += "、";
      first = false;
      out += element.name + " " + Count(element.count);
    }
    out += "\n";
  }
  return out;
}

void ImportTotals::Add(const ImportReport& report) {
  ++converted;
  layers += report.layers;
  fallbackLayers += report.FallbackLayers();
  samplesPlaced += report.samplesPlaced;
  samplesDropped += static_cast<int>(report.samplesDropped.size());
  if (report.NeedsAttention()) ++needingAttention;
  for (const exchange::NameOutcome& n : report.names) {
    if (exchange::IsFallback(n.match.kind)) fallbackNames[n.name] += n.layers;
  }
}

std::string FormatImportTotals(const ImportTotals& totals) {
  std::string out =
      Count(totals.files) + " 個のファイルのうち " + Count(totals.converted) + " 個を変換しました";
  if (totals.refused > 0) out += "（" + Count(totals.refused) + " 個は変換できませんでした）";
  out += "。\n";
  out += "層: " + Count(totals.layers) + " 層（規則で岩相を決められなかった層 " +
         Count(totals.fallbackLayers) + "）\n";
  out += "試料: " + Count(totals.samplesPlaced) + " 個を置きました（置けなかった試料 " +
         Count(totals.samplesDropped) + "）\n";
  if (!totals.fallbackNames.empty()) {
    out += "規則で岩相を決められなかった名前:\n";
    for (const auto& [name, layers] : totals.fallbackNames) {
      out += "  " + NameShown(name) + "（" + Count(layers) + " 層）\n";
    }
  }
  if (totals.needingAttention > 0) {
    out += "確認が必要なファイル: " + Count(totals.needingAttention) + " 個\n";
  }
  if (totals.files > 0) {
    out += "時間: " + Fixed(totals.seconds, 2) + " 秒（1 ファイルあたり " +
           Fixed(totals.seconds * 1000 / totals.files, 1) + " ミリ秒）\n";
  }
  return out;
}

std::string ImportProgress(int done, int total, std::string_view file) {
  return "[" + Count(done) + "/" + Count(total) + "] " + std::string(file);
}

}  // namespace borvik::editor
