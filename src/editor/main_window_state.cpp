#include "editor/main_window_state.h"

#include <cstdio>

namespace borvik::editor {
namespace {

// Captions of the bedrock boxes in the window template; initialisation puts
// the catalogue's names in their place.
constexpr std::array<std::string_view, kBedrockBoxes> kTemplateBedrockCaptions{
    "堆積岩類", "火山岩類", "半深成岩", "深成岩類", "変成岩類", "石灰岩"};

int BedrockBoxIdForSlot(int slot) {
  for (const model::BedrockType& type : model::kBedrockTypes) {
    if (type.catalogueSlot == slot) return type.checkBoxId;
  }
  return 0;
}

}  // namespace

void ListState::Select(int position) {
  selection = position >= 0 && position < static_cast<int>(entries.size()) ? position : -1;
}

MainWindowState::MainWindowState() {
  for (int i = 0; i < kSedimentBoxes; ++i) {
    const model::SedimentLithology& box = model::kSedimentLithologies[i];
    lithology[i] = {box.checkBoxId, std::string(box.caption), false};
  }
  for (int slot = 1; slot <= kBedrockBoxes; ++slot) {
    lithology[kSedimentBoxes + slot - 1] = {BedrockBoxIdForSlot(slot),
                                            std::string(kTemplateBedrockCaptions[slot - 1]), false};
  }
  for (std::size_t i = 0; i < kDisplayCaptions.size(); ++i) {
    const DisplayCaptions& button = kDisplayCaptions[i];
    // The template shows the initial view: marks shown, legend hidden,
    // depth labels.
    const bool on = button.id != control::kShowLegend && button.id != control::kElevationLabels;
    displayButtons[i] = {button.id, std::string(on ? button.on : button.off)};
  }
}

std::string* MainWindowState::EditBox(int id) {
  switch (id) {
    case control::kTop: return &top;
    case control::kBot: return &bot;
    case control::kInt: return &int_;
    case control::kName: return &name;
    case control::kElevation: return &elevation;
    default: break;
  }
  for (int i = 0; i < model::kStructureMarks; ++i) {
    if (control::kStructureDepths[i] == id) return &structureDepths[i];
  }
  for (int i = 0; i < model::kFeatureMarks; ++i) {
    if (control::kFeatureDepths[i] == id) return &featureDepths[i];
  }
  for (int i = 0; i < model::kSampleMarks; ++i) {
    if (control::kSampleDepths[i] == id) return &sampleDepths[i];
  }
  return nullptr;
}

ListState* MainWindowState::List(int id) {
  switch (id) {
    case control::kLithologyChange: return &lithologyChange;
    case control::kBase: return &base;
    case control::kScale: return &scale;
    default: break;
  }
  for (int i = 0; i < model::kStructureMarks; ++i) {
    if (control::kStructureKinds[i] == id) return &structureKinds[i];
  }
  for (int i = 0; i < model::kFeatureMarks; ++i) {
    if (control::kFeatureKinds[i] == id) return &featureKinds[i];
  }
  return nullptr;
}

CheckBoxState* MainWindowState::CheckBox(int id) {
  for (CheckBoxState& box : lithology) {
    if (box.id == id) return &box;
  }
  return nullptr;
}

ButtonState* MainWindowState::Button(int id) {
  for (ButtonState& button : displayButtons) {
    if (button.id == id) return &button;
  }
  return nullptr;
}

model::LithologyCode LithologyBoxCode(int boxIndex) {
  if (boxIndex >= 0 && boxIndex < kSedimentBoxes) return model::kSedimentLithologies[boxIndex].code;
  const int slot = boxIndex - kSedimentBoxes + 1;
  for (const model::BedrockType& type : model::kBedrockTypes) {
    if (type.catalogueSlot == slot) return type.code;
  }
  return model::kNoLithology;
}

std::string FormatRecordLabel(int currentLayer, int layerCount) {
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, "%3d / %3d", currentLayer, layerCount);
  return std::string("柱状図データ：") + numbers;
}

}  // namespace borvik::editor
