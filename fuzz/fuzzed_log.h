#pragma once
// A view and up to 40 layers read from fuzz bytes, however absurd, as the
// frame and the document targets take them: the same bytes mean the same
// log to both, so their corpora feed each other.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "model/document.h"
#include "render/draw_table.h"
#include "render/view_options.h"

namespace borvik::fuzzing {

// Reads raw values from the input, zeros once it runs out.
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
  // Floats as the layer reader lets them in: finite.
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

struct FuzzedLog {
  std::uint8_t flags = 0;  // the view's switches, then bits of the target's own
  render::ViewOptions view;
  model::LogHeader header;
  std::unique_ptr<render::DrawTable> drawing = std::make_unique<render::DrawTable>();
  render::LegendUsage usage;
};

inline FuzzedLog ReadFuzzedLog(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  FuzzedLog log;
  log.flags = in.Next<std::uint8_t>();
  log.view.showStructures = log.flags & 1;
  log.view.showFeatures = log.flags & 2;
  log.view.showSamples = log.flags & 4;
  log.view.showLegend = log.flags & 8;
  log.view.elevationLabels = log.flags & 16;
  log.view.scaleIndex = in.Next<std::int8_t>() % 6;
  log.view.scrollPosition = in.Next<std::uint8_t>() % 101;
  log.header = {"B-1", in.Finite()};
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
    for (int i = 0; i < model::kStructureMarks; ++i) {
      layer.DSe[i] = in.Finite();
      layer.Se[i] = in.Next<std::int8_t>();
      layer.DSa[i] = in.Finite();
      layer.Sa[i] = in.Next<std::int8_t>();
    }
    for (int i = 0; i < model::kFeatureMarks; ++i) {
      layer.DEc[i] = in.Finite();
      layer.Ec[i] = in.Next<std::int8_t>();
    }
    render::AddLayerToDrawing(*log.drawing, log.usage, layer, log.view.scaleIndex);
  }
  return log;
}

}  // namespace borvik::fuzzing
