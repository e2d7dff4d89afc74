#pragma once
// The Canvas on the current OpenGL context, fixed-function OpenGL 1.x.
// Include <GL/glew.h> (through this header) before any other GL header.

#include <GL/glew.h>

#include <cstdint>
#include <map>
#include <string>

#include "render/canvas.h"
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

 private:
  // One texture object per decoded image, kept while the image is; the
  // empty texture has no image at all.
  GLuint TextureFor(const TextureImage& image);

  TextureStore store_;
  std::map<std::uint64_t, GLuint> textures_;  // by image serial
  GLuint emptyTexture_ = 0;
};

// Makes GLEW load the entry points of the current context. True when they
// are there; the headless context's "no GLX display" answer counts as loaded.
bool InitGlew();

}  // namespace borvik::render::gl
