#pragma once
// The picture area: a GL canvas of exactly 880 x 831 pixels with one OpenGL
// context for the window's life, created on the first paint.

#include <GL/glew.h>

#include <wx/glcanvas.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "files/error.h"
#include "render/frame.h"

namespace borvik::render::gl {
class GlCanvas;
}

namespace borvik::ui {

class GlPicture final : public wxGLCanvas {
 public:
  // `scene` gives what to draw at the time of drawing.
  GlPicture(wxWindow* parent, std::function<render::Scene()> scene);
  ~GlPicture() override;

  // Asks for a frame. It is drawn at the next paint, once however many
  // changes asked for it in between: a dragged scroll bar's events
  // coalesce.
  void Redraw();
  // Frames drawn on the screen so far.
  int FramesShown() const { return framesShown_; }
  // The current frame, drawn offscreen at 880 x 831, as a PNG file.
  files::Status ExportImage(const std::filesystem::path& path);
  // The context goes before the window does (the work file after it).
  void ReleaseContext();

 private:
  void OnPaint(wxPaintEvent& event);
  bool MakeCurrent();
  // The frame, now.
  void Draw();

  std::function<render::Scene()> scene_;
  std::unique_ptr<wxGLContext> context_;
  std::unique_ptr<render::gl::GlCanvas> canvas_;
  render::ColumnRenderer renderer_{render::FrameOptions::Fast()};
  int framesShown_ = 0;
  bool glReady_ = false;
  bool released_ = false;
};

}  // namespace borvik::ui
