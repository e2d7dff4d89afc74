#include "render/gl/gl_canvas.h"

#include <GL/glu.h>
#include <malloc.h>

namespace borvik::render::gl {

bool InitGlew() {
  glewExperimental = GL_TRUE;
  const GLenum result = glewInit();
  // On an EGL context glewInit loads the GL entry points, then fails to
  // find a GLX display.
  return (result == GLEW_OK || result == GLEW_ERROR_NO_GLX_DISPLAY) && glGenerateMipmap != nullptr;
}

GlCanvas::GlCanvas() {
  glGenTextures(1, &emptyTexture_);
  // A software renderer that finishes a whole frame at once frees many
  // megabytes of its work at the end of it; if the C library gave them back
  // to the system, the next frame would fault every page in again.
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
}

GlCanvas::~GlCanvas() {
  for (const auto& [serial, texture] : textures_) glDeleteTextures(1, &texture);
  glDeleteTextures(1, &emptyTexture_);
}

void GlCanvas::BeginFrame(int width, int height) {
  glViewport(0, 0, width, height);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (auto& seen : frameTextures_) seen.clear();
  if (!Fast()) return;
  // What every entry's reset would set again and nothing changes within a
  // frame.
  glDisable(GL_DEPTH_TEST);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  appliedKnown_ = false;
  viewSet_ = false;
  pushed_ = 0;
  glyphs_.clear();
  wanted_ = DrawState{};
  wanted_.texture = emptyTexture_;
}

void GlCanvas::EndFrame() {
  if (Fast()) FlushGlyphs();
  glFinish();
}

void GlCanvas::ResetEntryState() {
  if (Fast()) {
    FlushGlyphs();
    for (; pushed_ > 0; --pushed_) glPopMatrix();
    wanted_ = DrawState{};
    wanted_.texture = emptyTexture_;
    return;
  }
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
  if (Fast()) {
    if (viewSet_ && width == viewWidth_ && height == viewHeight_ && cameraX == viewCameraX_) return;
    FlushGlyphs();
  } else {
    glPushMatrix();
  }
  glViewport(0, 0, width, height);
  if (Fast()) {
    // The matrices an entry's reset and view make, computed the same way.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  glScalef(0.7f, 0.7f, 1);
  gluLookAt(cameraX, 0, 1, cameraX, 0, 0, 0, 1, 0);
  if (!Fast()) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    return;
  }
  viewSet_ = true;
  viewWidth_ = width;
  viewHeight_ = height;
  viewCameraX_ = cameraX;
  // Where the text's glyphs land, from the matrix OpenGL holds.
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  mapping_ = {};
  glGetIntegerv(GL_VIEWPORT, mapping_.viewport.data());
  mapping_.affine = m[1] == 0 && m[2] == 0 && m[3] == 0 && m[4] == 0 && m[6] == 0 && m[7] == 0 &&
                    m[11] == 0 && m[14] == -1 && m[15] == 1 && m[0] != 0 && m[5] != 0;
  mapping_.scaleX = m[0];
  mapping_.offsetX = m[12];
  mapping_.scaleY = m[5];
  mapping_.offsetY = m[13];
  if (mapping_.affine) {
    // Text lies in the plane z = 0, which this view puts on the near plane:
    // OpenGL must count it as inside, as it does for the bitmaps.
    glRasterPos2f(cameraX, 0);
    GLint valid = GL_FALSE;
    glGetIntegerv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    mapping_.affine = valid == GL_TRUE;
  }
}

void GlCanvas::EndEntry() {
  if (Fast()) return;
  glFinish();
  glPopMatrix();
}

void GlCanvas::PushMatrix() {
  if (Fast()) {
    FlushGlyphs();
    ++pushed_;
  }
  glPushMatrix();
}

void GlCanvas::PopMatrix() {
  if (Fast()) {
    FlushGlyphs();
    if (pushed_ > 0) --pushed_;
  }
  glPopMatrix();
}

void GlCanvas::Translate(float x, float y) {
  if (Fast()) {
    FlushGlyphs();
    // Moved outside a push: the view no longer maps text as measured.
    if (pushed_ == 0) {
      mapping_.affine = false;
      viewSet_ = false;
    }
  }
  glTranslatef(x, y, 0);
}

void GlCanvas::SetColor(float r, float g, float b) {
  if (Fast()) {
    wanted_.color = {r, g, b, 1};
  } else {
    glColor3f(r, g, b);
  }
}

void GlCanvas::SetLineWidth(float width) {
  if (Fast()) {
    wanted_.lineWidth = width;
  } else {
    glLineWidth(width);
  }
}

void GlCanvas::SetLineStipple(bool on, std::uint16_t pattern) {
  if (Fast()) {
    wanted_.stipple = on;
    if (on) wanted_.pattern = pattern;
  } else if (on) {
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
  applied_.texture = texture;
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
  // OpenGL keeps its own copy.
  store_.ReleasePixels(image);
  return texture;
}

// The file is looked at once per frame: a changed or deleted file shows
// from the next frame on.
GLuint GlCanvas::FindTexture(std::string_view path, TextureLoader loader) {
  auto& seen = frameTextures_[loader == TextureLoader::Rgb ? 0 : 1];
  if (const auto it = seen.find(path); it != seen.end()) return it->second;
  const TextureImage* image = store_.Get(path, loader);
  const GLuint texture = image ? TextureFor(*image) : emptyTexture_;
  seen.emplace(std::string(path), texture);
  return texture;
}

void GlCanvas::LoadTexture(std::string_view path, TextureLoader loader) {
  if (Fast()) {
    wanted_.texture = FindTexture(path, loader);
    return;
  }
  const TextureImage* image = store_.Get(path, loader);
  if (!image) {
    ClearTexture();
    return;
  }
  glBindTexture(GL_TEXTURE_2D, TextureFor(*image));
}

void GlCanvas::ClearTexture() {
  if (Fast()) {
    wanted_.texture = emptyTexture_;
  } else {
    glBindTexture(GL_TEXTURE_2D, emptyTexture_);
  }
}

void GlCanvas::SetTexturing(bool on) {
  if (Fast()) {
    wanted_.texturing = on;
  } else if (on) {
    glEnable(GL_TEXTURE_2D);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
}

void GlCanvas::Apply() {
  FlushGlyphs();
  const bool all = !appliedKnown_;
  if (all || wanted_.color != applied_.color) glColor4fv(wanted_.color.data());
  // The binding matters only to textured drawing.
  GLuint bound = applied_.texture;
  if (all || (wanted_.texturing && wanted_.texture != bound)) {
    glBindTexture(GL_TEXTURE_2D, wanted_.texture);
    bound = wanted_.texture;
  }
  if (all || wanted_.texturing != applied_.texturing) {
    if (wanted_.texturing) {
      glEnable(GL_TEXTURE_2D);
    } else {
      glDisable(GL_TEXTURE_2D);
    }
  }
  if (all || wanted_.lineWidth != applied_.lineWidth) glLineWidth(wanted_.lineWidth);
  if (all || wanted_.pattern != applied_.pattern) glLineStipple(1, wanted_.pattern);
  if (all || wanted_.stipple != applied_.stipple) {
    if (wanted_.stipple) {
      glEnable(GL_LINE_STIPPLE);
    } else {
      glDisable(GL_LINE_STIPPLE);
    }
  }
  applied_ = wanted_;
  applied_.texture = bound;
  appliedKnown_ = true;
}

void GlCanvas::DrawVertices(GLenum mode, std::span<const Point> points) {
  // Nothing to draw. Mesa 22 can lose the next line strip after an empty
  // one when both reach it in one batch.
  if (points.empty()) return;
  if (Fast()) Apply();
  glBegin(mode);
  for (const Point& p : points) glVertex2f(p.x, p.y);
  glEnd();
}

void GlCanvas::Quad(const std::array<TexPoint, 4>& corners) {
  if (Fast()) Apply();
  glBegin(GL_QUADS);
  for (const TexPoint& c : corners) {
    glTexCoord2f(c.s, c.t);
    glVertex2f(c.x, c.y);
  }
  glEnd();
}

void GlCanvas::Lines(std::span<const Point> points) { DrawVertices(GL_LINES, points); }
void GlCanvas::LineStrip(std::span<const Point> points) { DrawVertices(GL_LINE_STRIP, points); }
void GlCanvas::LineLoop(std::span<const Point> points) { DrawVertices(GL_LINE_LOOP, points); }

void GlCanvas::Triangle(Point a, Point b, Point c) {
  const Point corners[] = {a, b, c};
  DrawVertices(GL_TRIANGLES, corners);
}

void GlCanvas::Bitmap(float x, float y, int width, int height, float moveX,
                      const std::uint8_t* rows) {
  if (Fast()) Apply();
  glRasterPos2f(x, y);
  glBitmap(width, height, 0, 0, moveX, 0, rows);
}

}  // namespace borvik::render::gl
