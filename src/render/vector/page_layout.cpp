#include "render/vector/page_layout.h"

#include <algorithm>
#include <limits>

namespace borvik::render::vector {
namespace {

using files::Paper;
using files::PaperSize;

double Mm(float units) { return static_cast<double>(units) * kMillimetresPerUnit; }
double UsableWidth(Paper paper) { return files::PaperWidthMm(paper) - 2 * kSideMarginMm; }
double UsableHeight(Paper paper) {
  return files::PaperHeightMm(paper) - kTopMarginMm - kBottomMarginMm;
}

// The papers a request allows, smallest first.
std::vector<Paper> Candidates(const files::PaperRequest& request) {
  std::vector<PaperSize> sizes{PaperSize::kA4, PaperSize::kA3};
  if (request.size) sizes = {*request.size};
  std::vector<bool> orientations{false, true};
  if (request.landscape) {
    orientations = {true};
  } else if (request.size) {
    orientations = {false};
  }
  std::vector<Paper> papers;
  for (const bool landscape : orientations) {
    for (const PaperSize size : sizes) papers.push_back({size, landscape});
  }
  return papers;
}

// Groups side by side from their left edges.
class PageBuilder {
 public:
  PageBuilder(const SheetGroups& groups, Paper paper)
      : worldTop_(groups.bounds.top), usableWidth_(UsableWidth(paper)) {
    layout_.paper = paper;
  }

  void Place(const ShapeGroup& group) {
    if (group.shapes.empty()) return;
    const float left = std::min(left_, group.bounds.left);
    const float right = std::max(right_, group.bounds.right);
    if (!current_.empty() && Mm(right - left) > usableWidth_) {
      Flush();
      return Place(group);
    }
    left_ = left;
    right_ = right;
    current_.push_back(&group);
  }

  PageLayout Finish() {
    Flush();
    if (layout_.pages.empty()) layout_.pages.push_back({{}, Mapping(0.0f)});
    return std::move(layout_);
  }

 private:
  PaperMapping Mapping(float worldLeft) const {
    return {worldLeft, worldTop_, kSideMarginMm, kTopMarginMm};
  }

  void Flush() {
    if (current_.empty()) return;
    layout_.pages.push_back({std::move(current_), Mapping(left_)});
    current_.clear();
    left_ = std::numeric_limits<float>::infinity();
    right_ = -std::numeric_limits<float>::infinity();
  }

  PageLayout layout_;
  float worldTop_;
  double usableWidth_;
  std::vector<const ShapeGroup*> current_;
  float left_ = std::numeric_limits<float>::infinity();
  float right_ = -std::numeric_limits<float>::infinity();
};

PageLayout Lay(const SheetGroups& groups, Paper paper) {
  PageBuilder builder(groups, paper);
  for (const ShapeGroup& sheet : groups.sheets) builder.Place(sheet);
  builder.Place(groups.legend);
  return builder.Finish();
}

}  // namespace

bool SheetsFit(const SheetGroups& groups, Paper paper) {
  if (groups.bounds.Empty()) return true;
  if (Mm(groups.bounds.Height()) > UsableHeight(paper)) return false;
  const double width = UsableWidth(paper);
  for (const ShapeGroup& sheet : groups.sheets) {
    if (Mm(sheet.bounds.Width()) > width) return false;
  }
  return Mm(groups.legend.bounds.Width()) <= width;
}

std::variant<PageLayout, files::Error> LayOutPages(const SheetGroups& groups,
                                                   const files::PaperRequest& request) {
  const std::vector<Paper> papers = Candidates(request);
  for (const Paper paper : papers) {
    if (SheetsFit(groups, paper)) return Lay(groups, paper);
  }
  files::Error error = files::Failure(files::ErrorKind::kPaperTooSmall);
  error.paper = papers.back();
  for (const Paper paper : Candidates({})) {
    if (SheetsFit(groups, paper)) {
      error.fits = paper;
      break;
    }
  }
  return error;
}

DrawingArea WholeDrawing(const SheetGroups& groups) {
  constexpr double kMarginMm = 10.0;
  DrawingArea area;
  area.width = Mm(groups.bounds.Width()) + 2 * kMarginMm;
  area.height = Mm(groups.bounds.Height()) + 2 * kMarginMm;
  area.mapping.left = kMarginMm;
  area.mapping.top = kMarginMm;
  if (!groups.bounds.Empty()) {
    area.mapping.worldLeft = groups.bounds.left;
    area.mapping.worldTop = groups.bounds.top;
  }
  return area;
}

}  // namespace borvik::render::vector
