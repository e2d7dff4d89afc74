#pragma once
// A colour and depth buffer of the current context, bound while the object
// lives, so that a frame can be drawn where no window covers it: the image
// export, the identity tests and the benchmarks draw into one.

#include <GL/glew.h>

#include <cstdint>
#include <vector>

namespace borvik::render::gl {

class Offscreen {
 public:
  Offscreen(int width, int height);
  // The caller's framebuffer binding and viewport come back.
  ~Offscreen();
  Offscreen(const Offscreen&) = delete;
  Offscreen& operator=(const Offscreen&) = delete;

  bool Complete() const { return complete_; }
  // The pixels as OpenGL reads them: bottom row first, tightly packed,
  // 3 (RGB) or 4 (RGBA) bytes each.
  std::vector<std::uint8_t> Read(int channels) const;

 private:
  int width_;
  int height_;
  GLint previous_ = 0;
  GLint viewport_[4] = {};
  GLuint fbo_ = 0;
  GLuint buffers_[2] = {};
  bool complete_ = false;
};

}  // namespace borvik::render::gl
