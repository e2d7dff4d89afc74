#include "render/gl/offscreen.h"

namespace borvik::render::gl {

Offscreen::Offscreen(int width, int height) : width_(width), height_(height) {
  if (!glGenFramebuffers) return;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous_);
  glGetIntegerv(GL_VIEWPORT, viewport_);
  glGenFramebuffers(1, &fbo_);
  glGenRenderbuffers(2, buffers_);
  glBindRenderbuffer(GL_RENDERBUFFER, buffers_[0]);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, buffers_[1]);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
  glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers_[0]);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers_[1]);
  complete_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

Offscreen::~Offscreen() {
  if (!fbo_) return;
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous_));
  glViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
  glDeleteRenderbuffers(2, buffers_);
  glDeleteFramebuffers(1, &fbo_);
}

std::vector<std::uint8_t> Offscreen::Read(int channels) const {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * height_ * channels);
  glReadBuffer(GL_COLOR_ATTACHMENT0);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glFlush();
  glReadPixels(0, 0, width_, height_, channels == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE,
               pixels.data());
  return pixels;
}

}  // namespace borvik::render::gl
