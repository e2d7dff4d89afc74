// The rules a layer must pass before it is stored, and the lithology codes
// its check boxes stand for.

#include <algorithm>
#include <charconv>

#include "editor/messages.h"
#include "editor/session.h"
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
  const auto [end, ec] =
      std::to_chars(digits, digits + sizeof digits, static_cast<double>(depth),
                    std::chars_format::fixed, 2);
  std::string number = ec == std::errc{} ? std::string(digits, end) : std::string();
  if (number.size() < 5) number.insert(0, 5 - number.size(), ' ');
  return number;
}

bool MarkOutside(float depth, float top, float bot) { return depth < top || depth > bot; }

}  // namespace

bool Session::NameIsStorable() {
  const std::string& name = log_->header.name;
  if (name.find_first_of(",\r\n") != std::string::npos) return Refuse(kNameSeparatorMessage);
  if (!text::IsCp932Representable(name)) return Refuse(kNameEncodingMessage);
  return true;
}

bool Session::ValidateForm() {
  model::LayerForm& form = log_->form;

  if (log_->header.name.empty() || log_->header.elevation == 0.0f) {
    return Refuse(kNeedNameMessage);
  }

  // A scale list without a selection counts as 1/50 here and in the drawing.
  const int selected = state_.scale.selection;
  view_.scaleIndex = model::IsValidScaleIndex(selected) ? selected : 0;
  if (form.bot - form.top > model::kScales[view_.scaleIndex].thicknessLimit) {
    form.bot = 0.0f;
    return Refuse(kThicknessMessages[view_.scaleIndex]);
  }

  if (form.bot == 0.0f) return Refuse(kNeedBottomMessage);

  if (form.top < 0.0f || form.bot < 0.0f || form.int_ < 0.0f) return Refuse(kNegativeMessage);

  int sediments = 0;
  int bedrocks = 0;
  for (int i = 0; i < kLithologyBoxes; ++i) {
    if (!state_.lithology[i].checked) continue;
    (i < kSedimentBoxes ? sediments : bedrocks) += 1;
  }
  form.Str = state_.lithologyChange.selection;
  form.Bou = state_.base.selection;
  const bool graded = form.Str == model::kGraded || form.Str == model::kInverseGraded;

  if (graded) {
    if (sediments > 2) return Refuse(kTooManyLithologiesMessage);
    // Grading does not apply to bedrock.
    if (sediments == 0 && bedrocks >= 1) return Refuse(kGradedBedrockMessage);
    if (sediments >= 1 && bedrocks >= 1) return Refuse(kMixedLithologiesMessage);
  } else if (sediments >= 2 || bedrocks >= 2 || (sediments >= 1 && bedrocks >= 1)) {
    return Refuse(kTooManyLithologiesMessage);
  }

  if (form.Str == model::kNoChange) {
    if (form.bot < form.top) return Refuse(kCheckDepthsMessage);
    form.int_ = form.top;
  } else if (graded) {
    if (sediments < 2) return Refuse(kNeedTwoLithologiesMessage);
    if (!(form.top < form.int_ && form.int_ < form.bot) || form.int_ == 0.0f) {
      form.int_ = (form.top + form.bot) / 2.0f;
      platform_.ShowMessage(std::string(kMidpointMessageHead) + FormatMidpoint(form.int_) +
                            std::string(kMidpointMessageTail));
    }
  }

  if (rockQualityIndex_ == model::kQualityLoamy) {
    for (int i = 0; i < kLithologyBoxes; ++i) {
      if (state_.lithology[i].checked && !AllowsLoam(i)) return Refuse(kLoamyMessage);
    }
  }

  for (int k = 0; k < model::kStructureMarks; ++k) form.Se[k] = state_.structureKinds[k].selection;
  for (int k = 0; k < model::kStructureMarks; ++k) {
    if (form.DSe[k] == model::kNoMarkDepth) continue;
    if (MarkOutside(form.DSe[k], form.top, form.bot)) return Refuse(kStructureRangeMessages[k]);
    if (form.Se[k] == -1) return Refuse(kStructureKindMessages[k]);
  }
  for (int k = 0; k < model::kFeatureMarks; ++k) form.Ec[k] = state_.featureKinds[k].selection;
  for (int k = 0; k < model::kFeatureMarks; ++k) {
    if (form.DEc[k] == model::kNoMarkDepth) continue;
    if (MarkOutside(form.DEc[k], form.top, form.bot)) return Refuse(kFeatureRangeMessages[k]);
    if (form.Ec[k] == -1) return Refuse(kFeatureKindMessages[k]);
  }
  for (int k = 0; k < model::kSampleMarks; ++k) {
    if (form.DSa[k] == model::kNoMarkDepth) continue;
    if (MarkOutside(form.DSa[k], form.top, form.bot)) return Refuse(kSampleRangeMessages[k]);
  }
  return true;
}

void Session::ResolveLithology() {
  model::LayerForm& form = log_->form;
  model::LithologyCode sediment[2] = {model::kNoLithology, model::kNoLithology};
  int sediments = 0;
  model::LithologyCode bedrock = model::kNoLithology;
  for (int i = 0; i < kLithologyBoxes; ++i) {
    if (!state_.lithology[i].checked) continue;
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
    // Inverse grading puts the coarser lithology on top.
    if (form.Str == model::kInverseGraded) std::swap(form.RF1, form.RF2);
  }
}

}  // namespace borvik::editor
