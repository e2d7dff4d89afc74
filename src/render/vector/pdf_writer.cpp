// PDF pages through Cairo; text shaped by Pango and placed cell by cell.

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <memory>

#include "render/vector/document_writers.h"
#include "text/utf8.h"

namespace borvik::render::vector {
namespace {

template <typename T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const { Free(p); }
};
template <typename T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, Deleter<T, Free>>;

using Surface = Owned<cairo_surface_t, cairo_surface_destroy>;
using Cairo = Owned<cairo_t, cairo_destroy>;
using Pattern = Owned<cairo_pattern_t, cairo_pattern_destroy>;
using GlyphString = Owned<PangoGlyphString, pango_glyph_string_free>;
using FontDescription = Owned<PangoFontDescription, pango_font_description_free>;
template <typename T>
struct GObjectDeleter {
  void operator()(T* p) const { g_object_unref(p); }
};
template <typename T>
using GObject = std::unique_ptr<T, GObjectDeleter<T>>;

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// A drawing image as Cairo wants it: premultiplied, or without alpha when
// opaque so that no soft mask is written.
Surface ImageSurface(const Image& image) {
  const cairo_format_t format = image.opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32;
  Surface surface(cairo_image_surface_create(format, image.width, image.height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return surface;
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
      const std::uint32_t a = p[3];
      const auto pre = [a](std::uint32_t c) { return (c * a + 127) / 255; };
      row[x] = a << 24 | pre(p[0]) << 16 | pre(p[1]) << 8 | pre(p[2]);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

class PdfPainter {
 public:
  PdfPainter(cairo_t* cr, const VectorDrawing& drawing) : cr_(cr), drawing_(drawing) {
    images_.resize(drawing.images.size());
    context_.reset(pango_cairo_create_context(cr));
    // Outlines as the font has them: no hinting, no rounding of positions.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(context_.get(), options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(context_.get(), FALSE);
  }

  void SetMapping(const PaperMapping& mapping) { mapping_ = mapping; }

  void Paint(const Shape& shape) {
    if (const auto* s = std::get_if<Segments>(&shape)) return PaintSegments(*s);
    if (const auto* l = std::get_if<Polyline>(&shape)) return PaintPolyline(*l);
    if (const auto* f = std::get_if<Fill>(&shape)) return PaintFill(*f);
    if (const auto* q = std::get_if<ImageQuad>(&shape)) return PaintImage(*q);
    if (const auto* t = std::get_if<TextRun>(&shape)) return PaintText(*t);
  }

  // A line of the footer with its baseline at y: x is its left edge, its
  // centre or its right edge for align -1, 0, 1.
  void FooterText(const std::string& text, double x, double y, int align) {
    if (text.empty()) return;
    GObject<PangoLayout> layout(pango_layout_new(context_.get()));
    FontDescription font(pango_font_description_from_string(kFontFamily));
    pango_font_description_set_absolute_size(font.get(), kFooterTextMm * PANGO_SCALE);
    pango_layout_set_font_description(layout.get(), font.get());
    pango_layout_set_text(layout.get(), text.c_str(), -1);
    PangoRectangle logical;
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    const double width = static_cast<double>(logical.width) / PANGO_SCALE;
    const double baseline =
        static_cast<double>(pango_layout_get_baseline(layout.get())) / PANGO_SCALE;
    cairo_set_source_rgb(cr_, 0, 0, 0);
    cairo_move_to(cr_, x - (align + 1) * width / 2, y - baseline);
    pango_cairo_show_layout(cr_, layout.get());
  }

 private:
  void MoveTo(Point p) { cairo_move_to(cr_, mapping_.X(p.x), mapping_.Y(p.y)); }
  void LineTo(Point p) { cairo_line_to(cr_, mapping_.X(p.x), mapping_.Y(p.y)); }
  void Color(const Rgb& c) { cairo_set_source_rgb(cr_, c.r, c.g, c.b); }

  // False when the stipple hides the whole line.
  bool Stroke(const LineStyle& style) {
    if (style.stipple == 0) return false;
    Color(style.color);
    cairo_set_line_width(cr_, LineWidthMm(style.width));
    const Dashes dashes = StippleDashes(style.stipple);
    cairo_set_dash(cr_, dashes.lengths.data(), static_cast<int>(dashes.lengths.size()),
                   dashes.offset);
    // A picture-pixel line closes its corners as the pixels do; a dashed
    // or wide one ends where it ends.
    cairo_set_line_cap(
        cr_, style.Solid() && style.width <= 1.0f ? CAIRO_LINE_CAP_SQUARE : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    return true;
  }

  void PaintSegments(const Segments& s) {
    if (!Stroke(s.style)) return;
    for (std::size_t i = 0; i + 1 < s.points.size(); i += 2) {
      if (s.points[i] == s.points[i + 1]) continue;
      MoveTo(s.points[i]);
      LineTo(s.points[i + 1]);
    }
    cairo_stroke(cr_);
  }

  void PaintPolyline(const Polyline& l) {
    if (!Stroke(l.style)) return;
    MoveTo(l.points.front());
    for (std::size_t i = 1; i < l.points.size(); ++i) LineTo(l.points[i]);
    if (l.closed) cairo_close_path(cr_);
    cairo_stroke(cr_);
  }

  void PaintFill(const Fill& f) {
    Color(f.color);
    for (const auto& polygon : f.polygons) {
      if (polygon.empty()) continue;
      MoveTo(polygon.front());
      for (std::size_t i = 1; i < polygon.size(); ++i) LineTo(polygon[i]);
      cairo_close_path(cr_);
    }
    cairo_fill(cr_);
  }

  cairo_surface_t* ImageOf(int index) {
    Surface& surface = images_[static_cast<std::size_t>(index)];
    if (!surface) surface = ImageSurface(drawing_.images[static_cast<std::size_t>(index)]);
    return surface.get();
  }

  // The corners' polygon filled with the image repeating under the map
  // that three of them give.
  void FillMapped(const ImageQuad& q, std::initializer_list<int> corners, int a, int b, int c) {
    const Image& image = drawing_.images[static_cast<std::size_t>(q.image)];
    Affine m;
    if (!ImageToPaper(q.corners[a], q.corners[b], q.corners[c], image, mapping_, m)) return;
    Pattern pattern(cairo_pattern_create_for_surface(ImageOf(q.image)));
    cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_REPEAT);
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, m.xx, m.yx, m.xy, m.yy, m.x0, m.y0);
    if (cairo_matrix_invert(&matrix) != CAIRO_STATUS_SUCCESS) return;
    cairo_pattern_set_matrix(pattern.get(), &matrix);
    cairo_set_source(cr_, pattern.get());
    bool first = true;
    for (const int i : corners) {
      const Point p{q.corners[i].x, q.corners[i].y};
      if (first) {
        MoveTo(p);
      } else {
        LineTo(p);
      }
      first = false;
    }
    cairo_close_path(cr_);
    cairo_fill(cr_);
  }

  void PaintImage(const ImageQuad& q) {
    PlaceImageQuad(
        q.corners, drawing_.images[static_cast<std::size_t>(q.image)], mapping_,
        [&](std::initializer_list<int> corners, int a, int b, int c) {
          FillMapped(q, corners, a, b, c);
        },
        [&](const Affine& m) {
          // The image alone covers the quad.
          cairo_save(cr_);
          cairo_matrix_t matrix;
          cairo_matrix_init(&matrix, m.xx, m.yx, m.xy, m.yy, m.x0, m.y0);
          cairo_transform(cr_, &matrix);
          cairo_set_source_surface(cr_, ImageOf(q.image), 0, 0);
          cairo_paint(cr_);
          cairo_restore(cr_);
        });
  }

  void PaintText(const TextRun& t) {
    // The characters as set, each cell's first byte in the text.
    std::string text;
    std::vector<std::size_t> starts;
    for (const TextCell& cell : t.cells) {
      starts.push_back(text.size());
      text::AppendUtf8(text, cell.character);
    }
    const auto cellAt = [&](std::size_t byte) {
      std::size_t i = 0;
      while (i + 1 < starts.size() && starts[i + 1] <= byte) ++i;
      return i;
    };
    const double cellMm = kCellWidth * kMillimetresPerUnit / kGlyphWidthScale;
    const double lineMm = kCellHeight * kMillimetresPerUnit;
    const auto cellX = [&](int cell) { return std::lround(cell * cellMm * PANGO_SCALE); };

    FontDescription font(pango_font_description_from_string(kFontFamily));
    pango_font_description_set_absolute_size(font.get(), lineMm * PANGO_SCALE);
    pango_context_set_font_description(context_.get(), font.get());

    cairo_save(cr_);
    Color(t.color);
    cairo_translate(cr_, mapping_.X(t.origin.x), mapping_.Y(t.origin.y) - kBaselineInCell * lineMm);
    cairo_scale(cr_, kGlyphWidthScale, 1.0);
    GList* items = pango_itemize(context_.get(), text.c_str(), 0, static_cast<int>(text.size()),
                                 nullptr, nullptr);
    for (GList* node = items; node; node = node->next) {
      auto* item = static_cast<PangoItem*>(node->data);
      GlyphString glyphs(pango_glyph_string_new());
      pango_shape_full(text.c_str() + item->offset, item->length, text.c_str(),
                       static_cast<int>(text.size()), &item->analysis, glyphs.get());
      // Every glyph in the cells of its character, whatever the font's
      // advance: a label never moves off its tick.
      const TextCell& firstCell = t.cells[cellAt(static_cast<std::size_t>(item->offset))];
      for (int g = 0; g < glyphs->num_glyphs; ++g) {
        PangoGlyphInfo& glyph = glyphs->glyphs[g];
        const std::size_t byte = static_cast<std::size_t>(item->offset + glyphs->log_clusters[g]);
        const bool clusterStart = g == 0 || glyphs->log_clusters[g] != glyphs->log_clusters[g - 1];
        const TextCell& cell = t.cells[cellAt(byte)];
        glyph.geometry.width =
            clusterStart ? static_cast<int>(cellX(cell.cell + cell.width) - cellX(cell.cell)) : 0;
      }
      cairo_move_to(cr_, static_cast<double>(cellX(firstCell.cell)) / PANGO_SCALE, 0);
      PangoGlyphItem glyphItem{};
      glyphItem.item = item;
      glyphItem.glyphs = glyphs.get();
      pango_cairo_show_glyph_item(cr_, text.c_str(), &glyphItem);
      pango_item_free(item);
    }
    g_list_free(items);
    cairo_restore(cr_);
  }

  cairo_t* cr_;
  const VectorDrawing& drawing_;
  std::vector<Surface> images_;
  GObject<PangoContext> context_;
  PaperMapping mapping_;
};

std::string PageNumber(std::size_t page, std::size_t pages) {
  return std::to_string(page) + " / " + std::to_string(pages);
}

}  // namespace

std::optional<std::string> WritePdf(const VectorDrawing& drawing, const PageLayout& layout,
                                    const DocumentTitle& title) {
  std::string bytes;
  const double width = files::PaperWidthMm(layout.paper);
  const double height = files::PaperHeightMm(layout.paper);
  Surface surface(cairo_pdf_surface_create_for_stream(Append, &bytes, width * kPointsPerMillimetre,
                                                      height * kPointsPerMillimetre));
  // The same log gives the same bytes: no creation date.
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, nullptr);
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.name.c_str());
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Borvik");
  {
    Cairo cr(cairo_create(surface.get()));
    cairo_scale(cr.get(), kPointsPerMillimetre, kPointsPerMillimetre);
    PdfPainter painter(cr.get(), drawing);
    const std::size_t count = layout.pages.size();
    for (std::size_t p = 0; p < count; ++p) {
      const Page& page = layout.pages[p];
      painter.SetMapping(page.mapping);
      for (const ShapeGroup* group : page.groups) {
        for (const Shape& shape : group->shapes) painter.Paint(shape);
      }
      const double baseline = height - kFooterBaselineMm;
      painter.FooterText(title.name, kSideMarginMm, baseline, -1);
      painter.FooterText(title.scale, width / 2, baseline, 0);
      painter.FooterText(PageNumber(p + 1, count), width - kSideMarginMm, baseline, 1);
      cairo_show_page(cr.get());
    }
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
  }
  cairo_surface_finish(surface.get());
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
  return bytes;
}

}  // namespace borvik::render::vector
