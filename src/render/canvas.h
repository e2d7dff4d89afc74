#pragma once
// The few OpenGL 1.x operations the frame draws with. GlCanvas issues them to
// OpenGL; RecordingCanvas keeps them, so that tests can check what is drawn
// and where without pixels.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace borvik::render {

struct Point {
  float x = 0.0f;
  float y = 0.0f;
  friend bool operator==(const Point&, const Point&) = default;
};

// A corner with its texture coordinates.
struct TexPoint {
  float x = 0.0f;
  float y = 0.0f;
  float s = 0.0f;
  float t = 0.0f;
  friend bool operator==(const TexPoint&, const TexPoint&) = default;
};

// Texture coordinates of the quads drawn from the texture-coordinate array:
// corners in the order lower-left, lower-right, upper-right, upper-left show
// the image upright.
inline constexpr std::array<Point, 4> kArrayTexCoords{{{0, 1}, {1, 1}, {1, 0}, {0, 0}}};

enum class TextureLoader { Rgb, Rgba };

// How a frame is drawn. kLiteral does all the work as described: every
// entry from its reset state, every glyph decoded at every use, the drawing
// finished after every entry. kFast skips work that cannot change a pixel;
// the pixels are the same.
enum class FrameMode { kLiteral, kFast };

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Set by the frame before BeginFrame. In kFast a canvas may take
  // shortcuts that give the same pixels (the base Text uses the glyph font
  // decoded once).
  void SetFrameMode(FrameMode mode) { mode_ = mode; }
  FrameMode Mode() const { return mode_; }

  // Viewport, then the whole picture cleared to opaque white.
  virtual void BeginFrame(int width, int height) = 0;
  // Everything drawn reaches the picture (glFinish, buffer swap where there
  // is one).
  virtual void EndFrame() = 0;

  // The state every entry starts from: identity matrices, opaque white, the
  // texture without an image, texturing off, line width 1, stipple off,
  // arrays disabled.
  virtual void ResetEntryState() = 0;
  // The entry's view: modelview pushed, viewport, scaled by (0.7, 0.7, 1),
  // the camera at (cameraX, 0, 1) looking down -z, blending on.
  virtual void BeginEntry(int width, int height, float cameraX) = 0;
  // glFinish, modelview popped.
  virtual void EndEntry() = 0;

  virtual void PushMatrix() = 0;
  virtual void PopMatrix() = 0;
  virtual void Translate(float x, float y) = 0;

  virtual void SetColor(float r, float g, float b) = 0;
  virtual void SetLineWidth(float width) = 0;
  // Line stipple with factor 1; off when `on` is false.
  virtual void SetLineStipple(bool on, std::uint16_t pattern = 0xFFFF) = 0;

  // Decodes the PNG at the path and makes it the texture's image. A file that
  // cannot be decoded leaves the texture without an image.
  virtual void LoadTexture(std::string_view path, TextureLoader loader) = 0;
  // The texture without an image: textured drawing comes out in the current
  // colour.
  virtual void ClearTexture() = 0;
  virtual void SetTexturing(bool on) = 0;

  // A textured quad, corners in drawing order.
  virtual void Quad(const std::array<TexPoint, 4>& corners) = 0;
  // Independent segments: points 0-1, 2-3, ...
  virtual void Lines(std::span<const Point> points) = 0;
  virtual void LineStrip(std::span<const Point> points) = 0;
  virtual void LineLoop(std::span<const Point> points) = 0;
  // A filled triangle in the current colour.
  virtual void Triangle(Point a, Point b, Point c) = 0;

  // Raster position at (x, y), then one bitmap of `height` rows with a stride
  // of 4 bytes, the most significant bit leftmost, first row at the bottom.
  virtual void Bitmap(float x, float y, int width, int height, float moveX,
                      const std::uint8_t* rows) = 0;

  // A zero-terminated UTF-8 text in the current colour, its first cell's
  // lower-left corner at (x, y): 0.024 across per half-width cell, one
  // 16-pixel glyph row high. The picture draws it as bitmap glyphs
  // (DrawBitmapText); a canvas that can set real text overrides this.
  virtual void Text(float x, float y, const char* utf8);

 private:
  FrameMode mode_ = FrameMode::kLiteral;
};

}  // namespace borvik::render
