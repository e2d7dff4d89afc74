// The rules a layer must pass before it is stored, and the codes its
// controls stand for.

#include "editor/entry_rules.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "editor/messages.h"
#include "text/cp932.h"

namespace borvik::editor {
namespace {

// Loam applies to mud and sand only: clay, silt and the five sands.
bool AllowsLoam(int boxIndex) {
  if (boxIndex >= kSedimentBoxes) return false;
  const model::LithologyGroup group = model::kSedimentLithologies[boxIndex].group;
  return group == model::LithologyGroup::Mud || group == model::LithologyGroup::Sand;
}

// printf's %5.2f, without the locale.
std::string FormatMidpoint(float depth) {
  char digits[64];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, static_cast<double>(depth),
                                       std::chars_format::fixed, 2);
  std::string number = ec == std::errc{} ? std::string(digits, end) : std::string();
  if (number.size() < 5) number.insert(0, 5 - number.size(), ' ');
  return number;
}

bool MarkOutside(float depth, float top, float bot) { return depth < top || depth > bot; }

// The lithology codes of the ticked boxes: one gives both parts, two the
// finer on top (the coarser for inverse grading), bedrock its width and
// type.
void ResolveLithology(const EntryForm& in, model::LayerForm& form) {
  model::LithologyCode sediment[2] = {model::kNoLithology, model::kNoLithology};
  int sediments = 0;
  model::LithologyCode bedrock = model::kNoLithology;
  for (int i = 0; i < kLithologyBoxes; ++i) {
    if (!in.lithology[i]) continue;
    if (i >= kSedimentBoxes) {
      bedrock = LithologyBoxCode(i);
    } else if (sediments < 2) {
      sediment[sediments++] = LithologyBoxCode(i);
    }
  }
  if (bedrock != model::kNoLithology) {
    form.RF1 = model::kBedrockWidth;
    form.RF2 = bedrock;
  } else if (sediments == 0) {
    form.RF1 = form.RF2 = model::kNoLithology;
  } else if (sediments == 1) {
    form.RF1 = form.RF2 = sediment[0];
  } else {
    form.RF1 = std::min(sediment[0], sediment[1]);
    form.RF2 = std::max(sediment[0], sediment[1]);
    if (form.Str == model::kInverseGraded) std::swap(form.RF1, form.RF2);
  }
}

EntryDecision& Refuse(EntryDecision& d, EntryRule rule, std::string_view message, int mark = 0) {
  d.refusal = EntryRefusal{rule, mark, message};
  return d;
}

template <std::size_t N>
struct MarkRule {
  EntryRule rule;
  const std::array<std::string_view, N>& messages;
};

// Each given mark (its depth not -1) must lie within the layer and have a
// kind chosen (a list without selection gives -1). True when one refuses.
template <std::size_t N>
bool CheckMarks(EntryDecision& d, const std::array<float, N>& depths,
                const std::array<std::int32_t, N>& kinds, MarkRule<N> range, MarkRule<N> kind) {
  const model::LayerForm& form = d.form;
  for (std::size_t k = 0; k < N; ++k) {
    if (depths[k] == model::kNoMarkDepth) continue;
    const int mark = static_cast<int>(k);
    if (MarkOutside(depths[k], form.top, form.bot)) {
      Refuse(d, range.rule, range.messages[k], mark);
      return true;
    }
    if (kinds[k] == -1) {
      Refuse(d, kind.rule, kind.messages[k], mark);
      return true;
    }
  }
  return false;
}

// One radio group shows its index; a value outside the group sets no
// button.
int RadioIndex(int value, std::size_t buttons) {
  return value >= 0 && value < static_cast<int>(buttons) ? value : -1;
}

// A list shows a position among its entries, or nothing.
int ListPosition(int value, std::size_t entries) {
  return value >= 0 && value < static_cast<int>(entries) ? value : -1;
}

}  // namespace

std::string MidpointMessage(float depth) {
  return std::string(kMidpointMessageHead) + FormatMidpoint(depth) +
         std::string(kMidpointMessageTail);
}

std::optional<std::string_view> NameRefusal(std::string_view name) {
  if (name.find_first_of(",\r\n") != std::string_view::npos) return kNameSeparatorMessage;
  if (!text::IsCp932Representable(name)) return kNameEncodingMessage;
  return std::nullopt;
}

EntryDecision DecideEntry(const EntryForm& in) {
  EntryDecision d;
  model::LayerForm& form = d.form;
  form = in.values;
  if (in.header.name.empty() || in.header.elevation == 0.0f) {
    return Refuse(d, EntryRule::kNeedName, kNeedNameMessage);
  }
  // A scale list without a selection counts as 1/50 here and in the drawing.
  const int scale = model::ScaleIndexOr(in.scale, 0);
  d.scaleIndex = scale;
  if (form.bot - form.top > model::kScales[scale].thicknessLimit) {
    form.bot = 0.0f;
    d.bottomCleared = true;
    return Refuse(d, EntryRule::kThickness, kThicknessMessages[scale]);
  }
  if (form.bot == 0.0f) return Refuse(d, EntryRule::kNeedBottom, kNeedBottomMessage);
  if (form.top < 0.0f || form.bot < 0.0f || form.int_ < 0.0f) {
    return Refuse(d, EntryRule::kNegative, kNegativeMessage);
  }

  int sediments = 0;
  int bedrocks = 0;
  for (int i = 0; i < kLithologyBoxes; ++i) {
    if (in.lithology[i]) (i < kSedimentBoxes ? sediments : bedrocks) += 1;
  }
  form.Str = in.lithologyChange;
  form.Bou = in.base;
  const bool graded = form.Str == model::kGraded || form.Str == model::kInverseGraded;
  if (graded) {
    if (sediments > 2) return Refuse(d, EntryRule::kTooManyLithologies, kTooManyLithologiesMessage);
    // Grading does not apply to bedrock.
    if (sediments == 0 && bedrocks >= 1) {
      return Refuse(d, EntryRule::kGradedBedrock, kGradedBedrockMessage);
    }
    if (sediments >= 1 && bedrocks >= 1) {
      return Refuse(d, EntryRule::kMixedLithologies, kMixedLithologiesMessage);
    }
  } else if (sediments >= 2 || bedrocks >= 2 || (sediments >= 1 && bedrocks >= 1)) {
    return Refuse(d, EntryRule::kTooManyLithologies, kTooManyLithologiesMessage);
  }

  if (form.Str == model::kNoChange) {
    if (form.bot < form.top) return Refuse(d, EntryRule::kCheckDepths, kCheckDepthsMessage);
    form.int_ = form.top;
  } else if (graded) {
    if (sediments < 2) return Refuse(d, EntryRule::kNeedTwoLithologies, kNeedTwoLithologiesMessage);
    if (!(form.top < form.int_ && form.int_ < form.bot) || form.int_ == 0.0f) {
      form.int_ = (form.top + form.bot) / 2.0f;
      d.midpoint = form.int_;
    }
  }

  if (in.rockQuality == model::kQualityLoamy) {
    for (int i = 0; i < kLithologyBoxes; ++i) {
      if (in.lithology[i] && !AllowsLoam(i)) return Refuse(d, EntryRule::kLoamy, kLoamyMessage);
    }
  }

  form.Se = in.structureKinds;
  form.Ec = in.featureKinds;
  if (CheckMarks(d, form.DSe, form.Se, {EntryRule::kStructureRange, kStructureRangeMessages},
                 {EntryRule::kStructureKind, kStructureKindMessages}) ||
      CheckMarks(d, form.DEc, form.Ec, {EntryRule::kFeatureRange, kFeatureRangeMessages},
                 {EntryRule::kFeatureKind, kFeatureKindMessages})) {
    return d;
  }
  // Samples have no kind to choose.
  const std::array<std::int32_t, model::kSampleMarks> noKinds{};
  if (CheckMarks(d, form.DSa, noKinds, {EntryRule::kSampleRange, kSampleRangeMessages},
                 {EntryRule::kSampleRange, kSampleRangeMessages})) {
    return d;
  }

  // Accepted: every code the layer stores.
  ResolveLithology(in, form);
  form.RFe = in.rockQuality;
  form.Wea = in.weathering;
  for (int k = 0; k < model::kStructureMarks; ++k) {
    form.Se[k] = form.DSe[k] == model::kNoMarkDepth ? 0 : in.structureKinds[k];
  }
  for (int k = 0; k < model::kFeatureMarks; ++k) {
    form.Ec[k] = form.DEc[k] == model::kNoMarkDepth ? 0 : in.featureKinds[k];
  }
  for (int k = 0; k < model::kSampleMarks; ++k) {
    form.Sa[k] = form.DSa[k] == model::kNoMarkDepth ? 0 : 1;
  }
  return d;
}

EntryForm FormShowing(const model::LayerRecord& layer, const model::LogHeader& header,
                      int scaleIndex) {
  EntryForm in;
  in.values = layer;
  in.header = header;
  in.scale = scaleIndex;
  in.lithologyChange = ListPosition(layer.Str, model::kLithologyChangeEntries.size());
  in.base = ListPosition(layer.Bou, model::kBaseEntries.size());
  in.rockQuality = RadioIndex(layer.RFe, model::kRockQualityButtons.size());
  in.weathering = RadioIndex(layer.Wea, model::kWeatheringButtons.size());
  // Position 0 of every mark list is the empty entry.
  for (int k = 0; k < model::kStructureMarks; ++k) {
    in.structureKinds[k] = ListPosition(layer.Se[k], 1 + model::kStructureKinds);
  }
  for (int k = 0; k < model::kFeatureMarks; ++k) {
    in.featureKinds[k] = ListPosition(layer.Ec[k], 1 + model::kFeatureKinds);
  }
  // Exact codes only: 0.1799 is fine ash, not very fine sand; the bedrock
  // width 0.29 and "no lithology" tick nothing.
  for (int i = 0; i < kLithologyBoxes; ++i) {
    const model::LithologyCode code = LithologyBoxCode(i);
    in.lithology[i] = code == layer.RF1 || code == layer.RF2;
  }
  return in;
}

}  // namespace borvik::editor
