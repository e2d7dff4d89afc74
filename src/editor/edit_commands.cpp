// The 編集 menu: undo and redo, 層を削除 (層を挿入 is an entry: entry.cpp),
// and the one function through which every change to the log becomes a
// step.

#include "editor/messages.h"
#include "editor/session.h"

namespace borvik::editor {

EditorSnapshot Session::TakeSnapshot() {
  lastLayers_ = LayerSequence::Capture(log_->layers, lastLayers_);
  EditorSnapshot s;
  s.header = log_->header;
  s.layers = lastLayers_;
  s.currentLayer = log_->layers.CurrentLayer();
  s.legend = legend_;
  s.form = log_->form;
  s.rockQualityIndex = rockQualityIndex_;
  s.weatheringIndex = weatheringIndex_;
  s.mode = mode_;
  s.controls = FormControls::Of(state_);
  s.workFileStarted = work_.Started();
  s.workFileHead = work_.Head();
  s.document = document_;
  return s;
}

void Session::Restore(const EditorSnapshot& s) {
  log_->header = s.header;
  s.layers.RestoreInto(log_->layers);
  log_->layers.SetCurrentLayer(s.currentLayer);
  lastLayers_ = s.layers;
  log_->form = s.form;
  rockQualityIndex_ = s.rockQualityIndex;
  weatheringIndex_ = s.weatheringIndex;
  mode_ = s.mode;
  s.controls.ShowIn(state_);
  document_ = s.document;
  // The work file as it stood then, written whole, so that a crash now
  // recovers what the window shows.
  Report(work_.Restore(s.workFileStarted, s.workFileHead, log_->layers));
  // The drawing follows from the layers at the scale shown now; the legend
  // keeps what the layers' history had switched on.
  RebuildDrawing();
  legend_ = s.legend;
  platform_.Redraw();
}

bool Session::RecordStep(const std::function<bool()>& command) {
  if (stepDepth_ > 0) return command();
  EditorSnapshot before = TakeSnapshot();
  struct Depth {
    int& depth;
    explicit Depth(int& d) : depth(++d) {}
    ~Depth() { --depth; }
  };
  bool done = false;
  {
    const Depth inside(stepDepth_);
    done = command();
  }
  if (!done) return false;
  const bool changed = !(before.header == log_->header) || !before.layers.SameAs(log_->layers) ||
                       !(before.legend == legend_) || FileOf(before.document) != File();
  if (changed) {
    lastLayers_ = LayerSequence::Capture(log_->layers, lastLayers_);
    history_.Record(std::move(before));
    ForgetUnusedDocuments();
  }
  return true;
}

void Session::Undo() {
  if (!history_.CanUndo()) return;
  Restore(history_.Undo(TakeSnapshot()));
}

void Session::Redo() {
  if (!history_.CanRedo()) return;
  Restore(history_.Redo(TakeSnapshot()));
}

void Session::DeleteLayer() {
  const std::optional<int> shown = ShownLayer();
  if (!shown || !platform_.AskYesNo(kDeleteLayerQuestion)) return;
  RecordStep([&] {
    model::LayerTable& layers = log_->layers;
    layers.Remove(*shown);
    RewriteAndRebuild();
    platform_.Redraw();
    // The layer that followed, now in the same slot; after the last, a new
    // layer below the log.
    layers.SetCurrentLayer(*shown - 1);
    ShowNextLayer();
    return true;
  });
}

std::vector<LayerListRow> Session::LayerList() const {
  return LayerListRows(log_->layers, catalogue_);
}

}  // namespace borvik::editor
