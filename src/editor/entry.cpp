// データ入力: a layer from the form into the log, as a new layer or in place
// of the one shown.

#include "editor/messages.h"
#include "editor/session.h"

namespace borvik::editor {

EntryResult Session::EnterLayer() {
  refusal_.clear();
  // A box without a number has been reported; the entry goes on with the
  // values it kept.
  ReadControls();
  model::LayerTable& layers = log_->layers;
  const auto refused = [this] {
    WriteControls();
    return EntryResult{false, refusal_};
  };

  // Record 0 is no layer: an entry there would be neither saved nor drawn.
  if (mode_ == EntryMode::Edit && layers.CurrentLayer() == 0) {
    Refuse(kRecordZeroMessage);
    return refused();
  }
  // A name the layer file cannot hold is refused before it reaches the work
  // file's head.
  if (!NameIsStorable()) return refused();

  // The head keeps the name and elevation of the first press, refused or
  // not.
  if (!workFileStarted_) NoteWorkFileWrite(workFile_.Start(log_->header));
  if (mode_ == EntryMode::Append && layers.IsFull()) {
    Refuse(files::kTableFullMessage);
    workFileStarted_ = true;
    return refused();
  }
  if (!ValidateForm()) {
    workFileStarted_ = true;
    return refused();
  }

  model::LayerForm& form = log_->form;
  ResolveLithology();
  form.RFe = rockQualityIndex_;
  form.Wea = weatheringIndex_;
  for (int k = 0; k < model::kStructureMarks; ++k) {
    form.Se[k] = form.DSe[k] == model::kNoMarkDepth ? 0 : state_.structureKinds[k].selection;
  }
  for (int k = 0; k < model::kFeatureMarks; ++k) {
    form.Ec[k] = form.DEc[k] == model::kNoMarkDepth ? 0 : state_.featureKinds[k].selection;
  }
  for (int k = 0; k < model::kSampleMarks; ++k) {
    form.Sa[k] = form.DSa[k] == model::kNoMarkDepth ? 0 : 1;
  }

  if (mode_ == EntryMode::Append) {
    const int slot = layers.NextFreeSlot();
    state_.recordLabel = FormatRecordLabel(slot, slot);
    render::AddLayerToDrawing(*drawing_, legend_, form, view_.scaleIndex);
    platform_.Redraw();
    if (workFileInStep_) {
      NoteWorkFileWrite(files::AppendLayer(*log_, workFile_));
    } else {
      // The file is behind the table since a write failed: a line added now
      // would leave a gap, so it is written whole.
      layers.Append(form);  // not full: checked above
      NoteWorkFileWrite(workFile_.Rewrite(log_->header, layers));
    }
    ResetForm();
    form.top = layers.Get(layers.LayerCount()).bot;
    form.bot = 0.0f;
    WriteControls();
  } else {
    mode_ = EntryMode::Append;
    drawing_->Clear();
    layers.Replace(layers.CurrentLayer(), form);
    const files::Status rewritten = workFile_.Rewrite(log_->header, layers);
    NoteWorkFileWrite(rewritten);
    // The drawing is rebuilt from the file just written, as a load would.
    // A file that could not be written or read back must not leave the
    // picture empty: the table holds the edit, so the drawing comes from it.
    auto readBack = std::make_unique<model::Document>();
    if (rewritten && workFile_.ReadBack(*readBack)) {
      log_->header = readBack->header;
      render::RebuildDrawing(*drawing_, legend_, readBack->layers, view_.scaleIndex);
    } else {
      RebuildDrawing();
    }
    platform_.Redraw();
    ShowNextLayer();
  }
  workFileStarted_ = true;
  return {true, {}};
}

}  // namespace borvik::editor
