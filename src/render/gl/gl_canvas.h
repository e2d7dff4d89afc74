#pragma once
// The Canvas on the current OpenGL context, fixed-function OpenGL 1.x.
// Include <GL/glew.h> (through this header) before any other GL header.
//
// In FrameMode::kLiteral every call goes to OpenGL as it comes, every entry
// is reset and finished. In kFast the canvas keeps the state the frame asks
// for and sends OpenGL only what changes, just before something is drawn;
// the view is set once per frame, the drawing finished once per frame; a
// texture file is looked at once per frame; text is drawn as quads from a
// glyph atlas, each glyph at the pixel where its bitmap would be.

#include <GL/glew.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/canvas.h"
#include "render/gl/glyph_atlas.h"
#include "render/texture_store.h"

namespace borvik::render::gl {

class GlCanvas final : public Canvas {
 public:
  // Needs a current context with GLEW initialised; the context must stay
  // current while the canvas is used.
  GlCanvas();
  ~GlCanvas() override;
  GlCanvas(const GlCanvas&) = delete;
  GlCanvas& operator=(const GlCanvas&) = delete;

  void BeginFrame(int width, int height) override;
  void EndFrame() override;
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
  void Bitmap(float x, float y, int width, int height, float moveX,
              const std::uint8_t* rows) override;
  void Text(float x, float y, const char* utf8) override;

 private:
  // What the frame has asked for, or what OpenGL holds (kFast).
  struct DrawState {
    std::array<float, 4> color{1, 1, 1, 1};
    GLuint texture = 0;
    bool texturing = false;
    float lineWidth = 1;
    bool stipple = false;
    std::uint16_t pattern = 0xFFFF;
  };
  // A glyph waiting to be drawn: its pixel rectangle and atlas cell.
  struct GlyphQuad {
    int x = 0, y = 0, width = 0;
    GlyphAtlas::Cell cell;
    std::array<float, 4> color{};
  };
  // Where the view of the entries maps world x and y to window pixels:
  // window = (world * scale + offset + 1) * size / 2 + origin.
  struct ViewMapping {
    bool affine = false;  // only scale and offset, as the camera makes it
    double scaleX = 0, offsetX = 0, scaleY = 0, offsetY = 0;
    std::array<GLint, 4> viewport{};
  };

  bool Fast() const { return Mode() == FrameMode::kFast; }
  // kFast: draws the waiting glyphs, then sends what differs from the state
  // asked for.
  void Apply();
  void DrawVertices(GLenum mode, std::span<const Point> points);
  // One texture object per decoded image, kept while the image is; the
  // empty texture has no image at all.
  GLuint TextureFor(const TextureImage& image);
  GLuint FindTexture(std::string_view path, TextureLoader loader);

  // gl_text.cpp
  // The glyph's lower-left pixel as glBitmap would place it, or false when
  // its raster position is invalid.
  bool GlyphPixel(float x, float y, int& px, int& py);
  bool AtlasTextAllowed() const;
  void FlushGlyphs();

  TextureStore store_;
  std::map<std::uint64_t, GLuint> textures_;  // by image serial
  GLuint emptyTexture_ = 0;

  // kFast
  DrawState wanted_;
  DrawState applied_;
  bool appliedKnown_ = false;
  bool viewSet_ = false;
  int viewWidth_ = 0, viewHeight_ = 0;
  float viewCameraX_ = 0;
  int pushed_ = 0;  // the frame's own pushes, within an entry
  ViewMapping mapping_;
  // Texture objects looked up in this frame, by path, per loader.
  struct PathHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::array<std::unordered_map<std::string, GLuint, PathHash, std::equal_to<>>, 2> frameTextures_;
  GlyphAtlas atlas_;
  std::vector<GlyphQuad> glyphs_;
};

// Makes GLEW load the entry points of the current context. True when they
// are there; the headless context's "no GLX display" answer counts as loaded.
bool InitGlew();

}  // namespace borvik::render::gl
