// 前のデータ / 次のデータ: stepping through the stored layers, and showing a
// stored layer in the form.

#include "editor/messages.h"
#include "editor/session.h"

namespace borvik::editor {

void Session::LoadFormFromLayer(int slot) { LoadFormFromRecord(log_->layers.Get(slot)); }

void Session::LoadFormFromRecord(const model::LayerRecord& layer) {
  model::LayerForm& form = log_->form;
  form.top = layer.top;
  form.bot = layer.bot;
  form.int_ = layer.int_;
  form.RF1 = layer.RF1;
  form.RF2 = layer.RF2;
  form.DSe = layer.DSe;
  form.DEc = layer.DEc;
  form.DSa = layer.DSa;
  form.Str = layer.Str;
  form.Bou = layer.Bou;
  state_.lithologyChange.Select(layer.Str);
  state_.base.Select(layer.Bou);
  rockQualityIndex_ = layer.RFe;
  weatheringIndex_ = layer.Wea;
  form.Se = layer.Se;
  form.Ec = layer.Ec;
  for (int k = 0; k < model::kStructureMarks; ++k) state_.structureKinds[k].Select(layer.Se[k]);
  for (int k = 0; k < model::kFeatureMarks; ++k) state_.featureKinds[k].Select(layer.Ec[k]);
  // Exact codes only: 0.1799 is fine ash, not very fine sand; the bedrock
  // width 0.29 and "no lithology" check nothing.
  for (int i = 0; i < kLithologyBoxes; ++i) {
    const model::LithologyCode code = LithologyBoxCode(i);
    if (code == layer.RF1 || code == layer.RF2) state_.lithology[i].checked = true;
  }
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

void Session::ShowNextLayer() {
  model::LayerTable& layers = log_->layers;
  layers.SetCurrentLayer(layers.CurrentLayer() + 1);
  if (layers.CurrentLayer() <= layers.LayerCount()) {
    SetRecordLabel();
    state_.nextEnabled = true;
    ResetForm();
    LoadFormFromLayer(layers.CurrentLayer());
    mode_ = EntryMode::Edit;
    WriteControls();
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
