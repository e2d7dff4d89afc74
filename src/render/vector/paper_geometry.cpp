#include "render/vector/paper_geometry.h"

#include <cmath>

namespace borvik::render::vector {
namespace {

bool Bit(std::uint16_t pattern, int i) { return (pattern >> (i & 15)) & 1; }

bool Near(float a, float b) {
  const float scale = 1.0f + std::max(std::fabs(a), std::fabs(b));
  return std::fabs(a - b) <= 1e-5f * scale;
}

bool IsUnit(float v) { return v == 0.0f || v == 1.0f; }

}  // namespace

Dashes StippleDashes(std::uint16_t pattern) {
  Dashes dashes;
  if (pattern == 0xFFFF || pattern == 0) return dashes;
  // Start at a dash that follows a gap, so that the runs alternate from a
  // dash to a closing gap.
  int start = 0;
  while (!(Bit(pattern, start) && !Bit(pattern, start - 1))) ++start;
  constexpr double kPixelMm = kMillimetresPerUnit / kPixelsPerUnit;
  bool on = true;
  int run = 0;
  for (int i = 0; i < 16; ++i) {
    if (Bit(pattern, start + i) != on) {
      dashes.lengths.push_back(run * kPixelMm);
      on = !on;
      run = 0;
    }
    ++run;
  }
  dashes.lengths.push_back(run * kPixelMm);
  // The line starts at bit 0, which lies 16 - start pixels into the runs.
  dashes.offset = ((16 - start) % 16) * kPixelMm;
  return dashes;
}

Box Bounds(const Shape& shape) {
  Box box;
  const auto lineBox = [&box](const LineStyle& style, const std::vector<Point>& points) {
    const float pad = static_cast<float>(LineWidthMm(style.width) / 2 / kMillimetresPerUnit);
    for (const Point& p : points) box.Add(p, pad);
  };
  if (const auto* s = std::get_if<Segments>(&shape)) {
    lineBox(s->style, s->points);
  } else if (const auto* l = std::get_if<Polyline>(&shape)) {
    lineBox(l->style, l->points);
  } else if (const auto* f = std::get_if<Fill>(&shape)) {
    for (const auto& polygon : f->polygons) {
      for (const Point& p : polygon) box.Add(p);
    }
  } else if (const auto* q = std::get_if<ImageQuad>(&shape)) {
    for (const TexPoint& c : q->corners) box.Add(Point{c.x, c.y});
  } else if (const auto* t = std::get_if<TextRun>(&shape)) {
    box.Add(t->origin);
    box.Add(Point{t->origin.x + static_cast<float>(t->CellCount()) * kCellWidth,
                  t->origin.y + kCellHeight});
  }
  return box;
}

Box Extent(const Shape& shape) {
  if (const auto* q = std::get_if<ImageQuad>(&shape); q && q->pattern) return {};
  // White on white paper shows nothing: a tile without a pattern.
  if (const auto* f = std::get_if<Fill>(&shape); f && f->color == Rgb{1, 1, 1}) return {};
  return Bounds(shape);
}

bool ImageToPaper(const TexPoint& a, const TexPoint& b, const TexPoint& c, const Image& image,
                  const PaperMapping& mapping, Affine& out) {
  if (image.width <= 0 || image.height <= 0) return false;
  const double ds1 = b.s - a.s, dt1 = b.t - a.t;
  const double ds2 = c.s - a.s, dt2 = c.t - a.t;
  const double det = ds1 * dt2 - ds2 * dt1;
  if (std::fabs(det) < 1e-12) return false;
  const double ax = mapping.X(a.x), ay = mapping.Y(a.y);
  const double px1 = mapping.X(b.x) - ax, py1 = mapping.Y(b.y) - ay;
  const double px2 = mapping.X(c.x) - ax, py2 = mapping.Y(c.y) - ay;
  // Paper per unit of s (u) and of t (v).
  const double ux = (px1 * dt2 - px2 * dt1) / det, uy = (py1 * dt2 - py2 * dt1) / det;
  const double vx = (px2 * ds1 - px1 * ds2) / det, vy = (py2 * ds1 - py1 * ds2) / det;
  if (std::fabs(ux * vy - uy * vx) < 1e-12) return false;
  out.xx = ux / image.width;
  out.yx = uy / image.width;
  out.xy = vx / image.height;
  out.yy = vy / image.height;
  out.x0 = ax - a.s * ux - a.t * vx;
  out.y0 = ay - a.s * uy - a.t * vy;
  return true;
}

bool IsParallelogram(const std::array<TexPoint, 4>& c) {
  return Near(c[0].x + c[2].x, c[1].x + c[3].x) && Near(c[0].y + c[2].y, c[1].y + c[3].y) &&
         Near(c[0].s + c[2].s, c[1].s + c[3].s) && Near(c[0].t + c[2].t, c[1].t + c[3].t);
}

bool CoversImageOnce(const std::array<TexPoint, 4>& c) {
  for (const TexPoint& p : c) {
    if (!IsUnit(p.s) || !IsUnit(p.t)) return false;
  }
  const float det = (c[1].s - c[0].s) * (c[3].t - c[0].t) - (c[3].s - c[0].s) * (c[1].t - c[0].t);
  return (det == 1.0f || det == -1.0f) && IsParallelogram(c);
}

}  // namespace borvik::render::vector
