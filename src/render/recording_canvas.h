#pragma once
// A Canvas that keeps every call, for tests of the frame's geometry and for
// fuzzing the frame without a GPU.

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "render/canvas.h"

namespace borvik::render {

namespace op {
struct BeginFrame { int width, height; };
struct EndFrame {};
struct ResetEntryState {};
struct BeginEntry { int width, height; float cameraX; };
struct EndEntry {};
struct PushMatrix {};
struct PopMatrix {};
struct Translate { float x, y; };
struct SetColor { float r, g, b; };
struct SetLineWidth { float width; };
struct SetLineStipple { bool on; std::uint16_t pattern; };
struct LoadTexture { std::string path; TextureLoader loader; };
struct ClearTexture {};
struct SetTexturing { bool on; };
struct Quad { std::array<TexPoint, 4> corners; };
struct Lines { std::vector<Point> points; };
struct LineStrip { std::vector<Point> points; };
struct LineLoop { std::vector<Point> points; };
struct Triangle { Point a, b, c; };
struct Bitmap {
  float x, y;
  int width, height;
  float moveX;
  std::array<std::uint8_t, 64> rows;  // 16 rows of 4 bytes, bottom row first
};
struct Text { float x, y; std::string utf8; };
}  // namespace op

using CanvasOp =
    std::variant<op::BeginFrame, op::EndFrame, op::ResetEntryState, op::BeginEntry, op::EndEntry,
                 op::PushMatrix, op::PopMatrix, op::Translate, op::SetColor, op::SetLineWidth,
                 op::SetLineStipple, op::LoadTexture, op::ClearTexture, op::SetTexturing, op::Quad, op::Lines,
                 op::LineStrip, op::LineLoop, op::Triangle, op::Bitmap, op::Text>;

class RecordingCanvas final : public Canvas {
 public:
  const std::vector<CanvasOp>& Ops() const { return ops_; }
  void Clear() { ops_.clear(); }

  // Every recorded op of one kind, in order.
  template <typename Op>
  std::vector<Op> All() const {
    std::vector<Op> found;
    for (const CanvasOp& op : ops_) {
      if (const Op* o = std::get_if<Op>(&op)) found.push_back(*o);
    }
    return found;
  }

  void BeginFrame(int width, int height) override { ops_.push_back(op::BeginFrame{width, height}); }
  void EndFrame() override { ops_.push_back(op::EndFrame{}); }
  void ResetEntryState() override { ops_.push_back(op::ResetEntryState{}); }
  void BeginEntry(int width, int height, float cameraX) override {
    ops_.push_back(op::BeginEntry{width, height, cameraX});
  }
  void EndEntry() override { ops_.push_back(op::EndEntry{}); }
  void PushMatrix() override { ops_.push_back(op::PushMatrix{}); }
  void PopMatrix() override { ops_.push_back(op::PopMatrix{}); }
  void Translate(float x, float y) override { ops_.push_back(op::Translate{x, y}); }
  void SetColor(float r, float g, float b) override { ops_.push_back(op::SetColor{r, g, b}); }
  void SetLineWidth(float width) override { ops_.push_back(op::SetLineWidth{width}); }
  void SetLineStipple(bool on, std::uint16_t pattern) override {
    ops_.push_back(op::SetLineStipple{on, pattern});
  }
  void LoadTexture(std::string_view path, TextureLoader loader) override {
    ops_.push_back(op::LoadTexture{std::string(path), loader});
  }
  void ClearTexture() override { ops_.push_back(op::ClearTexture{}); }
  void SetTexturing(bool on) override { ops_.push_back(op::SetTexturing{on}); }
  void Quad(const std::array<TexPoint, 4>& corners) override { ops_.push_back(op::Quad{corners}); }
  void Lines(std::span<const Point> points) override {
    ops_.push_back(op::Lines{{points.begin(), points.end()}});
  }
  void LineStrip(std::span<const Point> points) override {
    ops_.push_back(op::LineStrip{{points.begin(), points.end()}});
  }
  void LineLoop(std::span<const Point> points) override {
    ops_.push_back(op::LineLoop{{points.begin(), points.end()}});
  }
  void Triangle(Point a, Point b, Point c) override { ops_.push_back(op::Triangle{a, b, c}); }
  void Bitmap(float x, float y, int width, int height, float moveX,
              const std::uint8_t* rows) override {
    op::Bitmap b{x, y, width, height, moveX, {}};
    const int bytes = height * 4 < 64 ? height * 4 : 64;
    for (int i = 0; i < bytes; ++i) b.rows[i] = rows[i];
    ops_.push_back(b);
  }
  // Kept as text, then drawn as the picture draws it: its glyphs follow.
  void Text(float x, float y, const char* utf8) override {
    ops_.push_back(op::Text{x, y, utf8});
    Canvas::Text(x, y, utf8);
  }

 private:
  std::vector<CanvasOp> ops_;
};

}  // namespace borvik::render
