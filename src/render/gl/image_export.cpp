#include "render/gl/image_export.h"

#include <GL/glew.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "files/file_io.h"
#include "render/png_encode.h"

namespace borvik::render::gl {
namespace {

constexpr int kWidth = ColumnRenderer::kExportWidth;
constexpr int kHeight = ColumnRenderer::kExportHeight;

// An RGBA colour buffer and a depth buffer of the export size, bound for the
// life of the object.
class Framebuffer {
 public:
  Framebuffer() {
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous_);
    glGetIntegerv(GL_VIEWPORT, viewport_);
    glGenFramebuffers(1, &fbo_);
    glGenRenderbuffers(2, buffers_);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers_[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kWidth, kHeight);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers_[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, kWidth, kHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers_[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers_[1]);
    complete_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }
  ~Framebuffer() {
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous_));
    glViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
    glDeleteRenderbuffers(2, buffers_);
    glDeleteFramebuffers(1, &fbo_);
  }
  Framebuffer(const Framebuffer&) = delete;
  Framebuffer& operator=(const Framebuffer&) = delete;
  bool Complete() const { return complete_; }

 private:
  GLint previous_ = 0;
  GLint viewport_[4] = {};
  GLuint fbo_ = 0;
  GLuint buffers_[2] = {};
  bool complete_ = false;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> RenderPixels(ColumnRenderer& renderer, Canvas& canvas,
                                                      const Scene& scene) {
  if (!glGenFramebuffers) return std::nullopt;
  Framebuffer framebuffer;
  if (!framebuffer.Complete()) return std::nullopt;
  renderer.RenderLog(canvas, scene, kWidth, kHeight);

  constexpr std::size_t kRow = kWidth * 3;
  std::vector<std::uint8_t> read(kRow * kHeight);
  glReadBuffer(GL_COLOR_ATTACHMENT0);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glFlush();
  glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, read.data());
  // OpenGL reads the bottom row first; the file starts at the top.
  std::vector<std::uint8_t> upright(read.size());
  for (int r = 0; r < kHeight; ++r) {
    std::memcpy(&upright[r * kRow], &read[(kHeight - 1 - r) * kRow], kRow);
  }
  return upright;
}

std::vector<double> TimeFrames(ColumnRenderer& renderer, Canvas& canvas, const Scene& scene,
                               int count) {
  std::vector<double> times;
  if (!glGenFramebuffers) return times;
  Framebuffer framebuffer;
  if (!framebuffer.Complete()) return times;
  for (int i = 0; i < count; ++i) {
    const auto start = std::chrono::steady_clock::now();
    renderer.RenderLog(canvas, scene, kWidth, kHeight);  // ends when the drawing is done
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    times.push_back(took.count());
  }
  return times;
}

std::optional<std::string> RenderPng(ColumnRenderer& renderer, Canvas& canvas, const Scene& scene) {
  const auto pixels = RenderPixels(renderer, canvas, scene);
  if (!pixels) return std::nullopt;
  return EncodePngRgb(pixels->data(), kWidth, kHeight);
}

files::Status ExportImage(ColumnRenderer& renderer, Canvas& canvas, const Scene& scene,
                          const std::filesystem::path& path) {
  const std::optional<std::string> png = RenderPng(renderer, canvas, scene);
  if (!png) return files::Status::Fail(files::Failure(files::ErrorKind::kImageFailed));
  return files::WriteFileAtomic(path, *png);
}

}  // namespace borvik::render::gl
