#pragma once
// The work file of one window, kept in step with the log being edited:
// where it is (held by the window's lease), whether its head has been
// written, and whether a failed write left it behind the table, in which
// case the next write replaces it whole instead of adding to it.

#include <filesystem>

#include "files/error.h"
#include "files/work_file.h"
#include "files/work_file_lease.h"
#include "model/document.h"

namespace borvik::editor {

class WorkCopy {
 public:
  // An empty path: no folder could take a work file; every write fails.
  WorkCopy(std::filesystem::path path, files::WorkFileLease lease);

  const files::WorkFileLease& Lease() const { return lease_; }
  void RecoveryAnswered() { lease_.RecoveryAnswered(); }
  bool HasPath() const { return !file_.Path().empty(); }
  // The head is written (the first entry after start, New or a failed load
  // writes it; a load writes the whole file).
  bool Started() const { return started_; }
  void MarkStarted() { started_ = true; }
  bool InStep() const { return inStep_; }
  // The name and elevation the file's head was last written with.
  const model::LogHeader& Head() const { return head_; }

  // Empty, not started.
  files::Status Create();
  // The head from the name and elevation as they stand.
  files::Status Start(const model::LogHeader& header);
  // The form stored as the next layer of the table, and its line added to
  // the file; when the file is behind the table, the whole log instead. The
  // table must have room.
  files::Status Append(model::Document& log);
  // Head and every layer.
  files::Status Rewrite(const model::LogHeader& header, const model::LayerTable& layers);
  files::Status ReadBack(model::Document& log) const;
  // Undo and redo: the file as it stood with these layers, written whole:
  // empty when it was not started, else the head it had and every layer.
  files::Status Restore(bool started, const model::LogHeader& head,
                        const model::LayerTable& layers);
  // Removes the file; one that is already gone is not an error.
  files::Status Delete();
  // The window closes: the file goes, then the lease, so that only now may
  // another window take the name.
  files::Status Close();

 private:
  files::Status Note(files::Status status);

  files::WorkFile file_;
  files::WorkFileLease lease_;
  bool started_ = false;
  bool inStep_ = true;
  model::LogHeader head_;
};

}  // namespace borvik::editor
