#pragma once
// The laid-out drawing as file bytes: PDF pages through Cairo with text set
// by Pango, or one SVG document. Both set the same shapes the same way: lines
// at their widths with stipples as dashes, images embedded once, text as
// text in IPAGothic in the cells of the bitmap text.

#include <optional>
#include <string>

#include "render/vector/page_layout.h"
#include "render/vector/sheet_groups.h"
#include "render/vector/vector_drawing.h"

namespace borvik::render::vector {

// What every page's footer says, and the document's title.
struct DocumentTitle {
  std::string name;   // the log's name
  std::string scale;  // "1/100"
};

// nullopt when Cairo fails (out of memory).
std::optional<std::string> WritePdf(const VectorDrawing& drawing, const PageLayout& layout,
                                    const DocumentTitle& title);

std::string WriteSvg(const VectorDrawing& drawing, const SheetGroups& groups,
                     const DocumentTitle& title);

}  // namespace borvik::render::vector
