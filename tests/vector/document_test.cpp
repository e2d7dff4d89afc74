// The documents as a reader sees them: the PDF through poppler's tools
// (pages, paper, text, fonts, and a rasterised page measured at 10 pixels
// per millimetre), the SVG through xmllint.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "log_fixture.h"
#include "render/vector/document_export.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace borvik::render::vector {
namespace {

using borvik::testing::Quote;
using borvik::testing::ReadBytes;
using borvik::testing::RunCommand;
using borvik::testing::TempDir;
using borvik::testing::WriteBytes;
using files::DocumentFormat;

// A tool's standard output; the test fails when it does.
std::string Tool(const std::string& command, const TempDir& dir) {
  const auto run = RunCommand(command, dir.Path());
  EXPECT_EQ(run.status, 0) << command << "\n" << run.err;
  return run.out;
}

std::string Document(const Scene& scene, DocumentFormat format) {
  auto document = RenderDocument(scene, format);
  EXPECT_TRUE(std::holds_alternative<std::string>(document))
      << static_cast<int>(std::get<files::Error>(document).kind);
  return std::holds_alternative<std::string>(document) ? std::get<std::string>(document) : "";
}

std::size_t Occurrences(const std::string& text, const std::string& word) {
  std::size_t count = 0;
  for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    ++count;
  }
  return count;
}

std::set<std::string> Words(const std::string& text) {
  std::set<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.insert(word);
  return words;
}

// A grey page from pdftoppm -gray: one byte a pixel, 0 black.
struct Raster {
  int width = 0;
  int height = 0;
  std::string pixels;
  bool Dark(int x, int y) const { return static_cast<unsigned char>(pixels[y * width + x]) < 128; }
};

Raster ReadPgm(const std::string& bytes) {
  Raster raster;
  std::istringstream in(bytes);
  std::string magic;
  int maximum = 0;
  in >> magic >> raster.width >> raster.height >> maximum;
  in.get();
  EXPECT_EQ(magic, "P5");
  if (!in) return {};
  raster.pixels = bytes.substr(static_cast<std::size_t>(in.tellg()));
  EXPECT_EQ(raster.pixels.size(), static_cast<std::size_t>(raster.width) * raster.height);
  return raster;
}

// The centres of the depth ticks of the first sheet on a page at 254 dpi:
// the column's left edge is the leftmost long vertical line, and the ticks
// run 2 mm (20 pixels) left of it, from its top down.
std::vector<double> FirstSheetTicks(const Raster& page) {
  int edge = -1;
  for (int x = 0; x < page.width / 2 && edge < 0; ++x) {
    int dark = 0;
    for (int y = 0; y < page.height; ++y) dark += page.Dark(x, y);
    if (dark > 2000) edge = x;
  }
  EXPECT_GE(edge, 15);
  if (edge < 15) return {};
  int top = 0;
  while (top < page.height && !page.Dark(edge, top)) ++top;
  int bottom = page.height - 1;
  while (bottom > top && !page.Dark(edge, bottom)) --bottom;
  std::vector<double> centres;
  const int x = edge - 12;
  for (int y = std::max(0, top - 5), start = -1; y <= std::min(page.height, bottom + 6); ++y) {
    const bool dark = y < page.height && page.Dark(x, y);
    if (dark && start < 0) start = y;
    if (!dark && start >= 0) {
      centres.push_back((start + y - 1) / 2.0);
      start = -1;
    }
  }
  return centres;
}

void ExpectTrueScaleTicks(const std::string& pdf, int metres) {
  TempDir dir;
  WriteBytes(dir / "log.pdf", pdf);
  Tool("pdftoppm -r 254 -gray -f 1 -l 1 -singlefile log.pdf page", dir);
  const Raster page = ReadPgm(ReadBytes(dir / "page.pgm"));
  ASSERT_GT(page.width, 0);
  // A4 at 10 pixels per millimetre.
  EXPECT_NEAR(page.width, 2100, 1);
  EXPECT_NEAR(page.height, 2970, 1);
  const std::vector<double> ticks = FirstSheetTicks(page);
  ASSERT_EQ(ticks.size(), static_cast<std::size_t>(metres + 1));
  for (std::size_t i = 1; i < ticks.size(); ++i) {
    EXPECT_NEAR(ticks[i] - ticks[i - 1], 100.0, 1.0) << "between " << i - 1 << " and " << i << " m";
  }
  EXPECT_NEAR(ticks.back() - ticks.front(), 100.0 * metres, 1.0);
}

ViewOptions LegendView(bool samples = true) {
  ViewOptions view;
  view.showLegend = true;
  view.showSamples = samples;
  return view;
}

TEST(PdfDocument, TheExampleLog) {
  const auto log = testing::LoadLog(testing::ExampleLog(), LegendView());
  const std::string pdf = Document(log->Scene(), DocumentFormat::kPdf);
  ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
  TempDir dir;
  WriteBytes(dir / "b-1.pdf", pdf);

  const std::string info = Tool("pdfinfo b-1.pdf", dir);
  EXPECT_NE(info.find("Pages:           2\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Page size:       595.276 x 841.89 pts (A4)"), std::string::npos) << info;
  EXPECT_NE(info.find("Title:           B-1 地点"), std::string::npos) << info;
  EXPECT_EQ(info.find("CreationDate"), std::string::npos) << info;

  // Text as text: the name, the captions, every depth label once, the
  // legend, the footer of each page.
  const std::string text = Tool("pdftotext -enc UTF-8 b-1.pdf -", dir);
  for (const char* word : {"B-1",
                           "地点",
                           "Dep.(m)",
                           "M",
                           "S",
                           "G",
                           "R",
                           "粘土",
                           "砂",
                           "礫",
                           "細粒火山灰",
                           "火山岩類",
                           "明瞭",
                           "不明瞭",
                           "侵食面",
                           "断層",
                           "ローム質",
                           "腐植質",
                           "有機質",
                           "赤色化（強風化）",
                           "褐色化（風化）",
                           "平行層理",
                           "リップル",
                           "植物根",
                           "貝化石",
                           "試料採取位置",
                           "1/100",
                           "1 / 2",
                           "2 / 2"}) {
    EXPECT_NE(text.find(word), std::string::npos) << word << "\n" << text;
  }
  const std::set<std::string> words = Words(text);
  for (int m = 0; m <= 27; ++m) EXPECT_TRUE(words.count(std::to_string(m))) << m;
  EXPECT_EQ(Occurrences(text, "Dep.(m)"), 2u);

  const std::string fonts = Tool("pdffonts b-1.pdf", dir);
  EXPECT_NE(fonts.find("IPAGothic"), std::string::npos) << fonts;
  std::istringstream lines(fonts);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("IPAGothic") != std::string::npos) {
      EXPECT_NE(line.find(" yes yes yes "), std::string::npos) << "embedded subset: " << line;
    }
  }

  // Samples hidden, so that nothing but the ticks crosses the scan.
  ExpectTrueScaleTicks(Document(testing::LoadLog(testing::ExampleLog(), LegendView(false))->Scene(),
                                DocumentFormat::kPdf),
                       25);
}

TEST(PdfDocument, EverySheetOfTheLargestLog) {
  const auto log = testing::FullLog(LegendView(false));
  const std::string pdf = Document(log->Scene(), DocumentFormat::kPdf);
  TempDir dir;
  WriteBytes(dir / "full.pdf", pdf);

  // 40 sheets, two to an A4 page, the legend on a page of its own.
  const std::string info = Tool("pdfinfo full.pdf", dir);
  EXPECT_NE(info.find("Pages:           21\n"), std::string::npos) << info;
  const std::string text = Tool("pdftotext -enc UTF-8 full.pdf -", dir);
  EXPECT_EQ(Occurrences(text, "Dep.(m)"), 40u);
  EXPECT_EQ(Occurrences(text, "B-999"), 21u + 1u);  // each footer, and the caption
  EXPECT_NE(text.find("21 / 21"), std::string::npos);
  const std::set<std::string> words = Words(text);
  for (int m = 0; m <= 999; ++m) EXPECT_TRUE(words.count(std::to_string(m))) << m;

  // Each image once, however many tiles and icons show it: cairo writes an
  // image with transparency as two (the colours and the soft mask).
  std::size_t images = 0;
  for (const Image& image : DrawWholeLog(log->Scene()).images) images += image.opaque ? 1 : 2;
  EXPECT_EQ(Occurrences(pdf, "/Subtype /Image"), images);
  EXPECT_LT(pdf.size(), 4u << 20);

  ExpectTrueScaleTicks(pdf, 25);
}

TEST(SvgDocument, ParsesAndHoldsTheTextAsText) {
  const auto log = testing::LoadLog(testing::ExampleLog(), LegendView());
  const std::string svg = Document(log->Scene(), DocumentFormat::kSvg);
  TempDir dir;
  WriteBytes(dir / "b-1.svg", svg);
  Tool("xmllint --noout b-1.svg", dir);
  const auto xpath = [&dir](const std::string& path) {
    std::string result = Tool("xmllint --xpath " + Quote(path) + " b-1.svg", dir);
    if (!result.empty() && result.back() == '\n') result.pop_back();
    return result;
  };
  EXPECT_EQ(xpath("count(//*[local-name()=\"g\"][starts-with(@id,\"sheet-\")])"), "2");
  EXPECT_EQ(xpath("count(//*[local-name()=\"g\"][@id=\"legend\"])"), "1");
  EXPECT_EQ(xpath("string(/*/@width)").substr(0, 1), "2");  // about 263 mm
  EXPECT_NE(svg.find("mm\" height=\""), std::string::npos);
  const std::string texts = xpath("//*[local-name()=\"text\"]/text()");
  for (const char* word :
       {"B-1 地点", "Dep.(m)", "   0", "  25", "  27", "凡　例", "砂", "試料採取位置"}) {
    EXPECT_NE(texts.find(word), std::string::npos) << word;
  }
  // Each image defined once and used by reference.
  const std::size_t images = DrawWholeLog(log->Scene()).images.size();
  EXPECT_EQ(xpath("count(//*[local-name()=\"image\"])"), std::to_string(images));
  EXPECT_GT(Occurrences(svg, "xlink:href=\"#image-"), images);
}

TEST(Documents, TheSameLogGivesTheSameBytes) {
  for (const DocumentFormat format : {DocumentFormat::kPdf, DocumentFormat::kSvg}) {
    const auto a = testing::LoadLog(testing::ExampleLog(), LegendView());
    const auto b = testing::LoadLog(testing::ExampleLog(), LegendView());
    const std::string first = Document(a->Scene(), format);
    EXPECT_EQ(first, Document(b->Scene(), format));
    // The scroll position plays no part: the file holds the whole log.
    b->view.scrollPosition = 60;
    EXPECT_EQ(first, Document(b->Scene(), format));
  }
}

}  // namespace
}  // namespace borvik::render::vector
