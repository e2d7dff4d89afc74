#include "render/gl/gl_canvas.h"

#include <GL/glu.h>

namespace borvik::render::gl {
namespace {

void Vertices(GLenum mode, std::span<const Point> points) {
  glBegin(mode);
  for (const Point& p : points) glVertex2f(p.x, p.y);
  glEnd();
}

}  // namespace

bool InitGlew() {
  glewExperimental = GL_TRUE;
  const GLenum result = glewInit();
  // On an EGL context glewInit loads the GL entry points, then fails to
  // find a GLX display.
  return (result == GLEW_OK || result == GLEW_ERROR_NO_GLX_DISPLAY) && glGenerateMipmap != nullptr;
}

GlCanvas::GlCanvas() { glGenTextures(1, &emptyTexture_); }

GlCanvas::~GlCanvas() {
  for (const auto& [serial, texture] : textures_) glDeleteTextures(1, &texture);
  glDeleteTextures(1, &emptyTexture_);
}

void GlCanvas::BeginFrame(int width, int height) {
  glViewport(0, 0, width, height);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlCanvas::EndFrame() { glFinish(); }

void GlCanvas::ResetEntryState() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor4f(1, 1, 1, 1);
  ClearTexture();
  glDisable(GL_TEXTURE_2D);
  glLineWidth(1);
  glDisable(GL_LINE_STIPPLE);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisable(GL_DEPTH_TEST);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void GlCanvas::BeginEntry(int width, int height, float cameraX) {
  glPushMatrix();
  glViewport(0, 0, width, height);
  glScalef(0.7f, 0.7f, 1);
  gluLookAt(cameraX, 0, 1, cameraX, 0, 0, 0, 1, 0);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void GlCanvas::EndEntry() {
  glFinish();
  glPopMatrix();
}

void GlCanvas::PushMatrix() { glPushMatrix(); }
void GlCanvas::PopMatrix() { glPopMatrix(); }
void GlCanvas::Translate(float x, float y) { glTranslatef(x, y, 0); }
void GlCanvas::SetColor(float r, float g, float b) { glColor3f(r, g, b); }
void GlCanvas::SetLineWidth(float width) { glLineWidth(width); }

void GlCanvas::SetLineStipple(bool on, std::uint16_t pattern) {
  if (on) {
    glLineStipple(1, pattern);
    glEnable(GL_LINE_STIPPLE);
  } else {
    glDisable(GL_LINE_STIPPLE);
  }
}

GLuint GlCanvas::TextureFor(const TextureImage& image) {
  if (auto it = textures_.find(image.serial); it != textures_.end()) return it->second;
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const GLenum format = image.channels == 4 ? GL_RGBA : GL_RGB;
  // Rows are tightly packed; the bitmap text relies on the default
  // alignment, so it is put back.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.width, image.height, 0, format,
               GL_UNSIGNED_BYTE, image.pixels.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glGenerateMipmap(GL_TEXTURE_2D);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  textures_.emplace(image.serial, texture);
  return texture;
}

void GlCanvas::LoadTexture(std::string_view path, TextureLoader loader) {
  const TextureImage* image = store_.Get(path, loader);
  if (!image) {
    ClearTexture();
    return;
  }
  glBindTexture(GL_TEXTURE_2D, TextureFor(*image));
}

void GlCanvas::ClearTexture() { glBindTexture(GL_TEXTURE_2D, emptyTexture_); }

void GlCanvas::SetTexturing(bool on) {
  if (on) {
    glEnable(GL_TEXTURE_2D);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
}

void GlCanvas::Quad(const std::array<TexPoint, 4>& corners) {
  glBegin(GL_QUADS);
  for (const TexPoint& c : corners) {
    glTexCoord2f(c.s, c.t);
    glVertex2f(c.x, c.y);
  }
  glEnd();
}

void GlCanvas::Lines(std::span<const Point> points) { Vertices(GL_LINES, points); }
void GlCanvas::LineStrip(std::span<const Point> points) { Vertices(GL_LINE_STRIP, points); }
void GlCanvas::LineLoop(std::span<const Point> points) { Vertices(GL_LINE_LOOP, points); }

void GlCanvas::Triangle(Point a, Point b, Point c) {
  const Point corners[] = {a, b, c};
  Vertices(GL_TRIANGLES, corners);
}

void GlCanvas::Bitmap(float x, float y, int width, int height, float moveX,
                      const std::uint8_t* rows) {
  glRasterPos2f(x, y);
  glBitmap(width, height, 0, 0, moveX, 0, rows);
}

}  // namespace borvik::render::gl
