#include "editor/undo_history.h"

#include <utility>

namespace borvik::editor {
namespace {

std::size_t TextBytes(const std::string& text) {
  return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

}  // namespace

std::size_t EditorSnapshot::MemoryBytes(std::unordered_set<const void*>& counted) const {
  return sizeof(EditorSnapshot) + layers.MemoryBytes(counted) + controls.TextBytes() +
         TextBytes(header.name) + TextBytes(workFileHead.name);
}

void UndoHistory::Record(EditorSnapshot before) {
  redo_.clear();
  undo_.push_back(std::move(before));
  if (undo_.size() > kMaxSteps) undo_.pop_front();
}

EditorSnapshot UndoHistory::Undo(EditorSnapshot current) {
  EditorSnapshot back = std::move(undo_.back());
  undo_.pop_back();
  redo_.push_back(std::move(current));
  return back;
}

EditorSnapshot UndoHistory::Redo(EditorSnapshot current) {
  EditorSnapshot forward = std::move(redo_.back());
  redo_.pop_back();
  undo_.push_back(std::move(current));
  return forward;
}

std::size_t UndoHistory::MemoryBytes() const {
  std::unordered_set<const void*> counted;
  std::size_t bytes = 0;
  ForEachSnapshot([&](const EditorSnapshot& step) { bytes += step.MemoryBytes(counted); });
  return bytes;
}

void UndoHistory::ForEachSnapshot(const std::function<void(const EditorSnapshot&)>& visit) const {
  for (const EditorSnapshot& step : undo_) visit(step);
  for (const EditorSnapshot& step : redo_) visit(step);
}

}  // namespace borvik::editor
