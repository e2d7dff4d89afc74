// Which file the log belongs to, whether it differs from that file, and the
// question before a window with unsaved changes closes.

#include <set>

#include "editor/form_transfer.h"
#include "editor/messages.h"
#include "editor/session.h"

namespace borvik::editor {

std::filesystem::path Session::FileOf(int document) const {
  const auto found = files_.find(document);
  return found == files_.end() ? std::filesystem::path() : found->second.path;
}

void Session::NoteSaved(const std::filesystem::path& path) {
  lastLayers_ = LayerSequence::Capture(log_->layers, lastLayers_);
  const SavedLog saved{path, log_->header, lastLayers_};
  files_[document_] = saved;
  // Earlier documents of the same file now differ from what it holds.
  for (auto& [document, file] : files_) {
    if (file.path == path) file = saved;
  }
}

void Session::ForgetUnusedDocuments() {
  std::set<int> used{document_};
  history_.ForEachSnapshot([&used](const EditorSnapshot& step) { used.insert(step.document); });
  std::erase_if(files_, [&used](const auto& entry) { return !used.contains(entry.first); });
}

model::LogHeader Session::HeaderAsShown() const {
  // Saving reads the boxes: a name typed and not yet entered is a change.
  model::LogHeader shown{state_.name, log_->header.elevation};
  if (const std::optional<float> elevation = ParseNumberBox(state_.elevation)) {
    shown.elevation = *elevation;
  }
  return shown;
}

bool Session::HasUnsavedChanges() const {
  const model::LogHeader shown = HeaderAsShown();
  const auto file = files_.find(document_);
  if (file == files_.end()) return !(shown == model::LogHeader{}) || log_->layers.LayerCount() > 0;
  return !(shown == file->second.header) || !file->second.layers.SameAs(log_->layers);
}

std::string Session::WindowTitle() const {
  const std::filesystem::path file = File();
  const bool changed = HasUnsavedChanges();
  if (file.empty() && !changed) return std::string(kProgramName);
  std::string title = changed ? "*" : "";
  title += file.empty() ? std::string(kUntitledLog) : file.filename().string();
  return title + " - " + std::string(kProgramName);
}

bool Session::QueryClose() {
  if (!HasUnsavedChanges()) return true;
  switch (platform_.AskYesNoCancel(kSaveChangesQuestion)) {
    case YesNoCancel::kYes:
      OnFileSaveInPlace();
      // A save declined or failed keeps the window and the log.
      return !HasUnsavedChanges();
    case YesNoCancel::kNo: return true;
    case YesNoCancel::kCancel: break;
  }
  return false;
}

}  // namespace borvik::editor
