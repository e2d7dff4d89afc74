#pragma once
// The part of the window that shows the log and the layer in the form: the
// edit boxes as typed, the list selections, the check boxes, the radio
// buttons, the record label and 次のデータ. Undo puts it back as it was;
// the view's controls (scale, display buttons, scroll bar) and the lists'
// entries are not part of it.

#include <array>
#include <cstddef>
#include <string>

#include "editor/main_window_state.h"

namespace borvik::editor {

struct FormControls {
  std::string top;
  std::string bot;
  std::string int_;
  std::array<std::string, model::kStructureMarks> structureDepths;
  std::array<std::string, model::kFeatureMarks> featureDepths;
  std::array<std::string, model::kSampleMarks> sampleDepths;
  std::string name;
  std::string elevation;
  int lithologyChange = 0;
  int base = 0;
  std::array<int, model::kStructureMarks> structureKinds{};
  std::array<int, model::kFeatureMarks> featureKinds{};
  std::array<bool, kLithologyBoxes> lithology{};
  int rockQuality = 0;
  int weathering = 0;
  std::string recordLabel;
  bool nextEnabled = true;

  static FormControls Of(const MainWindowState& state);
  void ShowIn(MainWindowState& state) const;
  // Heap memory of the texts.
  std::size_t TextBytes() const;

  friend bool operator==(const FormControls&, const FormControls&) = default;
};

}  // namespace borvik::editor
