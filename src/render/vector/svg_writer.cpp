// One SVG document in millimetres, written directly: Cairo's SVG output sets
// text as glyph outlines, and the document must carry text as text.

#include <cmath>
#include <cstdio>

#include "render/png_encode.h"
#include "render/vector/document_writers.h"
#include "text/utf8.h"

namespace borvik::render::vector {
namespace {

// A number with at most `decimals` decimals, trailing zeros dropped.
std::string Num(double v, int decimals = 3) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

std::string Color(const Rgb& c) {
  const auto channel = [](float v) {
    const float clamped = !(v > 0) ? 0.0f : v > 1 ? 1.0f : v;
    return static_cast<int>(std::lround(clamped * 255));
  };
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", channel(c.r), channel(c.g), channel(c.b));
  return text;
}

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      // XML has no place for control characters.
      default: out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  return out;
}

std::string Base64(std::string_view bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = 0;
    for (std::size_t j = 0; j < 3; ++j) {
      group = group << 8 | (j < n ? static_cast<unsigned char>(bytes[i + j]) : 0u);
    }
    for (std::size_t j = 0; j < 4; ++j) {
      out += j <= n ? kAlphabet[(group >> (18 - 6 * j)) & 63] : '=';
    }
  }
  return out;
}

std::string Matrix(const Affine& m) {
  return "matrix(" + Num(m.xx, 6) + " " + Num(m.yx, 6) + " " + Num(m.xy, 6) + " " + Num(m.yy, 6) +
         " " + Num(m.x0) + " " + Num(m.y0) + ")";
}

class SvgPainter {
 public:
  SvgPainter(std::string& out, const VectorDrawing& drawing, const PaperMapping& mapping)
      : out_(out), drawing_(drawing), mapping_(mapping) {}

  void Paint(const Shape& shape) {
    if (const auto* s = std::get_if<Segments>(&shape)) return PaintSegments(*s);
    if (const auto* l = std::get_if<Polyline>(&shape)) return PaintPolyline(*l);
    if (const auto* f = std::get_if<Fill>(&shape)) return PaintFill(*f);
    if (const auto* q = std::get_if<ImageQuad>(&shape)) return PaintImage(*q);
    if (const auto* t = std::get_if<TextRun>(&shape)) return PaintText(*t);
  }

 private:
  std::string At(Point p) const { return Num(mapping_.X(p.x)) + " " + Num(mapping_.Y(p.y)); }

  // The stroke attributes, or empty when the stipple hides the line.
  static std::string Stroke(const LineStyle& style) {
    if (style.stipple == 0) return {};
    std::string a = " fill=\"none\" stroke=\"" + Color(style.color) + "\" stroke-width=\"" +
                    Num(LineWidthMm(style.width), 4) + "\" stroke-linejoin=\"round\"";
    a += style.Solid() && style.width <= 1.0f ? " stroke-linecap=\"square\"" : "";
    const Dashes dashes = StippleDashes(style.stipple);
    if (!dashes.lengths.empty()) {
      a += " stroke-dasharray=\"";
      for (std::size_t i = 0; i < dashes.lengths.size(); ++i) {
        a += (i ? " " : "") + Num(dashes.lengths[i], 4);
      }
      a += "\" stroke-dashoffset=\"" + Num(dashes.offset, 4) + "\"";
    }
    return a;
  }

  void PaintSegments(const Segments& s) {
    const std::string stroke = Stroke(s.style);
    std::string d;
    for (std::size_t i = 0; i + 1 < s.points.size(); i += 2) {
      if (s.points[i] == s.points[i + 1]) continue;
      d += (d.empty() ? "M" : " M") + At(s.points[i]) + " L" + At(s.points[i + 1]);
    }
    if (stroke.empty() || d.empty()) return;
    out_ += "<path d=\"" + d + "\"" + stroke + "/>\n";
  }

  void PaintPolyline(const Polyline& l) {
    const std::string stroke = Stroke(l.style);
    if (stroke.empty()) return;
    std::string d = "M" + At(l.points.front());
    for (std::size_t i = 1; i < l.points.size(); ++i) d += " L" + At(l.points[i]);
    if (l.closed) d += " Z";
    out_ += "<path d=\"" + d + "\"" + stroke + "/>\n";
  }

  void PaintFill(const Fill& f) {
    std::string d;
    for (const auto& polygon : f.polygons) {
      if (polygon.empty()) continue;
      d += (d.empty() ? "M" : " M") + At(polygon.front());
      for (std::size_t i = 1; i < polygon.size(); ++i) d += " L" + At(polygon[i]);
      d += " Z";
    }
    if (!d.empty()) out_ += "<path d=\"" + d + "\" fill=\"" + Color(f.color) + "\"/>\n";
  }

  static std::string ImageRef(int image) { return "#image-" + std::to_string(image + 1); }

  // The corners' polygon filled with a pattern of the image under the map
  // that three of them give.
  void FillMapped(const ImageQuad& q, std::initializer_list<int> corners, int a, int b, int c) {
    Affine m;
    if (!ImageToPaper(q.corners[a], q.corners[b], q.corners[c],
                      drawing_.images[static_cast<std::size_t>(q.image)], mapping_, m)) {
      return;
    }
    const Image& image = drawing_.images[static_cast<std::size_t>(q.image)];
    const std::string id = "fill-" + std::to_string(++patterns_);
    out_ += "<pattern id=\"" + id + "\" patternUnits=\"userSpaceOnUse\" width=\"" +
            std::to_string(image.width) + "\" height=\"" + std::to_string(image.height) +
            "\" patternTransform=\"" + Matrix(m) + "\"><use xlink:href=\"" + ImageRef(q.image) +
            "\"/></pattern>\n";
    std::string d;
    for (const int i : corners) {
      d += (d.empty() ? "M" : " L") + At({q.corners[i].x, q.corners[i].y});
    }
    out_ += "<path d=\"" + d + " Z\" fill=\"url(#" + id + ")\"/>\n";
  }

  void PaintImage(const ImageQuad& q) {
    PlaceImageQuad(
        q.corners, drawing_.images[static_cast<std::size_t>(q.image)], mapping_,
        [&](std::initializer_list<int> corners, int a, int b, int c) {
          FillMapped(q, corners, a, b, c);
        },
        [&](const Affine& m) {
          out_ +=
              "<use xlink:href=\"" + ImageRef(q.image) + "\" transform=\"" + Matrix(m) + "\"/>\n";
        });
  }

  void PaintText(const TextRun& t) {
    const double lineMm = kCellHeight * kMillimetresPerUnit;
    const double cellMm = kCellWidth * kMillimetresPerUnit / kGlyphWidthScale;
    std::string x;
    std::string text;
    for (const TextCell& cell : t.cells) {
      x += (x.empty() ? "" : " ") + Num(cell.cell * cellMm);
      text::AppendUtf8(text, cell.character);
    }
    out_ += "<text transform=\"matrix(" + Num(kGlyphWidthScale, 6) + " 0 0 1 " +
            Num(mapping_.X(t.origin.x)) + " " +
            Num(mapping_.Y(t.origin.y) - kBaselineInCell * lineMm) + ")\" x=\"" + x +
            "\" y=\"0\" font-family=\"" + kFontFamily + "\" font-size=\"" + Num(lineMm, 4) +
            "\" fill=\"" + Color(t.color) + "\" xml:space=\"preserve\">" + Escaped(text) +
            "</text>\n";
  }

  std::string& out_;
  const VectorDrawing& drawing_;
  PaperMapping mapping_;
  int patterns_ = 0;
};

void AppendImages(std::string& out, const VectorDrawing& drawing) {
  out += "<defs>\n";
  for (std::size_t i = 0; i < drawing.images.size(); ++i) {
    const Image& image = drawing.images[i];
    std::optional<std::string> png;
    if (image.opaque) {
      std::vector<std::uint8_t> rgb;
      rgb.reserve(image.rgba.size() / 4 * 3);
      for (std::size_t p = 0; p < image.rgba.size(); p += 4) {
        rgb.insert(rgb.end(), image.rgba.begin() + static_cast<std::ptrdiff_t>(p),
                   image.rgba.begin() + static_cast<std::ptrdiff_t>(p + 3));
      }
      png = EncodePng(rgb.data(), image.width, image.height, 3);
    } else {
      png = EncodePng(image.rgba.data(), image.width, image.height, 4);
    }
    out += "<image id=\"image-" + std::to_string(i + 1) + "\" width=\"" +
           std::to_string(image.width) + "\" height=\"" + std::to_string(image.height) +
           "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64," +
           Base64(png ? *png : std::string()) + "\"/>\n";
  }
  out += "</defs>\n";
}

}  // namespace

std::string WriteSvg(const VectorDrawing& drawing, const SheetGroups& groups,
                     const DocumentTitle& title) {
  const DrawingArea area = WholeDrawing(groups);
  const std::string width = Num(area.width);
  const std::string height = Num(area.height);
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
      "version=\"1.1\" width=\"" +
      width + "mm\" height=\"" + height + "mm\" viewBox=\"0 0 " + width + " " + height + "\">\n";
  out += "<title>" + Escaped(title.name) + " " + Escaped(title.scale) + "</title>\n";
  AppendImages(out, drawing);
  out += "<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"#ffffff\"/>\n";
  SvgPainter painter(out, drawing, area.mapping);
  const auto group = [&](const ShapeGroup& g) {
    out += "<g id=\"" + g.id + "\">\n";
    for (const Shape& shape : g.shapes) painter.Paint(shape);
    out += "</g>\n";
  };
  for (const ShapeGroup& sheet : groups.sheets) group(sheet);
  if (!groups.legend.shapes.empty()) group(groups.legend);
  out += "</svg>\n";
  return out;
}

}  // namespace borvik::render::vector
