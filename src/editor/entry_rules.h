#pragma once
// The rules of data entry as one decision: what the form holds when データ入力
// is pressed goes in, the layer to store or the first rule it breaks comes
// out. No toolkit, no files, no messages shown: the editor, borvik-cli check
// and the import apply the same decision.

#include <array>
#include <optional>
#include <string_view>

#include "editor/main_window_state.h"
#include "model/document.h"

namespace borvik::editor {

// The form as the press finds it.
struct EntryForm {
  // The numbers as read from the boxes; the codes are derived below.
  model::LayerForm values;
  model::LogHeader header;
  int lithologyChange = 0;  // list positions; -1 for a list without selection
  int base = 0;
  std::array<bool, kLithologyBoxes> lithology{};  // in MainWindowState::lithology order
  int rockQuality = 0;                            // radio indices; -1 with no button set
  int weathering = 0;
  std::array<int, model::kStructureMarks> structureKinds{};
  std::array<int, model::kFeatureMarks> featureKinds{};
  int scale = model::kDefaultScaleIndex;
};

// The rules, in the order they are checked.
enum class EntryRule {
  kNeedName,
  kThickness,
  kNeedBottom,
  kNegative,
  kTooManyLithologies,
  kGradedBedrock,
  kMixedLithologies,
  kCheckDepths,
  kNeedTwoLithologies,
  kLoamy,
  kStructureRange,  // mark: which structure
  kStructureKind,
  kFeatureRange,
  kFeatureKind,
  kSampleRange,
};

struct EntryRefusal {
  EntryRule rule;
  int mark = 0;  // 0-based mark of the range and kind rules
  std::string_view message;
};

struct EntryDecision {
  // The form's values once the checks have run. On acceptance this is the
  // layer to store, every code derived; on refusal the values as the checks
  // left them (the form shows them again).
  model::LayerForm form;
  std::optional<EntryRefusal> refusal;
  // The scale the checks read from the list once past the name rule: a list
  // without selection counts as 1/50.
  std::optional<int> scaleIndex;
  // Side effects the user sees: the thickness rule clears the bottom, and a
  // graded layer without a usable change depth gets the midpoint, which is
  // said (MidpointMessage) whether or not a later rule refuses the layer.
  bool bottomCleared = false;
  std::optional<float> midpoint;

  bool Accepted() const { return !refusal.has_value(); }
};

EntryDecision DecideEntry(const EntryForm& form);

// "岩相が変化する深度を中点の xx.xx に設定します".
std::string MidpointMessage(float depth);

// A name the layer file cannot hold (a comma, a line break, a character
// outside code page 932): the message that refuses it.
std::optional<std::string_view> NameRefusal(std::string_view name);

// The form as navigation shows a stored layer (ResetForm, then the layer):
// lists select its codes, the boxes its lithology codes, the radio groups
// its indices; codes no control can show leave it without a selection.
EntryForm FormShowing(const model::LayerRecord& layer, const model::LogHeader& header,
                      int scaleIndex);

}  // namespace borvik::editor
