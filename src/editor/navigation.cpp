// 前のデータ / 次のデータ: stepping through the stored layers, and showing a
// stored layer in the form.

#include "editor/messages.h"
#include "editor/session.h"

namespace borvik::editor {

void Session::LoadFormFromLayer(int slot) {
  ShowInForm(FormShowing(log_->layers.Get(slot), log_->header, view_.scaleIndex));
}

void Session::ShowInForm(const EntryForm& shown) {
  log_->form = shown.values;
  state_.lithologyChange.Select(shown.lithologyChange);
  state_.base.Select(shown.base);
  rockQualityIndex_ = shown.rockQuality;
  weatheringIndex_ = shown.weathering;
  for (int k = 0; k < model::kStructureMarks; ++k)
    state_.structureKinds[k].Select(shown.structureKinds[k]);
  for (int k = 0; k < model::kFeatureMarks; ++k)
    state_.featureKinds[k].Select(shown.featureKinds[k]);
  for (int i = 0; i < kLithologyBoxes; ++i) state_.lithology[i].checked = shown.lithology[i];
}

void Session::ShowPreviousLayer() {
  model::LayerTable& layers = log_->layers;
  layers.SetCurrentLayer(layers.CurrentLayer() - 1);
  if (layers.CurrentLayer() < 0) {
    layers.SetCurrentLayer(0);
    platform_.ShowMessage(kNoEarlierRecordMessage);
    return;
  }
  SetRecordLabel();
  state_.nextEnabled = true;
  ResetForm();
  LoadFormFromLayer(layers.CurrentLayer());
  mode_ = EntryMode::Edit;
  WriteControls();
}

void Session::ShowLayer(int slot) {
  model::LayerTable& layers = log_->layers;
  if (slot < 1 || slot > layers.LayerCount()) return;
  layers.SetCurrentLayer(slot);
  SetRecordLabel();
  state_.nextEnabled = true;
  ResetForm();
  LoadFormFromLayer(slot);
  mode_ = EntryMode::Edit;
  WriteControls();
}

std::optional<int> Session::ShownLayer() const {
  const model::LayerTable& layers = log_->layers;
  const int current = layers.CurrentLayer();
  if (mode_ != EntryMode::Edit || current < 1 || current > layers.LayerCount()) return std::nullopt;
  return current;
}

void Session::ShowNextLayer() {
  model::LayerTable& layers = log_->layers;
  if (layers.CurrentLayer() + 1 <= layers.LayerCount()) {
    ShowLayer(layers.CurrentLayer() + 1);
    return;
  }
  // Past the last layer: back to appending below it.
  layers.SetCurrentLayer(layers.LayerCount());
  ResetForm();
  log_->form.top = layers.LayerCount() > 0 ? layers.Get(layers.LayerCount()).bot : 0.0f;
  log_->form.bot = 0.0f;
  WriteControls();
  SetRecordLabel();
  state_.nextEnabled = false;
  mode_ = EntryMode::Append;
}

}  // namespace borvik::editor
