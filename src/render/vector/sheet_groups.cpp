#include "render/vector/sheet_groups.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_set>

namespace borvik::render::vector {
namespace {

// Shapes already set in a group, by their exact bytes.
class SeenShapes {
 public:
  bool Insert(const std::string& key) { return seen_.insert(key).second; }

 private:
  std::unordered_set<std::string> seen_;
};

template <typename T>
void Append(std::string& key, const T& value) {
  char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  key.append(bytes, sizeof(T));
}

void Append(std::string& key, const LineStyle& style) {
  Append(key, style.color.r);
  Append(key, style.color.g);
  Append(key, style.color.b);
  Append(key, style.width);
  Append(key, style.stipple);
}

void Append(std::string& key, Point p) {
  Append(key, p.x);
  Append(key, p.y);
}

// A solid segment is the same line either way round; a stippled one starts
// its pattern at its first point.
std::string SegmentKey(const LineStyle& style, Point a, Point b) {
  if (style.Solid() && (b.x < a.x || (b.x == a.x && b.y < a.y))) std::swap(a, b);
  std::string key = "s";
  Append(key, style);
  Append(key, a);
  Append(key, b);
  return key;
}

std::string PolylineKey(const Polyline& line) {
  std::string key = line.closed ? "c" : "p";
  Append(key, line.style);
  for (const Point& p : line.points) Append(key, p);
  return key;
}

std::string TextKey(const TextRun& text) {
  std::string key = "t";
  Append(key, text.color.r);
  Append(key, text.color.g);
  Append(key, text.color.b);
  Append(key, text.origin);
  key += text.utf8;
  return key;
}

bool Near(double a, double b) { return std::fabs(a - b) <= 1e-5 * (1.0 + std::fabs(a)); }

// The affine map from world to texture coordinates of a parallelogram quad:
// s = sx x + sy y + s0, t = tx x + ty y + t0.
struct TextureMap {
  double sx, sy, s0, tx, ty, t0;
};

bool MapOf(const std::array<TexPoint, 4>& c, TextureMap& map) {
  const double dx1 = c[1].x - c[0].x, dy1 = c[1].y - c[0].y;
  const double dx2 = c[3].x - c[0].x, dy2 = c[3].y - c[0].y;
  const double det = dx1 * dy2 - dx2 * dy1;
  if (std::fabs(det) < 1e-12) return false;
  const double ds1 = c[1].s - c[0].s, ds2 = c[3].s - c[0].s;
  const double dt1 = c[1].t - c[0].t, dt2 = c[3].t - c[0].t;
  map.sx = (ds1 * dy2 - ds2 * dy1) / det;
  map.sy = (ds2 * dx1 - ds1 * dx2) / det;
  map.tx = (dt1 * dy2 - dt2 * dy1) / det;
  map.ty = (dt2 * dx1 - dt1 * dx2) / det;
  map.s0 = c[0].s - map.sx * c[0].x - map.sy * c[0].y;
  map.t0 = c[0].t - map.tx * c[0].x - map.ty * c[0].y;
  return true;
}

bool IsWhole(double v) { return std::fabs(v - std::round(v)) <= 1e-4; }

// A tile that continues the last one: the same image, its top edge the
// last one's bottom edge, and the same texture map but for whole images
// (the texture repeats), so that one quad draws both.
bool Continues(const ImageQuad& last, const ImageQuad& next, TextureMap& lastMap) {
  if (last.image != next.image) return false;
  const auto& a = last.corners;
  const auto& b = next.corners;
  if (!IsParallelogram(a) || !IsParallelogram(b)) return false;
  if (!Near(a[3].x, b[0].x) || !Near(a[3].y, b[0].y) || !Near(a[2].x, b[1].x) ||
      !Near(a[2].y, b[1].y)) {
    return false;
  }
  TextureMap nextMap;
  if (!MapOf(a, lastMap) || !MapOf(b, nextMap)) return false;
  const double scale = 1.0 + std::fabs(lastMap.sx) + std::fabs(lastMap.sy) + std::fabs(lastMap.tx) +
                       std::fabs(lastMap.ty);
  const auto same = [scale](double u, double v) { return std::fabs(u - v) <= 1e-4 * scale; };
  return last.pattern == next.pattern && same(lastMap.sx, nextMap.sx) &&
         same(lastMap.sy, nextMap.sy) && same(lastMap.tx, nextMap.tx) &&
         same(lastMap.ty, nextMap.ty) && IsWhole(lastMap.s0 - nextMap.s0) &&
         IsWhole(lastMap.t0 - nextMap.t0);
}

// Adds a shape to its group unless the group already shows it.
class GroupBuilder {
 public:
  explicit GroupBuilder(ShapeGroup& group) : group_(group) {}

  void Add(const Shape& shape) {
    if (const auto* s = std::get_if<Segments>(&shape)) return AddSegments(*s);
    if (const auto* l = std::get_if<Polyline>(&shape)) {
      if (seen_.Insert(PolylineKey(*l))) Keep(shape);
      return;
    }
    if (const auto* t = std::get_if<TextRun>(&shape)) {
      if (seen_.Insert(TextKey(*t))) Keep(shape);
      return;
    }
    if (const auto* q = std::get_if<ImageQuad>(&shape)) return AddImageQuad(*q);
    Keep(shape);
  }

 private:
  void Keep(Shape shape) {
    group_.bounds.Add(Extent(shape));
    group_.shapes.push_back(std::move(shape));
  }

  void AddSegments(const Segments& segments) {
    Segments kept{segments.style, {}};
    for (std::size_t i = 0; i + 1 < segments.points.size(); i += 2) {
      const Point a = segments.points[i];
      const Point b = segments.points[i + 1];
      if (!seen_.Insert(SegmentKey(segments.style, a, b))) continue;
      kept.points.push_back(a);
      kept.points.push_back(b);
    }
    if (!kept.points.empty()) Keep(std::move(kept));
  }

  void AddImageQuad(const ImageQuad& quad) {
    ImageQuad* last =
        group_.shapes.empty() ? nullptr : std::get_if<ImageQuad>(&group_.shapes.back());
    TextureMap map;
    if (!last || !Continues(*last, quad, map)) return Keep(quad);
    // The last quad reaches down to the new one's far edge, its texture
    // coordinates running on there.
    for (const int i : {2, 3}) {
      TexPoint& c = last->corners[i];
      c.x = quad.corners[i].x;
      c.y = quad.corners[i].y;
      c.s = static_cast<float>(map.sx * c.x + map.sy * c.y + map.s0);
      c.t = static_cast<float>(map.tx * c.x + map.ty * c.y + map.t0);
    }
    group_.bounds.Add(Extent(*last));
  }

  ShapeGroup& group_;
  SeenShapes seen_;
};

}  // namespace

int SheetBand(float x) {
  const double band = std::floor((static_cast<double>(x) - kFirstSheetLeft) / kSheetPitch);
  if (!(band > 0)) return 0;
  return band >= kMaxSheets ? kMaxSheets : static_cast<int>(band);
}

SheetGroups GroupBySheet(const VectorDrawing& drawing, int sheetCount) {
  sheetCount = std::clamp(sheetCount, 1, kMaxSheets);
  // Only sheets with something on them; node-stable for the builders.
  std::map<int, ShapeGroup> sheets;
  std::map<int, GroupBuilder> builders;
  SheetGroups groups;
  groups.legend.id = "legend";
  GroupBuilder legend(groups.legend);
  for (const Shape& shape : drawing.shapes) {
    const Box box = Bounds(shape);
    if (box.Empty()) continue;
    const int band = SheetBand(box.left);
    if (band >= sheetCount) {
      legend.Add(shape);
      continue;
    }
    auto it = builders.find(band);
    if (it == builders.end()) {
      ShapeGroup& sheet = sheets[band];
      sheet.id = "sheet-" + std::to_string(band + 1);
      it = builders.emplace(band, GroupBuilder(sheet)).first;
    }
    it->second.Add(shape);
  }
  for (auto& [band, sheet] : sheets) {
    groups.bounds.Add(sheet.bounds);
    groups.sheets.push_back(std::move(sheet));
  }
  groups.bounds.Add(groups.legend.bounds);
  return groups;
}

}  // namespace borvik::render::vector
