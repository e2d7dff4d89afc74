// Paper at true scale: line widths and stipples in millimetres, the paper a
// log needs, whole sheets side by side on pages, the legend placed.

#include <gtest/gtest.h>

#include "log_fixture.h"
#include "render/axis.h"
#include "render/vector/document_export.h"
#include "render/vector/page_layout.h"

namespace borvik::render::vector {
namespace {

using files::Paper;
using files::PaperRequest;
using files::PaperSize;
using testing::FullLog;
using testing::LoadLog;

constexpr double kPixelMm = 102.4994 / 308;

TEST(PaperGeometry, LinesKeepThePicturesProportion) {
  EXPECT_NEAR(LineWidthMm(1), 0.3328, 1e-4);
  EXPECT_NEAR(LineWidthMm(5), 1.6640, 1e-4);
  EXPECT_DOUBLE_EQ(LineWidthMm(0.1f), 0.1);  // never thinner than 0.1 mm

  const struct {
    std::uint16_t pattern;
    std::vector<double> pixels;  // dash, gap, dash, gap...
    double offsetPixels;
  } stipples[] = {
      {0xFFFF, {}, 0},
      {0xF0F0, {4, 4, 4, 4}, 12},  // bits 0-3 off: the line starts in a gap
      {0xAAAA, std::vector<double>(16, 1), 15},
      {0x00FF, {8, 8}, 0},
      {0x8001, {2, 14}, 1},  // a dash across the pattern's end
  };
  for (const auto& s : stipples) {
    const Dashes dashes = StippleDashes(s.pattern);
    ASSERT_EQ(dashes.lengths.size(), s.pixels.size()) << std::hex << s.pattern;
    for (std::size_t i = 0; i < s.pixels.size(); ++i) {
      EXPECT_NEAR(dashes.lengths[i], s.pixels[i] * kPixelMm, 1e-9) << std::hex << s.pattern;
    }
    EXPECT_NEAR(dashes.offset, s.offsetPixels * kPixelMm, 1e-9) << std::hex << s.pattern;
  }
}

SheetGroups Groups(const testing::LogScene& log) {
  long long last = 0;
  for (int e = 0; e <= log.drawing->LastEntry(); ++e) {
    last = std::max(last, SheetIndex(log.drawing->Entry(e).x));
  }
  return GroupBySheet(DrawWholeLog(log.Scene()), static_cast<int>(last + 1));
}

ViewOptions View(int scale, bool legend = true, bool elevation = false) {
  ViewOptions view;
  view.scaleIndex = scale;
  view.showLegend = legend;
  view.elevationLabels = elevation;
  return view;
}

TEST(PageLayout, ThePaperThatHoldsASheet) {
  constexpr Paper kA4{PaperSize::kA4, false};
  constexpr Paper kA3{PaperSize::kA3, false};
  constexpr Paper kA3Landscape{PaperSize::kA3, true};
  const struct {
    int scale;
    bool elevation;
    PaperRequest request;
    std::optional<Paper> paper;  // nullopt: refused
    std::optional<Paper> fits;   // when refused
  } cases[] = {
      // A 25 m sheet with its header fits A4 upright; at 1/50 it is 260 mm of
      // column and needs A3.
      {1, false, {}, kA4, {}},
      {1, true, {}, kA4, {}},
      {2, false, {}, kA4, {}},
      {3, true, {}, kA4, {}},
      {0, false, {}, kA3, {}},
      {0, false, {PaperSize::kA3, false}, kA3, {}},
      {1, false, {PaperSize::kA3, true}, kA3Landscape, {}},
      {1, false, {PaperSize::kA4, true}, {}, kA4},
      {1, false, {std::nullopt, true}, kA3Landscape, {}},
      {0, false, {PaperSize::kA4, false}, {}, kA3},
      {0, false, {std::nullopt, true}, {}, kA3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "scale " << c.scale << " elevation " << c.elevation);
    // The full log fills its sheets to the bottom, marks and all.
    const auto log = FullLog(View(c.scale, true, c.elevation));
    const auto layout = LayOutPages(Groups(*log), c.request);
    if (c.paper) {
      ASSERT_TRUE(std::holds_alternative<PageLayout>(layout));
      EXPECT_EQ(std::get<PageLayout>(layout).paper, *c.paper);
    } else {
      ASSERT_TRUE(std::holds_alternative<files::Error>(layout));
      const files::Error& error = std::get<files::Error>(layout);
      EXPECT_EQ(error.kind, files::ErrorKind::kPaperTooSmall);
      EXPECT_EQ(error.fits, c.fits);
      EXPECT_EQ(error.paper, (Paper{c.request.size.value_or(PaperSize::kA3), c.request.landscape}));
    }
  }
}

TEST(PageLayout, WholeSheetsSideBySideThenTheLegend) {
  const auto log = FullLog(View(1));
  const SheetGroups groups = Groups(*log);
  ASSERT_EQ(groups.sheets.size(), 40u);
  for (const PaperRequest request :
       {PaperRequest{}, PaperRequest{PaperSize::kA3, false}, PaperRequest{PaperSize::kA3, true}}) {
    const PageLayout layout = std::get<PageLayout>(LayOutPages(groups, request));
    const double usable = files::PaperWidthMm(layout.paper) - 2 * kSideMarginMm;
    std::size_t sheet = 0;
    for (std::size_t p = 0; p < layout.pages.size(); ++p) {
      const Page& page = layout.pages[p];
      SCOPED_TRACE(::testing::Message() << "page " << p + 1 << " on " << usable << " mm");
      // Each page starts at the margin and holds whole sheets, in order,
      // every one once, as many as fit: the next would not.
      ASSERT_FALSE(page.groups.empty());
      float left = page.groups.front()->bounds.left;
      float right = left;
      EXPECT_NEAR(page.mapping.X(left), kSideMarginMm, 1e-3);
      for (const ShapeGroup* group : page.groups) {
        if (group != &groups.legend) {
          EXPECT_EQ(group, &groups.sheets[sheet++]);
        }
        left = std::min(left, group->bounds.left);
        right = std::max(right, group->bounds.right);
      }
      EXPECT_LE((right - left) * 102.4994, usable);
      const ShapeGroup* next =
          sheet < groups.sheets.size() ? &groups.sheets[sheet] : &groups.legend;
      if (p + 1 < layout.pages.size()) {
        EXPECT_GT((std::max(right, next->bounds.right) - left) * 102.4994, usable);
      }
    }
    EXPECT_EQ(sheet, 40u);
    EXPECT_EQ(layout.pages.back().groups.back(), &groups.legend);
    if (request == PaperRequest{}) {
      // A4 upright: two sheets a page, the legend on a page of its own.
      EXPECT_EQ(layout.pages.size(), 21u);
      EXPECT_EQ(layout.pages.back().groups.size(), 1u);
    }
  }
}

TEST(PageLayout, TheSvgHoldsTheWholeDrawingWithAMargin) {
  const auto log = LoadLog(testing::ExampleLog(), View(1));
  const SheetGroups groups = Groups(*log);
  const DrawingArea area = WholeDrawing(groups);
  EXPECT_NEAR(area.width, groups.bounds.Width() * 102.4994 + 20, 1e-3);
  EXPECT_NEAR(area.mapping.X(groups.bounds.left), 10, 1e-9);
  EXPECT_NEAR(area.mapping.Y(groups.bounds.top), 10, 1e-9);
  // 1 m of depth at 1/100 is 10 mm.
  EXPECT_NEAR(area.mapping.Y(1.2f - 0.0975621f * 25) - area.mapping.Y(1.2f), 250.0, 0.01);
}

}  // namespace
}  // namespace borvik::render::vector
