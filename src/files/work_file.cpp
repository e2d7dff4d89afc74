#include "files/work_file.h"

#include "files/file_io.h"
#include "files/layer_csv.h"

namespace borvik::files {

// The work file is our own: a link planted in its place is refused, never
// written through.
Status WorkFile::Create() const { return WriteFileAtomic(path_, {}, Links::kRefuse); }

Status WorkFile::Start(const model::LogHeader& header) const {
  std::string head;
  WriteCsvHead(head, header);
  return WriteFileAtomic(path_, head, Links::kRefuse);
}

Status WorkFile::Rewrite(const model::LogHeader& header, const model::LayerTable& layers) const {
  return WriteFileAtomic(path_, FormatLayerFile(header, layers), Links::kRefuse);
}

Status WorkFile::AppendLine(const model::LayerRecord& layer) const {
  std::string line;
  WriteLayerLine(line, layer);
  return AppendToFile(path_, line);
}

Status WorkFile::ReadBack(model::Document& log) const { return ReadLayerFile(path_, log); }

Status WorkFile::Delete() const { return RemoveFile(path_); }

Status AppendLayer(model::Document& log, const WorkFile& workFile) {
  if (!log.layers.Append(log.form)) return Status::Fail(Failure(ErrorKind::kTableFull));
  return workFile.AppendLine(log.form);
}

}  // namespace borvik::files
