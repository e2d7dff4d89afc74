#include "ui/gl_picture.h"

#include <wx/dcclient.h>

#include "render/gl/gl_canvas.h"
#include "render/gl/image_export.h"

namespace borvik::ui {
namespace {

const wxGLAttributes& PictureAttributes() {
  static wxGLAttributes attributes = [] {
    wxGLAttributes a;
    a.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).EndList();
    return a;
  }();
  return attributes;
}

}  // namespace

GlPicture::GlPicture(wxWindow* parent, std::function<render::Scene()> scene)
    : wxGLCanvas(parent, PictureAttributes(), 1000, wxDefaultPosition,
                 wxSize(render::ColumnRenderer::kExportWidth, render::ColumnRenderer::kExportHeight),
                 wxFULL_REPAINT_ON_RESIZE),
      scene_(std::move(scene)) {
  const wxSize size(render::ColumnRenderer::kExportWidth, render::ColumnRenderer::kExportHeight);
  SetMinSize(size);
  SetMaxSize(size);
  Bind(wxEVT_PAINT, &GlPicture::OnPaint, this);
}

GlPicture::~GlPicture() { ReleaseContext(); }

bool GlPicture::MakeCurrent() {
  if (released_ || !IsShownOnScreen()) return false;
  if (!context_) context_ = std::make_unique<wxGLContext>(this);
  if (!context_->IsOK() || !SetCurrent(*context_)) return false;
  if (!glReady_) {
    // GLEW loads the entry points once, when the context is first current.
    if (!render::gl::InitGlew()) return false;
    canvas_ = std::make_unique<render::gl::GlCanvas>();
    glReady_ = true;
  }
  return true;
}

void GlPicture::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  Draw();
}

void GlPicture::Redraw() {
  if (!released_) Refresh(false);
}

void GlPicture::Draw() {
  if (!MakeCurrent()) return;
  const wxSize size = GetClientSize() * GetContentScaleFactor();
  renderer_.RenderLog(*canvas_, scene_(), size.x, size.y);
  SwapBuffers();
  ++framesShown_;
}

files::Status GlPicture::ExportImage(const std::filesystem::path& path) {
  if (!MakeCurrent()) return files::Status::Fail(files::Failure(files::ErrorKind::kImageFailed));
  return render::gl::ExportImage(renderer_, *canvas_, scene_(), path);
}

void GlPicture::ReleaseContext() {
  if (released_) return;
  released_ = true;
  if (context_ && glReady_) {
    SetCurrent(*context_);
    canvas_.reset();
  }
  context_.reset();
}

}  // namespace borvik::ui
