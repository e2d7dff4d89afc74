// Any layers, however absurd, as a whole-log document: the vector canvas,
// the sheets, the paper and both writers. No crash, no undefined behaviour;
// a refusal is an answer. Reads its input as frame_fuzz does, so the two
// share seeds.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "render/draw_table.h"
#include "render/vector/document_export.h"

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
  for (const auto format : {files::DocumentFormat::kSvg, files::DocumentFormat::kPdf}) {
    const auto document = render::vector::RenderDocument(scene, format, {});
    // An SVG is always made; a PDF may be refused for its paper.
    if (format == files::DocumentFormat::kSvg && !std::holds_alternative<std::string>(document)) {
      std::abort();
    }
  }
  return 0;
}
