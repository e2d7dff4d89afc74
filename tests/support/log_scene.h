#pragma once
// A log with its drawing, built as the program builds it, for the tests and
// the benchmarks that draw it.

#include <memory>
#include <string>

#include "files/layer_csv.h"
#include "model/document.h"
#include "render/draw_table.h"
#include "render/frame.h"
#include "settings/category_catalogue.h"

namespace borvik::testing {

struct LogScene {
  std::unique_ptr<model::Document> document = std::make_unique<model::Document>();
  std::unique_ptr<render::DrawTable> drawing = std::make_unique<render::DrawTable>();
  render::LegendUsage usage;
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  render::ViewOptions view;

  // The drawing again, for the view's scale.
  void Rebuild() { render::RebuildDrawing(*drawing, usage, document->layers, view.scaleIndex); }
  render::Scene Scene() const { return {*drawing, usage, catalogue, document->header, view}; }
  // The log as a layer file.
  std::string Csv() const { return files::FormatLayerFile(document->header, document->layers); }
};

}  // namespace borvik::testing
