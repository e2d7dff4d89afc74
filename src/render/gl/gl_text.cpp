// Text of the fast frame: the glyphs glBitmap would draw, as quads from the
// glyph atlas on the same pixels.

#include <cmath>

#include "render/bitmap_text.h"
#include "render/gl/gl_canvas.h"

namespace borvik::render::gl {
namespace {

constexpr int kGlyphRows = 16;
// How far from a pixel edge (in pixels) and from the edge of the view (in
// normalised units) a glyph position computed here must lie to be trusted;
// closer than that, OpenGL is asked. Our arithmetic and OpenGL's differ by
// far less.
constexpr double kPixelMargin = 0.01;
constexpr double kViewMargin = 1e-5;

// glBitmap's own rounding of the raster position (Mesa): floor(p + 0.0001),
// in single precision.
int BitmapPixel(float rasterPosition) {
  return static_cast<int>(std::floor(rasterPosition + 0.0001f));
}

// A window coordinate whose pixel is certain, or false.
bool CertainPixel(double window, int& pixel) {
  const double shifted = window + 0.0001;
  const double below = std::floor(shifted);
  if (shifted - below < kPixelMargin || shifted - below > 1 - kPixelMargin) return false;
  pixel = static_cast<int>(below);
  return true;
}

}  // namespace

bool GlCanvas::AtlasTextAllowed() const {
  // Glyphs take texturing from the atlas; with texturing asked for, or the
  // view moved, the bitmaps themselves are drawn.
  return Fast() && viewSet_ && !wanted_.texturing && pushed_ == 0;
}

bool GlCanvas::GlyphPixel(float x, float y, int& px, int& py) {
  const ViewMapping& m = mapping_;
  if (m.affine) {
    const double nx = m.scaleX * x + m.offsetX;
    const double ny = m.scaleY * y + m.offsetY;
    const double edge = std::fmax(std::fabs(nx), std::fabs(ny));
    if (edge > 1 + kViewMargin) return false;
    const double wx = (nx + 1) * m.viewport[2] / 2 + m.viewport[0];
    const double wy = (ny + 1) * m.viewport[3] / 2 + m.viewport[1];
    if (edge < 1 - kViewMargin && CertainPixel(wx, px) && CertainPixel(wy, py)) return true;
  }
  // Too close to call: where OpenGL puts it.
  Apply();
  glRasterPos2f(x, y);
  GLint valid = GL_FALSE;
  glGetIntegerv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
  if (valid != GL_TRUE) return false;
  GLfloat position[4];
  glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
  px = BitmapPixel(position[0]);
  py = BitmapPixel(position[1]);
  return true;
}

void GlCanvas::Text(float x, float y, const char* utf8) {
  if (!AtlasTextAllowed()) {
    Canvas::Text(x, y, utf8);
    return;
  }
  PlacedGlyph placed[kMaxBitmapTextBytes];
  const std::size_t count = PlaceBitmapText(utf8, x, placed);
  const auto& viewport = mapping_.viewport;
  for (std::size_t g = 0; g < count; ++g) {
    const PlacedGlyph& glyph = placed[g];
    int px = 0;
    int py = 0;
    if (!GlyphPixel(glyph.x, y, px, py)) continue;  // OpenGL skips it too
    const int width = glyph.wide ? 16 : 8;
    const bool inside = px >= viewport[0] && py >= viewport[1] &&
                        px + width <= viewport[0] + viewport[2] &&
                        py + kGlyphRows <= viewport[1] + viewport[3];
    const std::optional<GlyphAtlas::Cell> cell = inside ? atlas_.CellOf(glyph.slot) : std::nullopt;
    if (inside) applied_.texture = atlas_.Texture();
    if (!cell) {
      // A bitmap is cut by the window, a quad by the view; where they could
      // differ, or the atlas is full, the bitmap itself.
      const std::span<const std::uint8_t> rows = DecodedGlyph(glyph.slot);
      const int rowBytes = glyph.wide ? 2 : 1;
      std::uint8_t bitmap[kGlyphRows * 4] = {};
      for (int r = 0; r < kGlyphRows; ++r) {
        for (int j = 0; j < rowBytes; ++j)
          bitmap[(kGlyphRows - 1 - r) * 4 + j] = rows[r * rowBytes + j];
      }
      Bitmap(glyph.x, y, width, kGlyphRows, static_cast<float>(width), bitmap);
      continue;
    }
    glyphs_.push_back({px, py, width, *cell, wanted_.color});
  }
}

void GlCanvas::FlushGlyphs() {
  if (glyphs_.empty()) return;
  const ViewMapping& m = mapping_;
  // World corners for pixel corners; OpenGL maps them back within far less
  // than the half pixel to the nearest pixel centre.
  auto worldX = [&m](int px) {
    return static_cast<float>((((px - m.viewport[0]) * 2.0 / m.viewport[2]) - 1 - m.offsetX) /
                              m.scaleX);
  };
  auto worldY = [&m](int py) {
    return static_cast<float>((((py - m.viewport[1]) * 2.0 / m.viewport[3]) - 1 - m.offsetY) /
                              m.scaleY);
  };
  glBindTexture(GL_TEXTURE_2D, atlas_.Texture());
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.5f);
  constexpr float kTexel = 1.0f / GlyphAtlas::kSize;
  glBegin(GL_QUADS);
  for (const GlyphQuad& q : glyphs_) {
    const float x0 = worldX(q.x);
    const float x1 = worldX(q.x + q.width);
    const float y0 = worldY(q.y);
    const float y1 = worldY(q.y + kGlyphRows);
    const float s0 = static_cast<float>(q.cell.s) * kTexel;
    const float s1 = static_cast<float>(q.cell.s + q.width) * kTexel;
    const float t0 = static_cast<float>(q.cell.t) * kTexel;
    const float t1 = static_cast<float>(q.cell.t + kGlyphRows) * kTexel;
    glColor4fv(q.color.data());
    glTexCoord2f(s0, t0);
    glVertex2f(x0, y0);
    glTexCoord2f(s1, t0);
    glVertex2f(x1, y0);
    glTexCoord2f(s1, t1);
    glVertex2f(x1, y1);
    glTexCoord2f(s0, t1);
    glVertex2f(x0, y1);
  }
  glEnd();
  glDisable(GL_ALPHA_TEST);
  applied_.color = glyphs_.back().color;
  applied_.texture = atlas_.Texture();
  applied_.texturing = true;
  glyphs_.clear();
}

}  // namespace borvik::render::gl
