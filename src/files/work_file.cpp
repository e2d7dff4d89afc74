#include "files/work_file.h"

#include "files/file_io.h"
#include "files/layer_csv.h"

namespace borvik::files {
namespace {

Status FromIo(const IoResult& io) {
  return io ? Status::Ok() : Status::Fail(kCannotOpenMessage, DescribeError(io.error));
}

}  // namespace

Status WorkFile::Create() const { return FromIo(WriteFileAtomic(path_, {})); }

Status WorkFile::Start(const model::LogHeader& header) const {
  std::string head;
  WriteCsvHead(head, header);
  return FromIo(WriteFileAtomic(path_, head));
}

Status WorkFile::Rewrite(const model::LogHeader& header, const model::LayerTable& layers) const {
  return FromIo(WriteFileAtomic(path_, FormatLayerFile(header, layers)));
}

Status WorkFile::AppendLine(const model::LayerRecord& layer) const {
  std::string line;
  WriteLayerLine(line, layer);
  return FromIo(AppendToFile(path_, line));
}

Status WorkFile::ReadBack(model::Document& log) const { return ReadLayerFile(path_, log); }

Status WorkFile::Delete() const {
  const IoResult io = RemoveFile(path_);
  if (io) return Status::Ok();
  return Status::Fail(path_.filename().string() + " を削除できませんでした。",
                      DescribeError(io.error));
}

Status AppendLayer(model::Document& log, const WorkFile& workFile) {
  if (!log.layers.Append(log.form)) return Status::Fail(kTableFullMessage);
  return workFile.AppendLine(log.form);
}

}  // namespace borvik::files
