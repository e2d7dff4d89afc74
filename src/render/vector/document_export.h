#pragma once
// The whole log as a PDF or SVG document at true scale: every sheet from the
// first to the last, with the view's switches (legend, depth or elevation
// labels, the marks shown) and its scale; the scroll position plays no part.

#include <filesystem>
#include <string>
#include <variant>

#include "files/document_format.h"
#include "files/error.h"
#include "render/frame.h"
#include "render/vector/vector_drawing.h"

namespace borvik::render::vector {

// The frame drawn into a vector canvas: the shapes of every entry in world
// units.
VectorDrawing DrawWholeLog(const Scene& scene);

// The document's bytes, or why it cannot be made (kPaperTooSmall,
// kImageFailed). The paper applies to PDF only.
std::variant<std::string, files::Error> RenderDocument(const Scene& scene,
                                                       files::DocumentFormat format,
                                                       const files::PaperRequest& paper = {});

// RenderDocument written to the path, replacing it whole or not at all.
files::Status ExportDocument(const Scene& scene, const std::filesystem::path& path,
                             files::DocumentFormat format, const files::PaperRequest& paper = {});

}  // namespace borvik::render::vector
