#pragma once
// The frame as shapes in world coordinates, one per drawing call, in the
// order drawn: what the vector canvas records and the PDF and SVG writers
// set on paper.

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "render/canvas.h"

namespace borvik::render::vector {

struct Rgb {
  float r = 1.0f;
  float g = 1.0f;
  float b = 1.0f;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A line as the picture draws it: width in pixels of the picture, stipple
// pattern with factor 1 (0xFFFF: solid), bit 0 first along the line.
struct LineStyle {
  Rgb color{0, 0, 0};
  float width = 1.0f;
  std::uint16_t stipple = 0xFFFF;
  bool Solid() const { return stipple == 0xFFFF; }
  friend bool operator==(const LineStyle&, const LineStyle&) = default;
};

// Independent segments: points 0-1, 2-3, ... The stipple starts afresh on
// each.
struct Segments {
  LineStyle style;
  std::vector<Point> points;
};

// Connected points; a closed one returns to its first point.
struct Polyline {
  LineStyle style;
  std::vector<Point> points;
  bool closed = false;
};

// Polygons filled in one colour: triangles, untextured quads, bitmap pixels.
struct Fill {
  Rgb color;
  std::vector<std::vector<Point>> polygons;
};

// A quad filled with an image of the drawing's table, mapped as its texture
// coordinates say (s across the image, t down from its first row), the
// image repeating outside 0..1.
struct ImageQuad {
  int image = 0;
  std::array<TexPoint, 4> corners;
  // A pattern (loaded without alpha) lies within the lines drawn round it,
  // the column's or a swatch's, and what reaches past them is painted over
  // in white: it takes no room of its own on paper.
  bool pattern = false;
};

// One character of a text in its cells: the first half-width cell it takes
// and how many (1 or 2).
struct TextCell {
  char32_t character = U' ';
  int cell = 0;
  int width = 1;
  friend bool operator==(const TextCell&, const TextCell&) = default;
};

// A text set in half-width cells from the lower-left corner of its first
// cell.
struct TextRun {
  Rgb color{0, 0, 0};
  Point origin;
  std::string utf8;  // as drawn, for what must not be set twice
  std::vector<TextCell> cells;
  int CellCount() const { return cells.empty() ? 0 : cells.back().cell + cells.back().width; }
};

using Shape = std::variant<Segments, Polyline, Fill, ImageQuad, TextRun>;

// An image as it shows: a texture's pixels under the colour it was drawn in.
// Rows top first, 4 bytes a pixel, alpha not premultiplied.
struct Image {
  int width = 0;
  int height = 0;
  bool opaque = true;
  std::vector<std::uint8_t> rgba;
};

struct VectorDrawing {
  std::vector<Shape> shapes;
  std::vector<Image> images;  // each texture and colour once
};

// The picture's own proportions, kept on paper: one pixel of the 880 x 831
// picture is 1/308 of a world unit across and 1/290.85 up.
inline constexpr float kPixelsPerUnit = 0.7f * 880.0f / 2.0f;
inline constexpr float kPixelsPerUnitUp = 0.7f * 831.0f / 2.0f;
// A half-width text cell, and the height of a line of text (16 pixels).
inline constexpr float kCellWidth = 8 * 0.003f;
inline constexpr float kCellHeight = 16.0f / kPixelsPerUnitUp;

}  // namespace borvik::render::vector
