#pragma once
// Reads a RecordingCanvas as drawn: quads and triangles moved by the
// translations in force when they were drawn, and the state each draw saw.

#include <string>
#include <vector>

#include "render/recording_canvas.h"

namespace borvik::testing {

struct DrawnQuad {
  std::array<render::TexPoint, 4> corners;
  std::string texture;  // the image loaded when it was drawn; empty for none
  bool textured = false;
};

struct DrawnTriangle {
  render::Point a, b, c;
};

struct DrawnLines {
  enum class Kind { Lines, Strip, Loop } kind;
  std::vector<render::Point> points;
  float width = 1;
  bool stipple = false;
  std::uint16_t pattern = 0xFFFF;
  std::array<float, 3> color{1, 1, 1};
};

struct Drawing {
  std::vector<DrawnQuad> quads;
  std::vector<DrawnTriangle> triangles;
  std::vector<DrawnLines> lines;
};

inline Drawing Replay(const render::RecordingCanvas& canvas) {
  using namespace render;
  Drawing d;
  std::vector<Point> stack{{0, 0}};
  std::string texture;
  bool textured = false;
  DrawnLines state{DrawnLines::Kind::Lines, {}};
  auto move = [&](Point p) { return Point{p.x + stack.back().x, p.y + stack.back().y}; };
  auto addLines = [&](DrawnLines::Kind kind, const std::vector<Point>& points) {
    DrawnLines l = state;
    l.kind = kind;
    for (const Point& p : points) l.points.push_back(move(p));
    d.lines.push_back(l);
  };
  for (const CanvasOp& any : canvas.Ops()) {
    if (std::holds_alternative<op::ResetEntryState>(any)) {
      stack = {{0, 0}};
      texture.clear();
      textured = false;
      state = {DrawnLines::Kind::Lines, {}};
    } else if (std::holds_alternative<op::PushMatrix>(any)) {
      stack.push_back(stack.back());
    } else if (std::holds_alternative<op::PopMatrix>(any)) {
      if (stack.size() > 1) stack.pop_back();
    } else if (const auto* t = std::get_if<op::Translate>(&any)) {
      stack.back().x += t->x;
      stack.back().y += t->y;
    } else if (const auto* l = std::get_if<op::LoadTexture>(&any)) {
      texture = l->path;
    } else if (std::holds_alternative<op::ClearTexture>(any)) {
      texture.clear();
    } else if (const auto* s = std::get_if<op::SetTexturing>(&any)) {
      textured = s->on;
    } else if (const auto* c = std::get_if<op::SetColor>(&any)) {
      state.color = {c->r, c->g, c->b};
    } else if (const auto* w = std::get_if<op::SetLineWidth>(&any)) {
      state.width = w->width;
    } else if (const auto* st = std::get_if<op::SetLineStipple>(&any)) {
      state.stipple = st->on;
      state.pattern = st->pattern;
    } else if (const auto* q = std::get_if<op::Quad>(&any)) {
      DrawnQuad quad{q->corners, texture, textured};
      for (auto& corner : quad.corners) {
        const Point p = move({corner.x, corner.y});
        corner.x = p.x;
        corner.y = p.y;
      }
      d.quads.push_back(quad);
    } else if (const auto* tr = std::get_if<op::Triangle>(&any)) {
      d.triangles.push_back({move(tr->a), move(tr->b), move(tr->c)});
    } else if (const auto* ls = std::get_if<op::Lines>(&any)) {
      addLines(DrawnLines::Kind::Lines, ls->points);
    } else if (const auto* strip = std::get_if<op::LineStrip>(&any)) {
      addLines(DrawnLines::Kind::Strip, strip->points);
    } else if (const auto* loop = std::get_if<op::LineLoop>(&any)) {
      addLines(DrawnLines::Kind::Loop, loop->points);
    }
  }
  return d;
}

}  // namespace borvik::testing
