// Any layers, however absurd, as a whole-log document: the vector canvas,
// the sheets, the pages on every paper, and the SVG. No crash, no undefined
// behaviour; a refusal is an answer. (The PDF writer is Cairo's and Pango's
// work on these same pages; fontconfig's lifelong caches would read as
// leaks here.) Reads its input as frame_fuzz does, so the two share seeds.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "render/axis.h"
#include "fuzzed_log.h"
#include "render/draw_table.h"
#include "render/vector/document_export.h"
#include "render/vector/document_writers.h"
#include "render/vector/page_layout.h"
#include "render/vector/sheet_groups.h"

using namespace borvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzzing::FuzzedLog log = fuzzing::ReadFuzzedLog(data, size);
  const render::DrawTable* drawing = log.drawing.get();
  const model::LogHeader& header = log.header;
  const settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  const render::Scene scene{*drawing, log.usage, catalogue, header, log.view};
  const render::vector::VectorDrawing shapes = render::vector::DrawWholeLog(scene);
  long long last = 0;
  for (int e = 0; e <= drawing->LastEntry(); ++e) {
    last = std::max(last, render::SheetIndex(drawing->Entry(e).x));
  }
  const auto groups =
      render::vector::GroupBySheet(shapes, static_cast<int>(std::min(last + 1, 1000000LL)));
  for (const files::PaperRequest request :
       {files::PaperRequest{}, files::PaperRequest{files::PaperSize::kA4, true}}) {
    const auto layout = render::vector::LayOutPages(groups, request);
    // Pages hold every group with shapes, each once.
    if (const auto* pages = std::get_if<render::vector::PageLayout>(&layout)) {
      std::size_t placed = 0;
      for (const auto& page : pages->pages) placed += page.groups.size();
      std::size_t filled = groups.legend.shapes.empty() ? 0 : 1;
      for (const auto& sheet : groups.sheets) filled += sheet.shapes.empty() ? 0 : 1;
      if (placed != filled) std::abort();
    }
  }
  const std::string svg = render::vector::WriteSvg(shapes, groups, {header.name, "1/100"});
  if (svg.rfind("<?xml", 0) != 0) std::abort();
  return 0;
}
