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
#include "render/draw_table.h"
#include "render/vector/document_export.h"
#include "render/vector/document_writers.h"
#include "render/vector/page_layout.h"
#include "render/vector/sheet_groups.h"

namespace {

using namespace borvik;

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  template <typename T>
  T Next() {
    T value{};
    if (pos_ + sizeof(T) <= size_) std::memcpy(&value, data_ + pos_, sizeof(T));
    pos_ += sizeof(T);
    return value;
  }
  // As the layer reader lets floats in: finite.
  float Finite() {
    const float f = Next<float>();
    return std::isfinite(f) ? f : 0.0f;
  }
  bool Done() const { return pos_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  render::ViewOptions view;
  const std::uint8_t flags = in.Next<std::uint8_t>();
  view.showStructures = flags & 1;
  view.showFeatures = flags & 2;
  view.showSamples = flags & 4;
  view.showLegend = flags & 8;
  view.elevationLabels = flags & 16;
  view.scaleIndex = in.Next<std::int8_t>() % 6;
  view.scrollPosition = in.Next<std::uint8_t>() % 101;
  model::LogHeader header{"B-1", in.Finite()};

  auto drawing = std::make_unique<render::DrawTable>();
  render::LegendUsage usage;
  for (int layers = 0; !in.Done() && layers < 40; ++layers) {
    model::LayerRecord layer;
    layer.top = in.Finite();
    layer.bot = in.Finite();
    layer.int_ = in.Finite();
    layer.Str = in.Next<std::int32_t>();
    layer.Bou = in.Next<std::int32_t>();
    layer.RF1 = in.Finite();
    layer.RF2 = in.Finite();
    layer.RFe = in.Next<std::int32_t>();
    layer.Wea = in.Next<std::int32_t>();
    for (int i = 0; i < 4; ++i) {
      layer.DSe[i] = in.Finite();
      layer.Se[i] = in.Next<std::int8_t>();
      layer.DSa[i] = in.Finite();
      layer.Sa[i] = in.Next<std::int8_t>();
    }
    for (int i = 0; i < 3; ++i) {
      layer.DEc[i] = in.Finite();
      layer.Ec[i] = in.Next<std::int8_t>();
    }
    render::AddLayerToDrawing(*drawing, usage, layer, view.scaleIndex);
  }
  const settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  const render::Scene scene{*drawing, usage, catalogue, header, view};
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
