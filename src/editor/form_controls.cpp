#include "editor/form_controls.h"

namespace borvik::editor {
namespace {

// Every text of the controls, for FormControls and const FormControls.
template <typename Controls, typename Each>
void ForEachText(Controls& c, Each each) {
  each(c.top);
  each(c.bot);
  each(c.int_);
  for (auto& text : c.structureDepths) each(text);
  for (auto& text : c.featureDepths) each(text);
  for (auto& text : c.sampleDepths) each(text);
  each(c.name);
  each(c.elevation);
  each(c.recordLabel);
}

}  // namespace

FormControls FormControls::Of(const MainWindowState& s) {
  FormControls c;
  c.top = s.top;
  c.bot = s.bot;
  c.int_ = s.int_;
  c.structureDepths = s.structureDepths;
  c.featureDepths = s.featureDepths;
  c.sampleDepths = s.sampleDepths;
  c.name = s.name;
  c.elevation = s.elevation;
  c.lithologyChange = s.lithologyChange.selection;
  c.base = s.base.selection;
  for (int k = 0; k < model::kStructureMarks; ++k)
    c.structureKinds[k] = s.structureKinds[k].selection;
  for (int k = 0; k < model::kFeatureMarks; ++k) c.featureKinds[k] = s.featureKinds[k].selection;
  for (int i = 0; i < kLithologyBoxes; ++i) c.lithology[i] = s.lithology[i].checked;
  c.rockQuality = s.rockQuality;
  c.weathering = s.weathering;
  c.recordLabel = s.recordLabel;
  c.nextEnabled = s.nextEnabled;
  // Texts kept for long are kept small.
  ForEachText(c, [](std::string& text) { text.shrink_to_fit(); });
  return c;
}

void FormControls::ShowIn(MainWindowState& s) const {
  s.top = top;
  s.bot = bot;
  s.int_ = int_;
  s.structureDepths = structureDepths;
  s.featureDepths = featureDepths;
  s.sampleDepths = sampleDepths;
  s.name = name;
  s.elevation = elevation;
  s.lithologyChange.Select(lithologyChange);
  s.base.Select(base);
  for (int k = 0; k < model::kStructureMarks; ++k) s.structureKinds[k].Select(structureKinds[k]);
  for (int k = 0; k < model::kFeatureMarks; ++k) s.featureKinds[k].Select(featureKinds[k]);
  for (int i = 0; i < kLithologyBoxes; ++i) s.lithology[i].checked = lithology[i];
  s.rockQuality = rockQuality;
  s.weathering = weathering;
  s.recordLabel = recordLabel;
  s.nextEnabled = nextEnabled;
}

std::size_t FormControls::TextBytes() const {
  std::size_t bytes = 0;
  // Short texts live inside the string itself.
  ForEachText(*this, [&bytes](const std::string& text) {
    if (text.capacity() > std::string().capacity()) bytes += text.capacity() + 1;
  });
  return bytes;
}

}  // namespace borvik::editor
