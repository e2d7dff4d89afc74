// borvik-cli render: the picture that 画像として保存 writes after loading a
// log with a given view.

#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "files/layer_csv.h"
#include "model/document.h"
#include "render/draw_table.h"
#include "render/frame.h"
#include "render/gl/gl_canvas.h"
#include "render/gl/headless_context.h"
#include "render/gl/image_export.h"
#include "render/view_options.h"
#include "settings/category_catalogue.h"
#include "settings/settings_file.h"

namespace borvik::cli {
namespace {

constexpr const char* kRenderUsage =
    "使い方: borvik-cli render IN.csv OUT.png [--scale 1/50|1/100|1/200|1/400] [--legend]\n"
    "        [--elevation] [--hide structures,features,samples] [--scroll N] [--settings FILE.set]\n";

struct RenderArgs {
  std::string in, out, settings;
  render::ViewOptions view;
};

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

bool ParseScroll(std::string_view text, int& position) {
  if (text.empty() || text.size() > 3) return false;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value > 100) return false;
  position = value;
  return true;
}

bool ParseArgs(std::span<const std::string_view> args, RenderArgs& out) {
  std::vector<std::string_view> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--legend") {
      out.view.showLegend = true;
    } else if (a == "--elevation") {
      out.view.elevationLabels = true;
    } else if (a == "--scale" && hasValue) {
      const std::string_view s = args[++i];
      int index = -1;
      for (std::size_t k = 0; k < model::kScales.size(); ++k) {
        if (model::kScales[k].name == s) index = static_cast<int>(k);
      }
      if (index < 0) return false;
      out.view.scaleIndex = index;
    } else if (a == "--hide" && hasValue) {
      if (!ParseHide(args[++i], out.view)) return false;
    } else if (a == "--scroll" && hasValue) {
      if (!ParseScroll(args[++i], out.view.scrollPosition)) return false;
    } else if (a == "--settings" && hasValue) {
      out.settings = std::string(args[++i]);
    } else if (a.starts_with("--")) {
      return false;
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) return false;
  out.in = std::string(positional[0]);
  out.out = std::string(positional[1]);
  return true;
}

}  // namespace

int Render(std::span<const std::string_view> args) {
  RenderArgs parsed;
  if (!ParseArgs(args, parsed)) {
    std::fputs(kRenderUsage, stderr);
    return kExitUsage;
  }
  auto log = std::make_unique<model::Document>();
  if (const files::Status read = files::ReadLayerFile(parsed.in, *log); !read) {
    PrintLoadFailure(read);
    return kExitFailed;
  }
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  if (!parsed.settings.empty() && !settings::LoadSettingsFile(parsed.settings, catalogue)) {
    std::fprintf(stderr, "%s\n%s\n", files::kCannotOpenMessage, parsed.settings.c_str());
    return kExitFailed;
  }
  auto drawing = std::make_unique<render::DrawTable>();
  render::LegendUsage usage;
  render::RebuildDrawing(*drawing, usage, log->layers, parsed.view.scaleIndex);

  std::string error;
  const auto context = render::gl::HeadlessContext::Create(&error);
  if (!context) {
    std::fprintf(stderr, "OpenGL を使えません: %s\n", error.c_str());
    return kExitFailed;
  }
  render::gl::GlCanvas canvas;
  render::ColumnRenderer renderer;
  const render::Scene scene{*drawing, usage, catalogue, log->header, parsed.view};
  if (const files::Status status = render::gl::ExportImage(renderer, canvas, scene, parsed.out);
      !status) {
    PrintFailure(status);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace borvik::cli
