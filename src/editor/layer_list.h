#pragma once
// 層の一覧: every stored layer as one row of text, in slot order. The
// window only shows the rows.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/layer_table.h"
#include "settings/category_catalogue.h"

namespace borvik::editor {

inline constexpr std::array<std::string_view, 11> kLayerListColumns{
    "番号", "深度（上）", "深度（下）",   "岩相", "基底の性状", "岩質",
    "風化", "堆積構造",   "その他の特徴", "試料", "注意"};

// The 注意 column: the layer's top against the bottom of the layer above.
inline constexpr std::string_view kGapNote = "すき間";
inline constexpr std::string_view kOverlapNote = "重なり";

struct LayerListRow {
  int slot = 0;
  std::array<std::string, kLayerListColumns.size()> cells;

  friend bool operator==(const LayerListRow&, const LayerListRow&) = default;
};

std::vector<LayerListRow> LayerListRows(const model::LayerTable& layers,
                                        const settings::CategoryCatalogue& catalogue);

// The lithology of a layer in words: one name, or the upper and the lower
// lithology with the change between them ("シルト／粗粒砂（級化構造）").
std::string DescribeLithology(const model::LayerRecord& layer,
                              const settings::CategoryCatalogue& catalogue);

}  // namespace borvik::editor
