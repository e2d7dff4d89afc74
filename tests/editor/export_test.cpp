// 画像として保存, PDFとして保存 and SVGとして保存: the file dialogs, and the
// scene handed to the export.

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

#include "editor_harness.h"
#include "files/layer_csv.h"
#include "render/draw_table.h"

namespace borvik::editor {
namespace {

using testing::Editor;
using namespace testing;

// A copy of everything the picture is drawn from.
struct SceneCopy {
  std::unique_ptr<render::DrawTable> drawing = std::make_unique<render::DrawTable>();
  render::LegendUsage legend;
  settings::CategoryCatalogue catalogue;
  model::LogHeader header;
  render::ViewOptions view;
};

SceneCopy Copy(const render::Scene& scene) {
  SceneCopy copy;
  *copy.drawing = scene.drawing;
  copy.legend = scene.usage;
  copy.catalogue = scene.catalogue;
  copy.header = scene.header;
  copy.view = scene.view;
  return copy;
}

void ExpectSameDrawing(const render::DrawTable& a, const render::DrawTable& b) {
  ASSERT_EQ(a.EntryCount(), b.EntryCount());
  EXPECT_EQ(a.LastEntry(), b.LastEntry());
  for (int i = 1; i <= a.EntryCount(); ++i) EXPECT_EQ(a.Entry(i), b.Entry(i)) << "entry " << i;
}

// The export draws what `borvik-cli render IN OUT --scale 1/200 --legend
// --elevation --hide structures --scroll 15` draws: the log loaded from IN
// with that view. The command builds its scene from the file directly; the
// editor gets there through 読込 and the view buttons.
TEST(SaveImage, ExportsTheSceneRenderDrawsForTheSameLogAndView) {
  const auto fixture = std::filesystem::path(BORVIK_TEST_DATA) / "editor_marks.csv";
  Editor e;
  e.ui.fileAnswers.push_back(fixture);
  e.session->OnFileLoad();
  ASSERT_TRUE(e.ui.messages.empty());
  e.State().scale.selection = 2;
  e.session->OnScaleChange();
  e.session->OnDisplayToggle(1093);
  e.session->OnDisplayToggle(1100);
  e.session->OnDisplayToggle(1090);
  for (int i = 0; i < 3; ++i) e.session->OnScroll(ScrollEvent::PageRight);

  std::optional<SceneCopy> exported;
  e.ui.onExport = [&](const std::filesystem::path&) { exported = Copy(e.session->Scene()); };
  e.ui.fileAnswers.push_back(e.dir / "picture");
  e.session->OnFileSaveImage();
  ASSERT_EQ(e.ui.fileDialogs.size(), 2u);
  EXPECT_TRUE(e.ui.fileDialogs[1].save);
  EXPECT_EQ(e.ui.fileDialogs[1].filter, "画像ファイル (*.png)|*.png||");
  EXPECT_EQ(e.ui.fileDialogs[1].defaultExtension, "png");
  ASSERT_EQ(e.ui.exports, std::vector<std::filesystem::path>{e.dir / "picture.png"});
  ASSERT_TRUE(exported);
  EXPECT_TRUE(e.ui.messages.empty());

  // What the render command builds.
  auto log = std::make_unique<model::Document>();
  ASSERT_TRUE(files::ReadLayerFile(fixture, *log));
  render::ViewOptions view;
  view.scaleIndex = 2;
  view.showLegend = true;
  view.elevationLabels = true;
  view.showStructures = false;
  view.scrollPosition = 15;
  auto drawing = std::make_unique<render::DrawTable>();
  render::LegendUsage legend;
  render::RebuildDrawing(*drawing, legend, log->layers, view.scaleIndex);

  EXPECT_EQ(exported->view, view);
  EXPECT_EQ(exported->header, log->header);
  EXPECT_EQ(exported->catalogue, settings::CategoryCatalogue::Defaults());
  EXPECT_EQ(exported->legend, legend);
  ExpectSameDrawing(*exported->drawing, *drawing);
}

TEST(SaveImage, CancelledOrFailed) {
  Editor e;
  e.ui.fileAnswers.push_back(std::nullopt);
  e.session->OnFileSaveImage();
  EXPECT_TRUE(e.ui.exports.empty());
  EXPECT_TRUE(e.ui.messages.empty());

  // An existing file is replaced without a question; a failure is told.
  borvik::testing::WriteBytes(e.dir / "old.png", "old");
  e.ui.exportResult = files::Status::Fail(files::CannotWrite(ENOSPC));
  e.ui.fileAnswers.push_back(e.dir / "old.png");
  e.session->OnFileSaveImage();
  EXPECT_EQ(e.ui.overwriteQuestions, 0);
  EXPECT_EQ(e.ui.exports, std::vector<std::filesystem::path>{e.dir / "old.png"});
  EXPECT_EQ(e.ui.messages,
            std::vector<std::string>{"ファイルに書き込むことができませんでした\nディスクの空き容量が不足しています"});
}

// PDFとして保存 and SVGとして保存 write the whole log of the scene shown:
// the view as it stands when the command is chosen.
TEST(SaveDocument, ExportsTheCurrentSceneInTheChosenFormat) {
  const auto fixture = std::filesystem::path(BORVIK_TEST_DATA) / "editor_marks.csv";
  const struct {
    void (Session::*command)();
    files::DocumentFormat format;
    const char* filter;
    const char* extension;
  } commands[] = {
      {&Session::OnFileSavePdf, files::DocumentFormat::kPdf, "PDFファイル (*.pdf)|*.pdf||", "pdf"},
      {&Session::OnFileSaveSvg, files::DocumentFormat::kSvg, "SVGファイル (*.svg)|*.svg||", "svg"},
  };
  for (const auto& c : commands) {
    SCOPED_TRACE(c.extension);
    Editor e;
    e.ui.fileAnswers.push_back(fixture);
    e.session->OnFileLoad();
    e.State().scale.selection = 3;
    e.session->OnScaleChange();
    e.session->OnDisplayToggle(1093);  // the legend on
    std::optional<SceneCopy> exported;
    e.ui.onDocument = [&](const std::filesystem::path&, files::DocumentFormat) {
      exported = Copy(e.session->Scene());
    };
    e.ui.fileAnswers.push_back(e.dir / "log");  // the extension is added
    ((*e.session).*c.command)();
    ASSERT_EQ(e.ui.fileDialogs.size(), 2u);
    EXPECT_TRUE(e.ui.fileDialogs[1].save);
    EXPECT_EQ(e.ui.fileDialogs[1].filter, c.filter);
    EXPECT_EQ(e.ui.fileDialogs[1].defaultExtension, c.extension);
    ASSERT_EQ(e.ui.documents.size(), 1u);
    EXPECT_EQ(e.ui.documents[0].first, e.dir / (std::string("log.") + c.extension));
    EXPECT_EQ(e.ui.documents[0].second, c.format);
    EXPECT_TRUE(e.ui.exports.empty());
    ASSERT_TRUE(exported);
    EXPECT_EQ(exported->view.scaleIndex, 3);
    EXPECT_TRUE(exported->view.showLegend);
    ExpectSameDrawing(*exported->drawing, e.session->Drawing());
    EXPECT_TRUE(e.ui.messages.empty());
  }
}

TEST(SaveDocument, CancelledOrFailed) {
  Editor e;
  e.ui.fileAnswers.push_back(std::nullopt);
  e.session->OnFileSavePdf();
  EXPECT_TRUE(e.ui.documents.empty());
  EXPECT_TRUE(e.ui.messages.empty());

  // A failure is told in its own words: the disk, or a sheet too large for
  // every paper.
  files::Error tooLarge = files::Failure(files::ErrorKind::kPaperTooSmall);
  tooLarge.paper = files::Paper{files::PaperSize::kA3, true};
  const struct {
    files::Error error;
    std::string message;
  } failures[] = {
      {files::CannotWrite(ENOSPC),
       "ファイルに書き込むことができませんでした\nディスクの空き容量が不足しています"},
      {tooLarge, "1 枚分の柱状図がどの用紙（A4、A3 の縦と横）にも収まりません。"},
  };
  for (const auto& f : failures) {
    e.ui.documentResult = files::Status::Fail(f.error);
    e.ui.fileAnswers.push_back(e.dir / "log.svg");
    e.session->OnFileSaveSvg();
    EXPECT_EQ(e.ui.TakeMessages(), std::vector<std::string>{f.message});
  }
  EXPECT_EQ(e.ui.overwriteQuestions, 0);
}

}  // namespace
}  // namespace borvik::editor
