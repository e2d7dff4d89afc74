#pragma once
// The Canvas as vector shapes: every call of the frame becomes one shape in
// world coordinates (the entry's scale and camera are the picture's, not the
// paper's), text stays text, textures become images kept once per texture
// and colour.

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "render/canvas.h"
#include "render/texture_store.h"
#include "render/vector/vector_drawing.h"

namespace borvik::render::vector {

class VectorCanvas final : public Canvas {
 public:
  // What the frame drew since its BeginFrame.
  const VectorDrawing& Drawing() const { return drawing_; }
  VectorDrawing TakeDrawing() { return std::exchange(drawing_, {}); }

  void BeginFrame(int width, int height) override;
  void EndFrame() override {}
  void ResetEntryState() override;
  void BeginEntry(int width, int height, float cameraX) override;
  void EndEntry() override;
  void PushMatrix() override;
  void PopMatrix() override;
  void Translate(float x, float y) override;
  void SetColor(float r, float g, float b) override;
  void SetLineWidth(float width) override;
  void SetLineStipple(bool on, std::uint16_t pattern) override;
  void LoadTexture(std::string_view path, TextureLoader loader) override;
  void ClearTexture() override;
  void SetTexturing(bool on) override;
  void Quad(const std::array<TexPoint, 4>& corners) override;
  void Lines(std::span<const Point> points) override;
  void LineStrip(std::span<const Point> points) override;
  void LineLoop(std::span<const Point> points) override;
  void Triangle(Point a, Point b, Point c) override;
  // Each set pixel a picture pixel: 1/308 of a world unit across, 1/290.85
  // up.
  void Bitmap(float x, float y, int width, int height, float moveX,
              const std::uint8_t* rows) override;
  // Real text in the cells the bitmap glyphs would fill.
  void Text(float x, float y, const char* utf8) override;

 private:
  Point Moved(Point p) const { return {p.x + offset_.x, p.y + offset_.y}; }
  LineStyle Style() const;
  // The drawing's image for the texture under the current colour.
  int ImageFor(const TextureImage& texture);

  VectorDrawing drawing_;
  TextureStore store_;
  // Images by texture serial and colour.
  std::map<std::pair<std::uint64_t, std::array<float, 3>>, int> images_;

  Point offset_;  // the modelview is only ever translated
  std::vector<Point> stack_;
  Rgb color_;
  float lineWidth_ = 1.0f;
  std::uint16_t stipple_ = 0xFFFF;
  const TextureImage* texture_ = nullptr;  // null: the texture without an image
  bool pattern_ = false;                   // the texture came through the RGB loader
  bool texturing_ = false;
};

}  // namespace borvik::render::vector
