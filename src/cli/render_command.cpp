// borvik-cli render: the picture that 画像として保存 writes after loading a
// log (a layer file or a boring exchange file) with a given view, or the
// whole log as PDF or SVG (by the output's extension) as PDFとして保存 and
// SVGとして保存 write it.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "editor/messages.h"
#include "files/layer_csv.h"
#include "model/document.h"
#include "render/draw_table.h"
#include "render/frame.h"
#include "render/gl/gl_canvas.h"
#include "render/gl/headless_context.h"
#include "render/gl/image_export.h"
#include "render/texture_files.h"
#include "render/vector/document_export.h"
#include "render/view_options.h"
#include "settings/category_catalogue.h"
#include "settings/settings_file.h"

namespace borvik::cli {

namespace {

constexpr int kMaxTimedFrames = 100000;

struct RenderArgs {
  std::string in, out, settings;
  std::optional<std::string> map;
  render::ViewOptions view;
  std::optional<files::DocumentFormat> document;  // nullopt: the PNG picture
  files::PaperRequest paper;
  int frames = 0;  // drawn again after the first, and timed
};

// PDF or SVG by the output's extension, whatever its case.
std::optional<files::DocumentFormat> DocumentFormatOf(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || path.size() - dot != 4) return std::nullopt;
  std::string extension;
  for (const char c : path.substr(dot + 1)) extension += static_cast<char>(c | 0x20);
  if (extension == "pdf") return files::DocumentFormat::kPdf;
  if (extension == "svg") return files::DocumentFormat::kSvg;
  return std::nullopt;
}

std::optional<files::PaperSize> PaperSizeByName(std::string_view name) {
  if (name == "A4" || name == "a4") return files::PaperSize::kA4;
  if (name == "A3" || name == "a3") return files::PaperSize::kA3;
  return std::nullopt;
}

bool ParseHide(std::string_view list, render::ViewOptions& view) {
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view item = list.substr(0, comma);
    if (item == "structures") {
      view.showStructures = false;
    } else if (item == "features") {
      view.showFeatures = false;
    } else if (item == "samples") {
      view.showSamples = false;
    } else {
      return false;
    }
    list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
  }
  return true;
}

// A whole number from `low` to `high`, digits only.
bool ParseCount(std::string_view text, int low, int high, int& out) {
  if (text.empty() || text.size() > 9) return false;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return false;
  out = value;
  return true;
}

// The problem with the arguments, or nullopt when they are all good.
std::optional<std::string> ParseArgs(std::span<const std::string_view> args, RenderArgs& out) {
  static constexpr std::string_view kFlags[] = {"--legend", "--elevation", "--landscape"};
  static constexpr std::string_view kValued[] = {"--scale",    "--hide",  "--scroll", "--settings",
                                                 "--paper",    "--map",   "--frames"};
  const Arguments parsed(args, kFlags, kValued);
  if (parsed.Problem()) return parsed.Problem();
  out.view.showLegend = parsed.Has("--legend");
  out.view.elevationLabels = parsed.Has("--elevation");
  if (const auto scale = parsed.Value("--scale")) {
    const auto index = model::ScaleIndexByName(*scale);
    if (!index) return BadValue("--scale", *scale);
    out.view.scaleIndex = *index;
  }
  if (const auto hide = parsed.Value("--hide"); hide && !ParseHide(*hide, out.view)) {
    return BadValue("--hide", *hide);
  }
  if (const auto scroll = parsed.Value("--scroll");
      scroll && !ParseCount(*scroll, 0, 100, out.view.scrollPosition)) {
    return BadValue("--scroll", *scroll);
  }
  if (const auto frames = parsed.Value("--frames");
      frames && !ParseCount(*frames, 1, kMaxTimedFrames, out.frames)) {
    return BadValue("--frames", *frames);
  }
  if (const auto settings = parsed.Value("--settings")) out.settings = std::string(*settings);
  if (const auto map = parsed.Value("--map")) out.map = std::string(*map);
  if (parsed.Positional().size() != 2) return "IN と OUT を指定してください";
  out.in = std::string(parsed.Positional()[0]);
  out.out = std::string(parsed.Positional()[1]);
  out.document = DocumentFormatOf(out.out);
  out.paper.landscape = parsed.Has("--landscape");
  if (const auto paper = parsed.Value("--paper")) {
    out.paper.size = PaperSizeByName(*paper);
    if (!out.paper.size) return BadValue("--paper", *paper);
  }
  if (out.paper != files::PaperRequest{} && out.document != files::DocumentFormat::kPdf) {
    return "--paper と --landscape は PDF にだけ使えます";
  }
  if (out.frames > 0 && out.document) {
    return "--frames は PNG にだけ使えます";
  }
  return std::nullopt;
}

// "frames: N, median X ms, worst Y ms": how fast this machine draws the
// frame, to compare machines.
void PrintFrameTimes(std::vector<double> times) {
  if (times.empty()) return;
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  const double median = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  std::fprintf(stderr, "frames: %zu, median %.1f ms, worst %.1f ms\n", n, median, times.back());
}

int Render(std::span<const std::string_view> args) {
  RenderArgs parsed;
  if (const auto problem = ParseArgs(args, parsed)) return UsageError(kRender, *problem);
  auto log = std::make_unique<model::Document>();
  if (!LoadInputLog(parsed.in, parsed.map, *log)) return kExitFailed;
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  if (!parsed.settings.empty()) {
    if (const files::Status read = settings::LoadSettingsFile(parsed.settings, catalogue); !read) {
      PrintFailure(*read.error);
      return kExitFailed;
    }
  }
  auto drawing = std::make_unique<render::DrawTable>();
  render::LegendUsage usage;
  if (render::RebuildDrawing(*drawing, usage, log->layers, parsed.view.scaleIndex) > 0) {
    std::fprintf(stderr, "%s\n", std::string(editor::kDrawingFullMessage).c_str());
  }

  if (!render::BuiltInTexturesFound()) {
    std::fprintf(stderr, "%s\n", std::string(editor::kBuiltInTexturesMissingMessage).c_str());
  }
  const render::Scene scene{*drawing, usage, catalogue, log->header, parsed.view};
  if (parsed.document) {
    if (const files::Status status =
            render::vector::ExportDocument(scene, parsed.out, *parsed.document, parsed.paper);
        !status) {
      PrintFailure(*status.error);
      return kExitFailed;
    }
    return kExitOk;
  }
  std::string error;
  const auto context = render::gl::HeadlessContext::Create(&error);
  if (!context) {
    std::fprintf(stderr, "OpenGL を使えません: %s\n", error.c_str());
    return kExitFailed;
  }
  render::gl::GlCanvas canvas;
  render::ColumnRenderer renderer(render::FrameOptions::Fast());
  if (const files::Status status = render::gl::ExportImage(renderer, canvas, scene, parsed.out);
      !status) {
    PrintFailure(*status.error);
    return kExitFailed;
  }
  if (parsed.frames > 0) {
    PrintFrameTimes(render::gl::TimeFrames(renderer, canvas, scene, parsed.frames));
  }
  return kExitOk;
}

}  // namespace

const Command kRender{
    "render",
    "render IN.csv|IN.xml OUT.png|OUT.pdf|OUT.svg [--scale 1/50|1/100|1/200|1/400] [--legend]\n"
    "[--elevation] [--hide structures,features,samples] [--scroll N] [--settings FILE.set]\n"
    "[--paper A4|A3] [--landscape] [--map FILE] [--frames N]",
    "画像として保存と同じ 880 x 831 の PNG、または柱状図全体を実寸の PDF・SVG を書く", Render};

}  // namespace borvik::cli
