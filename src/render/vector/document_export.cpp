#include "render/vector/document_export.h"

#include <algorithm>

#include "files/file_io.h"
#include "render/axis.h"
#include "render/vector/document_writers.h"
#include "render/vector/page_layout.h"
#include "render/vector/sheet_groups.h"
#include "render/vector/vector_canvas.h"

namespace borvik::render::vector {
namespace {

// Sheets from the first to the last entry's.
int SheetCount(const DrawTable& drawing) {
  long long last = 0;
  for (int e = 0; e <= drawing.LastEntry() && e < DrawTable::kCapacity; ++e) {
    last = std::max(last, SheetIndex(drawing.Entry(e).x));
  }
  return static_cast<int>(std::min<long long>(last + 1, kMaxSheets));
}

DocumentTitle TitleOf(const Scene& scene) {
  const int scale = model::ScaleIndexOr(scene.view.scaleIndex, model::kDefaultScaleIndex);
  return {scene.header.name, std::string(model::kScales[scale].name)};
}

}  // namespace

VectorDrawing DrawWholeLog(const Scene& scene) {
  VectorCanvas canvas;
  // Every sheet is printed: nothing is left out for lying outside the
  // picture, and each sheet's axis and captions are drawn once.
  ColumnRenderer renderer(FrameOptions::EveryEntry());
  renderer.RenderLog(canvas, scene, ColumnRenderer::kExportWidth, ColumnRenderer::kExportHeight);
  return canvas.TakeDrawing();
}

std::variant<std::string, files::Error> RenderDocument(const Scene& scene,
                                                       files::DocumentFormat format,
                                                       const files::PaperRequest& paper) {
  const VectorDrawing drawing = DrawWholeLog(scene);
  const SheetGroups groups = GroupBySheet(drawing, SheetCount(scene.drawing));
  if (format == files::DocumentFormat::kSvg) return WriteSvg(drawing, groups, TitleOf(scene));
  auto layout = LayOutPages(groups, paper);
  if (const auto* error = std::get_if<files::Error>(&layout)) return *error;
  std::optional<std::string> pdf = WritePdf(drawing, std::get<PageLayout>(layout), TitleOf(scene));
  if (!pdf) return files::Failure(files::ErrorKind::kImageFailed);
  return std::move(*pdf);
}

files::Status ExportDocument(const Scene& scene, const std::filesystem::path& path,
                             files::DocumentFormat format, const files::PaperRequest& paper) {
  auto document = RenderDocument(scene, format, paper);
  if (auto* error = std::get_if<files::Error>(&document)) return files::Status::Fail(*error);
  return files::WriteFileAtomic(path, std::get<std::string>(document));
}

}  // namespace borvik::render::vector
