#pragma once
// An OpenGL compatibility context without a window: EGL on Mesa's
// surfaceless platform, for borvik-cli and the pixel tests.

#include <memory>
#include <string>

namespace borvik::render::gl {

class HeadlessContext {
 public:
  // Creates the context, makes it current and loads the GL entry points.
  // Null, with the reason in *error, when the platform has none.
  static std::unique_ptr<HeadlessContext> Create(std::string* error);
  ~HeadlessContext();
  HeadlessContext(const HeadlessContext&) = delete;
  HeadlessContext& operator=(const HeadlessContext&) = delete;

 private:
  HeadlessContext() = default;
  void* display_ = nullptr;
  void* context_ = nullptr;
};

}  // namespace borvik::render::gl
