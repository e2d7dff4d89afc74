#pragma once
// Undo and redo: the editor's state before each step that changed the log,
// kept small. The drawing is not kept: it follows from the layers and the
// scale, and only the legend flags (which an edit never switches off) are
// kept beside them.

#include <cstddef>
#include <deque>
#include <functional>
#include <unordered_set>

#include "editor/entry_mode.h"
#include "editor/form_controls.h"
#include "editor/layer_sequence.h"
#include "model/document.h"
#include "render/legend_usage.h"

namespace borvik::editor {

// Everything a step can change, as it stood at one moment.
struct EditorSnapshot {
  model::LogHeader header;
  LayerSequence layers;
  int currentLayer = 0;
  render::LegendUsage legend;
  // The form: its values apart from the controls, and the controls.
  model::LayerForm form;
  int rockQualityIndex = 0;
  int weatheringIndex = 0;
  EntryMode mode = EntryMode::Append;
  FormControls controls;
  // The work file: whether its head is written, and with which name and
  // elevation (the first entry's, which may differ from the log's now).
  bool workFileStarted = false;
  model::LogHeader workFileHead;
  // The document the log belongs to (Session), which says its file.
  int document = 0;

  // Memory of the snapshot; record buffers already in `counted` are shared
  // and not counted again.
  std::size_t MemoryBytes(std::unordered_set<const void*>& counted) const;
};

class UndoHistory {
 public:
  // The oldest steps are forgotten beyond this many.
  static constexpr std::size_t kMaxSteps = 100;

  // A step was taken from `before`: it can be undone; what was undone
  // before can no longer be redone.
  void Record(EditorSnapshot before);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  std::size_t UndoSteps() const { return undo_.size(); }
  std::size_t RedoSteps() const { return redo_.size(); }

  // The state to go back to; `current` becomes the step to redo. Only when
  // CanUndo().
  EditorSnapshot Undo(EditorSnapshot current);
  // The state to go forward to; `current` becomes the step to undo. Only
  // when CanRedo().
  EditorSnapshot Redo(EditorSnapshot current);

  // What the history holds in memory, shared records counted once.
  std::size_t MemoryBytes() const;
  void ForEachSnapshot(const std::function<void(const EditorSnapshot&)>& visit) const;

 private:
  std::deque<EditorSnapshot> undo_;
  std::deque<EditorSnapshot> redo_;
};

}  // namespace borvik::editor
