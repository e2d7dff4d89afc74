#pragma once
// World units on paper: one world unit is 102.4994 mm, so that 1 m of depth
// is 10 mm at 1/100 and every scale is true. Lines and text keep the
// proportions they have in the 880 x 831 picture.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "render/vector/vector_drawing.h"

namespace borvik::render::vector {

inline constexpr double kMillimetresPerUnit = 102.4994;
inline constexpr double kPointsPerMillimetre = 72.0 / 25.4;
// No line on paper is thinner than this.
inline constexpr double kThinnestLineMm = 0.1;

// A line's width on paper for its width in picture pixels.
inline double LineWidthMm(float pixels) {
  return std::max(static_cast<double>(pixels) * kMillimetresPerUnit / kPixelsPerUnit,
                  kThinnestLineMm);
}

// A stipple pattern as dashes: on and off lengths in millimetres, starting
// with a dash, and the offset into them where the line starts (bit 0).
// Empty for a solid line.
struct Dashes {
  std::vector<double> lengths;
  double offset = 0.0;
};
Dashes StippleDashes(std::uint16_t pattern);

// A glyph's em box is a full-width bitmap glyph as the picture shows it,
// 16 pixels across and 16 up, so glyphs keep the picture's proportions; the
// cells still place them, 0.024 a half-width cell. The baseline lies this
// far above the cell's lower edge, as a part of the line's height
// (IPAGothic: 0.88 above, 0.12 below).
inline constexpr double kBaselineInCell = 0.12;
// The em's width over its height.
inline constexpr double kGlyphWidthScale =
    (16.0 / static_cast<double>(kPixelsPerUnit)) / static_cast<double>(kCellHeight);
inline constexpr const char* kFontFamily = "IPAGothic";

struct Box {
  float left = std::numeric_limits<float>::infinity();
  float bottom = std::numeric_limits<float>::infinity();
  float right = -std::numeric_limits<float>::infinity();
  float top = -std::numeric_limits<float>::infinity();

  bool Empty() const { return !(left <= right && bottom <= top); }
  float Width() const { return Empty() ? 0.0f : right - left; }
  float Height() const { return Empty() ? 0.0f : top - bottom; }
  void Add(Point p, float pad = 0.0f) {
    left = std::min(left, p.x - pad);
    right = std::max(right, p.x + pad);
    bottom = std::min(bottom, p.y - pad);
    top = std::max(top, p.y + pad);
  }
  void Add(const Box& other) {
    if (other.Empty()) return;
    Add(Point{other.left, other.bottom});
    Add(Point{other.right, other.top});
  }
};

// Where a shape lies in world units, lines with their width.
Box Bounds(const Shape& shape);
// The room a shape takes on paper: its bounds, nothing for a pattern or a
// white fill.
Box Extent(const Shape& shape);

// Where the world lands on a page, in millimetres from the page's top-left
// corner, y downwards.
struct PaperMapping {
  double worldLeft = 0.0;
  double worldTop = 0.0;
  double left = 0.0;  // the page's margin
  double top = 0.0;
  double X(float x) const {
    return (static_cast<double>(x) - worldLeft) * kMillimetresPerUnit + left;
  }
  double Y(float y) const {
    return (worldTop - static_cast<double>(y)) * kMillimetresPerUnit + top;
  }
};

// The map from image pixels (u across, v down from the first row) to paper
// of an image quad: x = xx u + xy v + x0, y = yx u + yy v + y0. Taken from
// corners 0, 1 and 3, which is exact for the parallelograms the frame
// draws; singular when the quad has no area.
struct Affine {
  double xx = 1, yx = 0, xy = 0, yy = 1, x0 = 0, y0 = 0;
};
// From three corners (texture coordinates to paper); false when singular.
bool ImageToPaper(const TexPoint& a, const TexPoint& b, const TexPoint& c, const Image& image,
                  const PaperMapping& mapping, Affine& out);
// Whether corners 0 to 3 are a parallelogram holding the image exactly once,
// so that the image alone covers it.
bool CoversImageOnce(const std::array<TexPoint, 4>& corners);
// Whether the quad is a parallelogram, so that one map covers it.
bool IsParallelogram(const std::array<TexPoint, 4>& corners);

// How an image quad goes onto paper, as OpenGL maps it, for either writer:
// `fill(corners, a, b, c)` fills the corners' polygon with the image
// repeating under the map corners a, b and c give; `whole(m)` paints the
// image once under the map m.
template <typename Fill, typename Whole>
void PlaceImageQuad(const std::array<TexPoint, 4>& corners, const Image& image,
                    const PaperMapping& mapping, Fill&& fill, Whole&& whole) {
  if (!IsParallelogram(corners)) {
    // OpenGL draws a quad as two triangles, each mapped on its own.
    fill({0, 1, 2}, 0, 1, 2);
    fill({0, 2, 3}, 0, 2, 3);
    return;
  }
  if (!CoversImageOnce(corners)) return fill({0, 1, 2, 3}, 0, 1, 3);
  Affine m;
  if (ImageToPaper(corners[0], corners[1], corners[3], image, mapping, m)) whole(m);
}

}  // namespace borvik::render::vector
