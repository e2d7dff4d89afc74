// Any layers, however absurd, through the drawing table and a whole frame on
// the recording canvas, literal and fast: no crash, no undefined behaviour,
// no endless loop. Where OpenGL is at hand (the headless context), the fast
// frame must give the literal frame's pixels.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "render/draw_table.h"
#include "render/frame.h"
#include "render/gl/gl_canvas.h"
#include "render/gl/headless_context.h"
#include "render/gl/image_export.h"
#include "render/recording_canvas.h"

namespace {

using namespace borvik;

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
  bool Done() const { return pos_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// Floats as the reader lets them in: finite.
float Finite(Reader& in) {
  const float f = in.Next<float>();
  return std::isfinite(f) ? f : 0.0f;
}

// One context and a canvas per mode for the whole run; null without OpenGL.
struct Gl {
  std::unique_ptr<render::gl::HeadlessContext> context;
  std::unique_ptr<render::gl::GlCanvas> literal;
  std::unique_ptr<render::gl::GlCanvas> fast;
};
Gl* gl = nullptr;

}  // namespace

// Mesa keeps allocations until exit.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The built-in textures of the source tree.
  std::filesystem::current_path(BORVIK_SOURCE_DIR);
  std::string error;
  auto context = render::gl::HeadlessContext::Create(&error);
  if (context) {
    gl = new Gl{std::move(context), std::make_unique<render::gl::GlCanvas>(),
                std::make_unique<render::gl::GlCanvas>()};
  }
  return 0;
}

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
  model::LogHeader header{"B-1", Finite(in)};

  auto drawing = std::make_unique<render::DrawTable>();
  render::LegendUsage usage;
  for (int layers = 0; !in.Done() && layers < 40; ++layers) {
    model::LayerRecord layer;
    layer.top = Finite(in);
    layer.bot = Finite(in);
    layer.int_ = Finite(in);
    layer.Str = in.Next<std::int32_t>();
    layer.Bou = in.Next<std::int32_t>();
    layer.RF1 = Finite(in);
    layer.RF2 = Finite(in);
    layer.RFe = in.Next<std::int32_t>();
    layer.Wea = in.Next<std::int32_t>();
    for (int i = 0; i < 4; ++i) {
      layer.DSe[i] = Finite(in);
      layer.Se[i] = in.Next<std::int8_t>();
      layer.DSa[i] = Finite(in);
      layer.Sa[i] = in.Next<std::int8_t>();
    }
    for (int i = 0; i < 3; ++i) {
      layer.DEc[i] = Finite(in);
      layer.Ec[i] = in.Next<std::int8_t>();
    }
    render::AddLayerToDrawing(*drawing, usage, layer, view.scaleIndex);
  }
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  // Catalogue pictures that are missing or no picture at all.
  if (flags & 32) catalogue.structures[0].texturePath = "missing.png";
  if (flags & 64) catalogue.features[8].texturePath = "README.md";
  if (flags & 128) {
    catalogue.bedrock[2].name = std::string(300, 'W');
    catalogue.bedrock[0].texturePath = "data/icons/borvik-16.png";
  }
  const render::Scene scene{*drawing, usage, catalogue, header, view};
  for (const auto options : {render::FrameOptions::Literal(), render::FrameOptions::Fast()}) {
    render::RecordingCanvas canvas;
    render::ColumnRenderer renderer(options);
    renderer.RenderLog(canvas, scene, 880, 831);
    if (canvas.Ops().empty()) std::abort();
  }
  if (gl) {
    render::ColumnRenderer literal(render::FrameOptions::Literal());
    render::ColumnRenderer fast(render::FrameOptions::Fast());
    const auto a = render::gl::RenderPixels(literal, *gl->literal, scene);
    const auto b = render::gl::RenderPixels(fast, *gl->fast, scene);
    if (!a || !b || *a != *b) std::abort();
  }
  return 0;
}
