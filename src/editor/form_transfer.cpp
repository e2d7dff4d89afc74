// Moving the form's values between the controls and the editor.

#include "editor/form_transfer.h"

#include <algorithm>
#include <array>

#include "editor/messages.h"
#include "editor/session.h"
#include "files/number_format.h"

namespace borvik::editor {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view s, std::size_t i) {
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i;
}

// True when all of s is one decimal floating-point number.
bool IsWholeDecimalNumber(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t intEnd = SkipDigits(s, i);
  bool digits = intEnd > i;
  i = intEnd;
  if (i < s.size() && s[i] == '.') {
    const std::size_t fracEnd = SkipDigits(s, i + 1);
    digits = digits || fracEnd > i + 1;
    i = fracEnd;
  }
  if (!digits) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t k = i + 1;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
    const std::size_t expEnd = SkipDigits(s, k);
    if (expEnd == k) return false;
    i = expEnd;
  }
  return i == s.size();
}

// One radio group shows its index; a value outside the group sets no
// button.
int RadioIndex(int value, std::size_t buttons) {
  return value >= 0 && value < static_cast<int>(buttons) ? value : -1;
}

}  // namespace

std::optional<float> ParseNumberBox(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  const std::string_view number = text.substr(begin, end - begin);
  if (!IsWholeDecimalNumber(number)) return std::nullopt;
  const files::FloatParse parsed = files::ParseFloatPrefix(number);
  if (parsed.error != files::NumberError::None) return std::nullopt;
  if (parsed.value == 0.0f && number.front() != '0') return std::nullopt;
  return parsed.value;
}

std::string FormatNumberBox(float value) {
  std::string text;
  files::AppendFloat(text, value);
  return text;
}

bool Session::ReadControls() {
  model::LayerForm& form = log_->form;
  const std::array<std::pair<const std::string*, float*>, 14> boxes{{
      {&state_.top, &form.top},
      {&state_.bot, &form.bot},
      {&state_.int_, &form.int_},
      {&state_.structureDepths[0], &form.DSe[0]},
      {&state_.structureDepths[1], &form.DSe[1]},
      {&state_.structureDepths[2], &form.DSe[2]},
      {&state_.structureDepths[3], &form.DSe[3]},
      {&state_.featureDepths[0], &form.DEc[0]},
      {&state_.featureDepths[1], &form.DEc[1]},
      {&state_.featureDepths[2], &form.DEc[2]},
      {&state_.sampleDepths[0], &form.DSa[0]},
      {&state_.sampleDepths[1], &form.DSa[1]},
      {&state_.sampleDepths[2], &form.DSa[2]},
      {&state_.sampleDepths[3], &form.DSa[3]},
  }};
  for (const auto& [text, value] : boxes) {
    const std::optional<float> number = ParseNumberBox(*text);
    if (!number) {
      platform_.ShowMessage(kNeedNumberMessage);
      return false;
    }
    *value = *number;
  }
  rockQualityIndex_ = state_.rockQuality;
  weatheringIndex_ = state_.weathering;
  // The bar reports no more than its range: a view taken on past it by the
  // arrows falls back here.
  view_.scrollPosition = std::clamp(state_.scrollBar, 0, kScrollBarMax);
  return ReadHeaderBoxes();
}

bool Session::ReadHeaderBoxes() {
  log_->header.name = state_.name;
  const std::optional<float> elevation = ParseNumberBox(state_.elevation);
  if (!elevation) {
    platform_.ShowMessage(kNeedNumberMessage);
    return false;
  }
  log_->header.elevation = *elevation;
  return true;
}

void Session::WriteControls() {
  const model::LayerForm& form = log_->form;
  state_.top = FormatNumberBox(form.top);
  state_.bot = FormatNumberBox(form.bot);
  state_.int_ = FormatNumberBox(form.int_);
  for (int i = 0; i < model::kStructureMarks; ++i) {
    state_.structureDepths[i] = FormatNumberBox(form.DSe[i]);
  }
  for (int i = 0; i < model::kFeatureMarks; ++i) {
    state_.featureDepths[i] = FormatNumberBox(form.DEc[i]);
  }
  for (int i = 0; i < model::kSampleMarks; ++i) {
    state_.sampleDepths[i] = FormatNumberBox(form.DSa[i]);
  }
  state_.rockQuality = RadioIndex(rockQualityIndex_, model::kRockQualityButtons.size());
  state_.weathering = RadioIndex(weatheringIndex_, model::kWeatheringButtons.size());
  state_.scrollBar = std::clamp(view_.scrollPosition, 0, kScrollBarMax);
  state_.name = log_->header.name;
  state_.elevation = FormatNumberBox(log_->header.elevation);
}

void Session::ResetForm() {
  model::LayerForm& form = log_->form;
  form.int_ = 0.0f;
  form.DSe.fill(model::kNoMarkDepth);
  form.DEc.fill(model::kNoMarkDepth);
  form.DSa.fill(model::kNoMarkDepth);
  form.RF1 = form.RF2 = model::kNoLithology;
  rockQualityIndex_ = 0;
  weatheringIndex_ = 0;
  form.Se.fill(0);
  form.Ec.fill(0);
  form.Sa.fill(0);
  state_.lithologyChange.Select(0);
  state_.base.Select(0);
  for (ListState& list : state_.structureKinds) list.Select(0);
  for (ListState& list : state_.featureKinds) list.Select(0);
  for (CheckBoxState& box : state_.lithology) box.checked = false;
}

}  // namespace borvik::editor
