#pragma once
// Sheets on pages at true scale: as many whole sheets as fit side by side
// on a page, never split nor scaled, the legend right of the last sheet or on
// a page of its own, a footer on every page.

#include <variant>
#include <vector>

#include "files/document_format.h"
#include "files/error.h"
#include "render/vector/sheet_groups.h"

namespace borvik::render::vector {

// Page margins in millimetres; the footer's baseline lies kFooterBaselineMm
// above the lower edge, and the drawing keeps clear of it.
inline constexpr double kSideMarginMm = 10.0;
inline constexpr double kTopMarginMm = 7.0;
inline constexpr double kBottomMarginMm = 11.0;
inline constexpr double kFooterBaselineMm = 6.0;
inline constexpr double kFooterTextMm = 3.0;

struct Page {
  std::vector<const ShapeGroup*> groups;  // in drawing order
  PaperMapping mapping;
};

struct PageLayout {
  files::Paper paper;
  std::vector<Page> pages;
};

// Whether every sheet (and the legend) fits the paper on its own.
bool SheetsFit(const SheetGroups& groups, files::Paper paper);

// The pages on the paper the request asks for (see files::PaperRequest), or
// kPaperTooSmall naming the largest paper tried and one that would fit.
std::variant<PageLayout, files::Error> LayOutPages(const SheetGroups& groups,
                                                   const files::PaperRequest& request);

// The whole drawing on one area with a margin all round (the SVG document),
// in millimetres.
struct DrawingArea {
  double width = 0.0;
  double height = 0.0;
  PaperMapping mapping;
};
DrawingArea WholeDrawing(const SheetGroups& groups);

}  // namespace borvik::render::vector
