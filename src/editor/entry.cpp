// データ入力 and 層を挿入: a layer from the form into the log, as a new layer,
// in place of the one shown, or before it.

#include "editor/messages.h"
#include "editor/session.h"

namespace borvik::editor {

EntryForm Session::CurrentEntryForm() const {
  EntryForm in;
  in.values = log_->form;
  in.header = log_->header;
  in.lithologyChange = state_.lithologyChange.selection;
  in.base = state_.base.selection;
  for (int i = 0; i < kLithologyBoxes; ++i) in.lithology[i] = state_.lithology[i].checked;
  in.rockQuality = rockQualityIndex_;
  in.weathering = weatheringIndex_;
  for (int k = 0; k < model::kStructureMarks; ++k) {
    in.structureKinds[k] = state_.structureKinds[k].selection;
  }
  for (int k = 0; k < model::kFeatureMarks; ++k)
    in.featureKinds[k] = state_.featureKinds[k].selection;
  in.scale = state_.scale.selection;
  return in;
}

EntryResult Session::EnterLayer() {
  EntryResult result;
  RecordStep([&] {
    result = StoreForm(false);
    return result.accepted;
  });
  return result;
}

EntryResult Session::InsertLayer() {
  EntryResult result;
  RecordStep([&] {
    result = StoreForm(true);
    return result.accepted;
  });
  return result;
}

EntryResult Session::StoreForm(bool insert) {
  // A box without a number has been reported; the entry goes on with the
  // values it kept.
  ReadControls();
  model::LayerTable& layers = log_->layers;
  const auto refused = [this](std::string_view message) {
    platform_.ShowMessage(message);
    WriteControls();
    return EntryResult{false, std::string(message)};
  };

  // Record 0 is no layer: an entry there would be neither saved nor drawn.
  if (mode_ == EntryMode::Edit && layers.CurrentLayer() == 0) return refused(kRecordZeroMessage);
  // A name the layer file cannot hold is refused before it reaches the work
  // file's head.
  if (const auto name = NameRefusal(log_->header.name)) return refused(*name);
  // The head keeps the name and elevation of the first press, refused or
  // not.
  if (!work_.Started()) Report(work_.Start(log_->header));
  // In append mode an insertion is an entry.
  const bool inserting = insert && mode_ == EntryMode::Edit;
  if ((mode_ == EntryMode::Append || inserting) && layers.IsFull()) {
    return refused(kTableFullMessage);
  }

  const EntryDecision decision = DecideEntry(CurrentEntryForm());
  log_->form = decision.form;
  if (decision.scaleIndex) view_.scaleIndex = *decision.scaleIndex;
  if (decision.midpoint) platform_.ShowMessage(MidpointMessage(*decision.midpoint));
  if (decision.refusal) return refused(decision.refusal->message);

  const model::LayerForm& form = log_->form;
  if (mode_ == EntryMode::Append) {
    const int slot = layers.NextFreeSlot();
    state_.recordLabel = FormatRecordLabel(slot, slot);
    if (!render::AddLayerToDrawing(*drawing_, legend_, form, view_.scaleIndex)) {
      platform_.ShowMessage(kDrawingFullMessage);
    }
    platform_.Redraw();
    Report(work_.Append(*log_));  // not full: checked above
    ResetForm();
    log_->form.top = layers.Get(layers.LayerCount()).bot;
    log_->form.bot = 0.0f;
    WriteControls();
  } else if (inserting) {
    // The layer shown moves down one slot and stays shown.
    const int shown = layers.CurrentLayer();
    layers.Insert(shown, form);  // not full: checked above
    RewriteAndRebuild();
    platform_.Redraw();
    ShowLayer(shown + 1);
  } else {
    mode_ = EntryMode::Append;
    layers.Replace(layers.CurrentLayer(), form);
    RewriteAndRebuild();
    platform_.Redraw();
    ShowNextLayer();
  }
  return {true, {}};
}

void Session::RewriteAndRebuild() {
  drawing_->Clear();
  const files::Status rewritten = work_.Rewrite(log_->header, log_->layers);
  Report(rewritten);
  // The drawing is rebuilt from the file just written, as a load would.
  // A file that could not be written or read back must not leave the
  // picture empty: the table holds the change, so the drawing comes from it.
  auto readBack = std::make_unique<model::Document>();
  if (rewritten && work_.ReadBack(*readBack)) {
    log_->header = readBack->header;
    RebuildDrawingFrom(readBack->layers);
  } else {
    RebuildDrawing();
  }
}

}  // namespace borvik::editor
