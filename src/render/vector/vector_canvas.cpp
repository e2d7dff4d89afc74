#include "render/vector/vector_canvas.h"

#include "render/vector/text_cells.h"

namespace borvik::render::vector {
namespace {

std::uint8_t Modulated(std::uint8_t channel, float factor) {
  const float clamped = !(factor > 0) ? 0.0f : factor > 1 ? 1.0f : factor;
  return static_cast<std::uint8_t>(static_cast<float>(channel) * clamped + 0.5f);
}

}  // namespace

void VectorCanvas::BeginFrame(int, int) {
  drawing_ = {};
  images_.clear();
  ResetEntryState();
  stack_.clear();
}

void VectorCanvas::ResetEntryState() {
  offset_ = {};
  color_ = {};
  lineWidth_ = 1.0f;
  stipple_ = 0xFFFF;
  texture_ = nullptr;
  texturing_ = false;
}

// The entry's scale and camera place the world in the picture; on paper the
// world is kept as it is.
void VectorCanvas::BeginEntry(int, int, float) { PushMatrix(); }
void VectorCanvas::EndEntry() { PopMatrix(); }

void VectorCanvas::PushMatrix() { stack_.push_back(offset_); }

void VectorCanvas::PopMatrix() {
  if (stack_.empty()) return;  // OpenGL ignores a pop of its last matrix
  offset_ = stack_.back();
  stack_.pop_back();
}

void VectorCanvas::Translate(float x, float y) {
  offset_.x += x;
  offset_.y += y;
}

void VectorCanvas::SetColor(float r, float g, float b) { color_ = {r, g, b}; }
void VectorCanvas::SetLineWidth(float width) { lineWidth_ = width; }

void VectorCanvas::SetLineStipple(bool on, std::uint16_t pattern) {
  stipple_ = on ? pattern : 0xFFFF;
}

void VectorCanvas::LoadTexture(std::string_view path, TextureLoader loader) {
  texture_ = store_.Get(path, loader);
  pattern_ = loader == TextureLoader::Rgb;
}

void VectorCanvas::ClearTexture() { texture_ = nullptr; }
void VectorCanvas::SetTexturing(bool on) { texturing_ = on; }

LineStyle VectorCanvas::Style() const { return {color_, lineWidth_, stipple_}; }

int VectorCanvas::ImageFor(const TextureImage& texture) {
  const auto key =
      std::make_pair(texture.serial, std::array<float, 3>{color_.r, color_.g, color_.b});
  if (const auto it = images_.find(key); it != images_.end()) return it->second;
  // Modulate mode: the texture's colours times the current colour.
  Image image;
  image.width = texture.width;
  image.height = texture.height;
  const std::size_t count = static_cast<std::size_t>(texture.width) * texture.height;
  image.rgba.resize(count * 4);
  const int channels = texture.channels;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* in = &texture.pixels[i * channels];
    std::uint8_t* out = &image.rgba[i * 4];
    out[0] = Modulated(in[0], color_.r);
    out[1] = Modulated(in[1], color_.g);
    out[2] = Modulated(in[2], color_.b);
    out[3] = channels == 4 ? in[3] : 255;
    if (out[3] != 255) image.opaque = false;
  }
  const int index = static_cast<int>(drawing_.images.size());
  drawing_.images.push_back(std::move(image));
  images_.emplace(key, index);
  return index;
}

void VectorCanvas::Quad(const std::array<TexPoint, 4>& corners) {
  std::array<TexPoint, 4> moved = corners;
  for (TexPoint& c : moved) {
    c.x += offset_.x;
    c.y += offset_.y;
  }
  // A texture without an image leaves textured drawing in the current colour.
  if (texturing_ && texture_ && texture_->width > 0 && texture_->height > 0) {
    drawing_.shapes.push_back(ImageQuad{ImageFor(*texture_), moved, pattern_});
    return;
  }
  std::vector<Point> polygon;
  for (const TexPoint& c : moved) polygon.push_back({c.x, c.y});
  drawing_.shapes.push_back(Fill{color_, {std::move(polygon)}});
}

void VectorCanvas::Lines(std::span<const Point> points) {
  Segments segments{Style(), {}};
  // A last point without a partner draws nothing, as in OpenGL.
  const std::size_t paired = points.size() / 2 * 2;
  for (std::size_t i = 0; i < paired; ++i) segments.points.push_back(Moved(points[i]));
  if (!segments.points.empty()) drawing_.shapes.push_back(std::move(segments));
}

void VectorCanvas::LineStrip(std::span<const Point> points) {
  if (points.size() < 2) return;
  Polyline line{Style(), {}, false};
  for (const Point& p : points) line.points.push_back(Moved(p));
  drawing_.shapes.push_back(std::move(line));
}

void VectorCanvas::LineLoop(std::span<const Point> points) {
  if (points.size() < 2) return;
  Polyline line{Style(), {}, true};
  for (const Point& p : points) line.points.push_back(Moved(p));
  drawing_.shapes.push_back(std::move(line));
}

void VectorCanvas::Triangle(Point a, Point b, Point c) {
  drawing_.shapes.push_back(Fill{color_, {{Moved(a), Moved(b), Moved(c)}}});
}

void VectorCanvas::Bitmap(float x, float y, int width, int height, float,
                          const std::uint8_t* rows) {
  constexpr float kPixel = 1.0f / kPixelsPerUnit;
  constexpr float kPixelUp = 1.0f / kPixelsPerUnitUp;
  const Point origin = Moved({x, y});
  Fill pixels{color_, {}};
  for (int r = 0; r < height && r < 16; ++r) {
    for (int c = 0; c < width && c < 32; ++c) {
      if (!(rows[r * 4 + c / 8] & (0x80 >> (c % 8)))) continue;
      const float left = origin.x + static_cast<float>(c) * kPixel;
      const float bottom = origin.y + static_cast<float>(r) * kPixelUp;
      pixels.polygons.push_back({{left, bottom},
                                 {left + kPixel, bottom},
                                 {left + kPixel, bottom + kPixelUp},
                                 {left, bottom + kPixelUp}});
    }
  }
  if (!pixels.polygons.empty()) drawing_.shapes.push_back(std::move(pixels));
}

void VectorCanvas::Text(float x, float y, const char* utf8) {
  std::vector<TextCell> cells = TextCells(utf8);
  if (cells.empty()) return;
  drawing_.shapes.push_back(TextRun{color_, Moved({x, y}), utf8, std::move(cells)});
}

}  // namespace borvik::render::vector
