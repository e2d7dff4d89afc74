#include "editor/work_copy.h"

namespace borvik::editor {

WorkCopy::WorkCopy(std::filesystem::path path, files::WorkFileLease lease)
    : file_(std::move(path)), lease_(std::move(lease)), inStep_(HasPath()) {}

files::Status WorkCopy::Note(files::Status status) {
  inStep_ = static_cast<bool>(status);
  return status;
}

files::Status WorkCopy::Create() {
  started_ = false;
  head_ = {};
  return Note(file_.Create());
}

files::Status WorkCopy::Start(const model::LogHeader& header) {
  started_ = true;
  head_ = header;
  return Note(file_.Start(header));
}

files::Status WorkCopy::Append(model::Document& log) {
  if (inStep_) return Note(files::AppendLayer(log, file_));
  // A line added now would leave a gap: the file is written whole.
  log.layers.Append(log.form);
  return Rewrite(log.header, log.layers);
}

files::Status WorkCopy::Rewrite(const model::LogHeader& header, const model::LayerTable& layers) {
  head_ = header;
  return Note(file_.Rewrite(header, layers));
}

files::Status WorkCopy::Restore(bool started, const model::LogHeader& head,
                                const model::LayerTable& layers) {
  if (!started) return Create();
  started_ = true;
  return Rewrite(head, layers);
}

files::Status WorkCopy::ReadBack(model::Document& log) const { return file_.ReadBack(log); }

files::Status WorkCopy::Delete() { return HasPath() ? file_.Delete() : files::Status::Ok(); }

files::Status WorkCopy::Close() {
  files::Status removed = Delete();
  lease_.Release();
  return removed;
}

}  // namespace borvik::editor
