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

#include "fuzzed_log.h"
#include "render/draw_table.h"
#include "render/frame.h"
#include "render/gl/gl_canvas.h"
#include "render/gl/headless_context.h"
#include "render/gl/image_export.h"
#include "render/recording_canvas.h"

namespace {

using namespace borvik;

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
  const fuzzing::FuzzedLog log = fuzzing::ReadFuzzedLog(data, size);
  const std::uint8_t flags = log.flags;
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  // Catalogue pictures that are missing or no picture at all.
  if (flags & 32) catalogue.structures[0].texturePath = "missing.png";
  if (flags & 64) catalogue.features[8].texturePath = "README.md";
  if (flags & 128) {
    catalogue.bedrock[2].name = std::string(300, 'W');
    catalogue.bedrock[0].texturePath = "data/icons/borvik-16.png";
  }
  const render::Scene scene{*log.drawing, log.usage, catalogue, log.header, log.view};
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
