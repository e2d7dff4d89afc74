#include "editor/layer_check.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "editor/entry_rules.h"
#include "editor/form_transfer.h"
#include "editor/messages.h"
#include "files/layer_csv.h"

namespace borvik::editor {
namespace {

// A message of two sentences on two lines reads as well on one.
std::string OneLine(std::string_view message) {
  std::string line;
  for (char c : message) {
    if (c != '\n' && c != '\r') line += c;
  }
  return line;
}

// A value as the form reads it back from its box.
float AsTyped(float value) { return ParseNumberBox(FormatNumberBox(value)).value_or(value); }

bool IsSediment(model::LithologyCode code) {
  for (const model::SedimentLithology& l : model::kSedimentLithologies) {
    if (l.code == code) return true;
  }
  return false;
}

// Each lithology code on its own: RF1 holds none, a sediment or the bedrock
// width; RF2 none, a sediment or a bedrock type. How they pair is the entry
// rules' to judge.
bool PossibleRF1(model::LithologyCode code) {
  return code == model::kNoLithology || code == model::kBedrockWidth || IsSediment(code);
}
bool PossibleRF2(model::LithologyCode code) {
  return code == model::kNoLithology || model::BedrockSlotForCode(code) || IsSediment(code);
}

template <std::size_t N>
void CheckKinds(const std::array<std::int32_t, N>& kinds, int firstColumn, int most,
                std::vector<std::pair<int, std::string>>& found) {
  // -1 and 0 both mean none: files hold either.
  for (std::size_t k = 0; k < N; ++k) {
    if (kinds[k] < -1 || kinds[k] > most) {
      found.emplace_back(firstColumn + 2 * static_cast<int>(k), std::to_string(kinds[k]));
    }
  }
}

// Every value of the layer that no form can produce, with its column.
std::vector<std::pair<int, std::string>> ImpossibleCodes(const model::LayerRecord& layer) {
  std::vector<std::pair<int, std::string>> found;
  const auto outside = [&](int column, std::int32_t value, std::size_t choices) {
    if (value < 0 || value >= static_cast<std::int32_t>(choices)) {
      found.emplace_back(column, std::to_string(value));
    }
  };
  outside(4, layer.Str, model::kLithologyChangeEntries.size());
  outside(5, layer.Bou, model::kBaseEntries.size());
  if (!PossibleRF1(layer.RF1)) found.emplace_back(6, FormatNumberBox(layer.RF1));
  if (!PossibleRF2(layer.RF2)) found.emplace_back(7, FormatNumberBox(layer.RF2));
  outside(8, layer.RFe, model::kRockQualityButtons.size());
  outside(9, layer.Wea, model::kWeatheringButtons.size());
  CheckKinds(layer.Se, 11, model::kStructureKinds, found);
  CheckKinds(layer.Ec, 19, model::kFeatureKinds, found);
  for (int k = 0; k < model::kSampleMarks; ++k) outside(25 + 2 * k, layer.Sa[k], 2);
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace

LayerCheck CheckLayerFile(std::string_view bytes, int scaleIndex) {
  LayerCheck check;
  auto log = std::make_unique<model::Document>();
  std::vector<int> lines;
  check.read = files::ParseLayerFile(bytes, *log, &lines);
  if (!check.read) return check;
  // The boxes show the file's name and elevation; the elevation as typed.
  model::LogHeader header = log->header;
  header.elevation = AsTyped(header.elevation);
  for (int slot = 1; slot <= log->layers.LayerCount(); ++slot) {
    EntryForm form = FormShowing(log->layers.Get(slot), header, scaleIndex);
    model::LayerForm& v = form.values;
    for (float* depth : {&v.top, &v.bot, &v.int_}) *depth = AsTyped(*depth);
    for (float& depth : v.DSe) depth = AsTyped(depth);
    for (float& depth : v.DEc) depth = AsTyped(depth);
    for (float& depth : v.DSa) depth = AsTyped(depth);
    const int line = lines[slot - 1];
    for (const auto& [column, value] : ImpossibleCodes(log->layers.Get(slot))) {
      check.refusals.push_back({line, ImpossibleCodeMessage(column, value)});
    }
    std::optional<std::string_view> refusal = NameRefusal(header.name);
    if (!refusal) {
      const EntryDecision decision = DecideEntry(form);
      if (decision.refusal) refusal = decision.refusal->message;
    }
    if (refusal) check.refusals.push_back({line, OneLine(*refusal)});
  }
  return check;
}

}  // namespace borvik::editor
