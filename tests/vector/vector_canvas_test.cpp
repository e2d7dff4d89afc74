// The vector canvas against the recording canvas: every call of a frame
// becomes the shape it asks for, in world coordinates, in the same order.

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "log_fixture.h"
#include "render/recording_canvas.h"
#include "render/texture_files.h"
#include "render/texture_store.h"
#include "render/vector/paper_geometry.h"
#include "render/vector/text_cells.h"
#include "render/vector/vector_canvas.h"

namespace borvik::render::vector {
namespace {

using testing::FullLog;
using testing::LoadLog;

// What each recorded call should become, worked out from the recording
// alone: the drawing state as OpenGL keeps it, a texture by its file.
class ExpectedShapes {
 public:
  explicit ExpectedShapes(const VectorDrawing& drawing) : drawing_(drawing) {}

  void Check(const std::vector<CanvasOp>& ops) {
    std::size_t next = 0;
    for (const CanvasOp& op : ops) {
      std::visit([&](const auto& o) { Apply(o, next); }, op);
      if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_EQ(next, drawing_.shapes.size()) << "shapes beyond the recorded calls";
    // Each texture and colour is one image, and no image is kept twice.
    EXPECT_EQ(images_.size(), drawing_.images.size());
  }

 private:
  using TextureKey = std::tuple<std::string, TextureLoader>;

  const Shape& Next(std::size_t& next) {
    if (next >= drawing_.shapes.size()) {
      ADD_FAILURE() << "missing shape " << next;
      static const Shape kNone;
      return kNone;
    }
    return drawing_.shapes[next++];
  }
  Point Moved(Point p) const { return {p.x + offset_.x, p.y + offset_.y}; }
  std::vector<Point> Moved(const std::vector<Point>& points) const {
    std::vector<Point> moved;
    for (const Point& p : points) moved.push_back(Moved(p));
    return moved;
  }
  LineStyle Style() const { return {color_, width_, stipple_}; }
  void Reset() {
    offset_ = {};
    color_ = {};
    width_ = 1;
    stipple_ = 0xFFFF;
    texture_.reset();
    texturing_ = false;
  }

  void Apply(const op::BeginFrame&, std::size_t&) {
    Reset();
    stack_.clear();
  }
  void Apply(const op::EndFrame&, std::size_t&) {}
  void Apply(const op::ResetEntryState&, std::size_t&) { Reset(); }
  void Apply(const op::BeginEntry&, std::size_t&) { stack_.push_back(offset_); }
  void Apply(const op::EndEntry&, std::size_t& n) { Apply(op::PopMatrix{}, n); }
  void Apply(const op::PushMatrix&, std::size_t&) { stack_.push_back(offset_); }
  void Apply(const op::PopMatrix&, std::size_t&) {
    ASSERT_FALSE(stack_.empty());
    offset_ = stack_.back();
    stack_.pop_back();
  }
  void Apply(const op::Translate& t, std::size_t&) {
    offset_.x += t.x;
    offset_.y += t.y;
  }
  void Apply(const op::SetColor& c, std::size_t&) { color_ = {c.r, c.g, c.b}; }
  void Apply(const op::SetLineWidth& w, std::size_t&) { width_ = w.width; }
  void Apply(const op::SetLineStipple& s, std::size_t&) { stipple_ = s.on ? s.pattern : 0xFFFF; }
  void Apply(const op::LoadTexture& t, std::size_t&) {
    texture_.reset();
    if (store_.Get(t.path, t.loader)) texture_ = TextureKey{t.path, t.loader};
  }
  void Apply(const op::ClearTexture&, std::size_t&) { texture_.reset(); }
  void Apply(const op::SetTexturing& t, std::size_t&) { texturing_ = t.on; }

  void Apply(const op::Quad& q, std::size_t& next) {
    const Shape& shape = Next(next);
    std::array<TexPoint, 4> corners = q.corners;
    for (TexPoint& c : corners) {
      c.x += offset_.x;
      c.y += offset_.y;
    }
    if (texturing_ && texture_) {
      const auto* quad = std::get_if<ImageQuad>(&shape);
      ASSERT_NE(quad, nullptr) << "textured quad " << next - 1;
      EXPECT_EQ(quad->corners, corners);
      EXPECT_EQ(quad->pattern, std::get<1>(*texture_) == TextureLoader::Rgb);
      const auto key = std::make_tuple(std::get<0>(*texture_), std::get<1>(*texture_), color_.r,
                                       color_.g, color_.b);
      const auto [it, added] = images_.emplace(key, quad->image);
      EXPECT_EQ(it->second, quad->image) << "one image for one texture and colour";
      if (added) CheckImage(drawing_.images.at(static_cast<std::size_t>(quad->image)));
      return;
    }
    const auto* fill = std::get_if<Fill>(&shape);
    ASSERT_NE(fill, nullptr) << "untextured quad " << next - 1;
    EXPECT_EQ(fill->color, color_);
    std::vector<Point> polygon;
    for (const TexPoint& c : corners) polygon.push_back({c.x, c.y});
    EXPECT_EQ(fill->polygons, std::vector<std::vector<Point>>{polygon});
  }

  // The texture's pixels under the colour it is drawn in.
  void CheckImage(const Image& image) {
    const TextureImage* texture = store_.Get(std::get<0>(*texture_), std::get<1>(*texture_));
    ASSERT_EQ(image.width, texture->width);
    ASSERT_EQ(image.height, texture->height);
    const std::size_t last = static_cast<std::size_t>(texture->width) * texture->height - 1;
    for (const std::size_t p : {std::size_t{0}, last / 2, last}) {
      const std::uint8_t* in = &texture->pixels[p * texture->channels];
      const std::uint8_t* out = &image.rgba[p * 4];
      EXPECT_EQ(out[0], static_cast<int>(in[0] * color_.r + 0.5f));
      EXPECT_EQ(out[2], static_cast<int>(in[2] * color_.b + 0.5f));
      EXPECT_EQ(out[3], texture->channels == 4 ? in[3] : 255);
    }
  }

  void Apply(const op::Lines& l, std::size_t& next) {
    const auto* segments = std::get_if<Segments>(&Next(next));
    ASSERT_NE(segments, nullptr) << "lines " << next - 1;
    EXPECT_EQ(segments->style, Style());
    EXPECT_EQ(segments->points, Moved(l.points));
  }
  void Apply(const op::LineStrip& l, std::size_t& next) { Line(l.points, false, next); }
  void Apply(const op::LineLoop& l, std::size_t& next) { Line(l.points, true, next); }
  void Line(const std::vector<Point>& points, bool closed, std::size_t& next) {
    const auto* line = std::get_if<Polyline>(&Next(next));
    ASSERT_NE(line, nullptr) << "line strip or loop " << next - 1;
    EXPECT_EQ(line->style, Style());
    EXPECT_EQ(line->closed, closed);
    EXPECT_EQ(line->points, Moved(points));
  }
  void Apply(const op::Triangle& t, std::size_t& next) {
    const auto* fill = std::get_if<Fill>(&Next(next));
    ASSERT_NE(fill, nullptr) << "triangle " << next - 1;
    EXPECT_EQ(fill->color, color_);
    EXPECT_EQ(fill->polygons,
              (std::vector<std::vector<Point>>{{Moved(t.a), Moved(t.b), Moved(t.c)}}));
  }
  // The glyphs that follow a text in the recording are the picture's way of
  // setting it; the vector canvas sets the text itself.
  void Apply(const op::Bitmap&, std::size_t&) {}
  void Apply(const op::Text& t, std::size_t& next) {
    const auto* text = std::get_if<TextRun>(&Next(next));
    ASSERT_NE(text, nullptr) << "text " << t.utf8;
    EXPECT_EQ(text->color, color_);
    EXPECT_EQ(text->origin, Moved(Point{t.x, t.y}));
    EXPECT_EQ(text->utf8, t.utf8);
    EXPECT_EQ(text->cells, TextCells(t.utf8.c_str()));
  }

  const VectorDrawing& drawing_;
  TextureStore store_;
  std::map<std::tuple<std::string, TextureLoader, float, float, float>, int> images_;
  Point offset_;
  std::vector<Point> stack_;
  Rgb color_;
  float width_ = 1;
  std::uint16_t stipple_ = 0xFFFF;
  std::optional<TextureKey> texture_;
  bool texturing_ = false;
};

void ExpectSameFrame(const Scene& scene) {
  RecordingCanvas recording;
  ColumnRenderer().RenderLog(recording, scene, 880, 831);
  VectorCanvas canvas;
  ColumnRenderer().RenderLog(canvas, scene, 880, 831);
  ExpectedShapes(canvas.Drawing()).Check(recording.Ops());
}

TEST(VectorCanvas, AgreesWithTheRecordingOnEveryCallOfAFrame) {
  const struct {
    int scale;
    bool legend, elevation, marks;
  } views[] = {{1, true, false, true},
               {0, true, true, true},
               {2, false, true, false},
               {3, true, false, true}};
  for (const auto& v : views) {
    SCOPED_TRACE(::testing::Message() << "scale " << v.scale << " legend " << v.legend
                                      << " elevation " << v.elevation << " marks " << v.marks);
    ViewOptions view;
    view.scaleIndex = v.scale;
    view.showLegend = v.legend;
    view.elevationLabels = v.elevation;
    view.showStructures = view.showFeatures = view.showSamples = v.marks;
    ExpectSameFrame(LoadLog(testing::ExampleLog(), view)->Scene());
    ExpectSameFrame(
        LoadLog(std::filesystem::path(BORVIK_TEST_DATA) / "editor_marks.csv", view)->Scene());
  }
  ViewOptions legend;
  legend.showLegend = true;
  ExpectSameFrame(FullLog(legend)->Scene());
}

TEST(VectorCanvas, KeepsTheWorldWhateverTheCameraAndTheMatrixStack) {
  auto log = LoadLog(testing::ExampleLog());
  VectorCanvas at0, at100;
  ColumnRenderer().RenderLog(at0, log->Scene(), 880, 831);
  log->view.scrollPosition = 100;
  ColumnRenderer().RenderLog(at100, log->Scene(), 880, 831);
  ASSERT_EQ(at0.Drawing().shapes.size(), at100.Drawing().shapes.size());
  for (std::size_t i = 0; i < at0.Drawing().shapes.size(); ++i) {
    EXPECT_EQ(Bounds(at0.Drawing().shapes[i]).left, Bounds(at100.Drawing().shapes[i]).left) << i;
  }

  // Translations nest and undo; a pop too many keeps the matrix it has.
  VectorCanvas canvas;
  canvas.BeginFrame(880, 831);
  canvas.ResetEntryState();
  canvas.BeginEntry(880, 831, 7.0f);
  canvas.Translate(1, 2);
  canvas.PushMatrix();
  canvas.Translate(0.5f, -1);
  canvas.Triangle({0, 0}, {1, 0}, {0, 1});
  canvas.PopMatrix();
  canvas.Triangle({0, 0}, {1, 0}, {0, 1});
  canvas.EndEntry();
  canvas.PopMatrix();
  canvas.Triangle({0, 0}, {1, 0}, {0, 1});
  const auto& shapes = canvas.Drawing().shapes;
  ASSERT_EQ(shapes.size(), 3u);
  EXPECT_EQ(std::get<Fill>(shapes[0]).polygons[0][0], (Point{1.5f, 1}));
  EXPECT_EQ(std::get<Fill>(shapes[1]).polygons[0][0], (Point{1, 2}));
  EXPECT_EQ(std::get<Fill>(shapes[2]).polygons[0][0], (Point{0, 0}));
}

TEST(VectorCanvas, TexturesUnderTheCurrentColour) {
  VectorCanvas canvas;
  canvas.BeginFrame(880, 831);
  canvas.ResetEntryState();
  const std::array<TexPoint, 4> quad{{{0, 0, 0, 1}, {1, 0, 1, 1}, {1, 1, 1, 0}, {0, 1, 0, 0}}};
  canvas.SetTexturing(true);
  // The legend header: an RGBA image in black shows only its shape.
  canvas.SetColor(0, 0, 0);
  canvas.LoadTexture(builtin::kRockface, TextureLoader::Rgba);
  canvas.Quad(quad);
  canvas.Quad(quad);
  // Under white a pattern keeps its colours.
  canvas.SetColor(1, 1, 1);
  canvas.LoadTexture(builtin::kSand, TextureLoader::Rgb);
  canvas.Quad(quad);
  // Without an image (a missing file, or none loaded) the quad is the colour.
  canvas.LoadTexture(R"(TEX\SYSTEM\no-such.png)", TextureLoader::Rgb);
  canvas.Quad(quad);
  canvas.LoadTexture(builtin::kSand, TextureLoader::Rgb);
  canvas.SetTexturing(false);
  canvas.Quad(quad);

  const VectorDrawing& d = canvas.Drawing();
  ASSERT_EQ(d.shapes.size(), 5u);
  ASSERT_EQ(d.images.size(), 2u);
  EXPECT_EQ(std::get<ImageQuad>(d.shapes[0]).image, 0);
  EXPECT_EQ(std::get<ImageQuad>(d.shapes[1]).image, 0);
  EXPECT_EQ(std::get<ImageQuad>(d.shapes[2]).image, 1);
  EXPECT_EQ(std::get<Fill>(d.shapes[3]).color, (Rgb{1, 1, 1}));
  EXPECT_EQ(std::get<Fill>(d.shapes[4]).color, (Rgb{1, 1, 1}));

  TextureStore store;
  const TextureImage* rockface = store.Get(builtin::kRockface, TextureLoader::Rgba);
  const TextureImage* sand = store.Get(builtin::kSand, TextureLoader::Rgb);
  ASSERT_TRUE(rockface && sand);
  const Image& header = d.images[0];
  EXPECT_FALSE(header.opaque);
  bool shapeShown = false;
  for (std::size_t p = 0; p < header.rgba.size() / 4; ++p) {
    EXPECT_EQ(header.rgba[p * 4] | header.rgba[p * 4 + 1] | header.rgba[p * 4 + 2], 0) << p;
    EXPECT_EQ(header.rgba[p * 4 + 3], rockface->pixels[p * 4 + 3]) << p;
    shapeShown = shapeShown || header.rgba[p * 4 + 3] == 255;
  }
  EXPECT_TRUE(shapeShown);
  const Image& pattern = d.images[1];
  EXPECT_TRUE(pattern.opaque);
  for (std::size_t p = 0; p < pattern.rgba.size() / 4; ++p) {
    ASSERT_EQ(pattern.rgba[p * 4 + 1], sand->pixels[p * 3 + 1]) << p;
  }
}

TEST(VectorCanvas, BitmapPixelsArePicturePixels) {
  VectorCanvas canvas;
  canvas.BeginFrame(880, 831);
  canvas.ResetEntryState();
  canvas.SetColor(0, 0, 0);
  std::uint8_t rows[64] = {};
  rows[0] = 0x80;           // bottom row, leftmost pixel
  rows[15 * 4 + 1] = 0x01;  // top row, pixel 15
  canvas.Bitmap(0.5f, 1.0f, 16, 16, 16, rows);
  const auto& fill = std::get<Fill>(canvas.Drawing().shapes.at(0));
  ASSERT_EQ(fill.polygons.size(), 2u);
  constexpr float kAcross = 1.0f / 308.0f;
  constexpr float kUp = 1.0f / 290.85f;
  EXPECT_NEAR(fill.polygons[0][0].x, 0.5f, 1e-6);
  EXPECT_NEAR(fill.polygons[0][2].x, 0.5f + kAcross, 1e-6);
  EXPECT_NEAR(fill.polygons[0][2].y, 1.0f + kUp, 1e-6);
  EXPECT_NEAR(fill.polygons[1][0].x, 0.5f + 15 * kAcross, 1e-6);
  EXPECT_NEAR(fill.polygons[1][0].y, 1.0f + 15 * kUp, 1e-6);
  EXPECT_NEAR(fill.polygons[1][2].y, 1.0f + 16 * kUp, 1e-6);
}

TEST(TextCells, TheCellsOfTheBitmapText) {
  const struct {
    const char* text;
    std::vector<TextCell> cells;
  } cases[] = {
      {"M", {{U'M', 0, 1}}},
      {"凡　例", {{U'凡', 0, 2}, {U'\u3000', 2, 2}, {U'例', 4, 2}}},
      {"Dep.(m)凡",
       {{U'D', 0, 1},
        {U'e', 1, 1},
        {U'p', 2, 1},
        {U'.', 3, 1},
        {U'(', 4, 1},
        {U'm', 5, 1},
        {U')', 6, 1},
        {U'凡', 7, 2}}},
      // The bitmap font draws 0x5C as a yen sign and 0x7E as an overline.
      {"\\\u00A5~", {{U'\u00A5', 0, 1}, {U'\u00A5', 1, 1}, {U'\u203E', 2, 1}}},
      {"\uFF71", {{U'\uFF71', 0, 1}}},
      // Characters without a code, controls and four-byte forms are blank cells.
      {"\u00C0\n\U0001F600x", {{U' ', 0, 1}, {U' ', 1, 1}, {U' ', 2, 1}, {U'x', 3, 1}}},
      {"  25", {{U' ', 0, 1}, {U' ', 1, 1}, {U'2', 2, 1}, {U'5', 3, 1}}},
      {"①\u2170", {{U'①', 0, 2}, {U'\u2170', 2, 2}}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(TextCells(c.text), c.cells) << c.text;

  const std::string long600(600, 'a');
  const auto cells = TextCells(long600.c_str());
  ASSERT_EQ(cells.size(), 511u);
  EXPECT_EQ(cells.back().cell, 510);
}

}  // namespace
}  // namespace borvik::render::vector
