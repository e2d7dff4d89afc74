#include "editor/layer_list.h"

#include <algorithm>
#include <optional>

#include "editor/form_transfer.h"

namespace borvik::editor {
namespace {

constexpr std::string_view kNoLithologyWords = "欠落（コア欠）";
constexpr std::string_view kBedrockWords = "基盤岩";
constexpr std::string_view kBetweenLithologies = "／";

std::optional<std::string> LithologyName(model::LithologyCode code,
                                         const settings::CategoryCatalogue& catalogue) {
  for (const model::SedimentLithology& lithology : model::kSedimentLithologies) {
    if (lithology.code == code) return std::string(lithology.caption);
  }
  if (const std::optional<int> slot = model::BedrockSlotForCode(code)) {
    return catalogue.bedrock[static_cast<std::size_t>(*slot - 1)].name;
  }
  return std::nullopt;
}

// A code no control offers (a file may hold one) shows as its number.
std::string NameOrNumber(model::LithologyCode code, const settings::CategoryCatalogue& catalogue) {
  return LithologyName(code, catalogue).value_or(FormatNumberBox(code));
}

template <std::size_t N>
std::string Entry(const std::array<std::string_view, N>& entries, int code) {
  if (code >= 0 && code < static_cast<int>(N)) return std::string(entries[code]);
  return std::to_string(code);
}

template <std::size_t N>
std::string Caption(const std::array<model::RadioButton, N>& buttons, int code) {
  if (code >= 0 && code < static_cast<int>(N)) return std::string(buttons[code].caption);
  return std::to_string(code);
}

template <std::size_t N>
std::string CountGiven(const std::array<float, N>& depths) {
  return std::to_string(std::count_if(depths.begin(), depths.end(),
                                      [](float depth) { return depth != model::kNoMarkDepth; }));
}

}  // namespace

std::string DescribeLithology(const model::LayerRecord& layer,
                              const settings::CategoryCatalogue& catalogue) {
  if (layer.RF1 == model::kNoLithology && layer.RF2 == model::kNoLithology) {
    return std::string(kNoLithologyWords);
  }
  if (layer.RF1 == model::kBedrockWidth) {
    return model::BedrockSlotForCode(layer.RF2) ? NameOrNumber(layer.RF2, catalogue)
                                                : std::string(kBedrockWords);
  }
  std::string words = NameOrNumber(layer.RF1, catalogue);
  if (layer.RF2 != layer.RF1) {
    words += kBetweenLithologies;
    words += NameOrNumber(layer.RF2, catalogue);
  }
  if (layer.Str == model::kGraded || layer.Str == model::kInverseGraded) {
    words += "（" + std::string(model::kLithologyChangeEntries[layer.Str]) + "）";
  }
  return words;
}

std::vector<LayerListRow> LayerListRows(const model::LayerTable& layers,
                                        const settings::CategoryCatalogue& catalogue) {
  std::vector<LayerListRow> rows;
  rows.reserve(static_cast<std::size_t>(layers.LayerCount()));
  model::LayerRecord above;
  for (int slot = 1; slot <= layers.LayerCount(); ++slot) {
    const model::LayerRecord layer = layers.Get(slot);
    std::string note;
    if (slot > 1 && layer.top > above.bot) note = kGapNote;
    if (slot > 1 && layer.top < above.bot) note = kOverlapNote;
    rows.push_back({slot,
                    {std::to_string(slot), FormatNumberBox(layer.top), FormatNumberBox(layer.bot),
                     DescribeLithology(layer, catalogue), Entry(model::kBaseEntries, layer.Bou),
                     Caption(model::kRockQualityButtons, layer.RFe),
                     Caption(model::kWeatheringButtons, layer.Wea), CountGiven(layer.DSe),
                     CountGiven(layer.DEc), CountGiven(layer.DSa), std::move(note)}});
    above = layer;
  }
  return rows;
}

}  // namespace borvik::editor
