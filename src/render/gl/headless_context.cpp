#include "render/gl/headless_context.h"

#include <GL/glew.h>
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "render/gl/gl_canvas.h"

namespace borvik::render::gl {

std::unique_ptr<HeadlessContext> HeadlessContext::Create(std::string* error) {
  auto fail = [error](const char* why) -> std::unique_ptr<HeadlessContext> {
    if (error) *error = why;
    return nullptr;
  };
  // Without X the default display fails: ask for the surfaceless platform.
  auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay) return fail("EGL has no eglGetPlatformDisplayEXT");
  EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY) return fail("no surfaceless EGL display");
  if (!eglInitialize(display, nullptr, nullptr)) return fail("eglInitialize failed");
  auto context = std::unique_ptr<HeadlessContext>(new HeadlessContext);
  context->display_ = display;
  if (!eglBindAPI(EGL_OPENGL_API)) return fail("EGL has no desktop OpenGL");
  // Surfaceless configurations have no window surface type, the default.
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                     EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configs = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &configs) || configs < 1) {
    return fail("no EGL configuration for OpenGL");
  }
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  EGLContext glContext = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (glContext == EGL_NO_CONTEXT) return fail("eglCreateContext failed");
  context->context_ = glContext;
  if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, glContext)) {
    return fail("eglMakeCurrent failed");
  }
  if (!InitGlew()) return fail("GLEW could not load the OpenGL entry points");
  return context;
}

HeadlessContext::~HeadlessContext() {
  if (!display_) return;
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_) eglDestroyContext(display_, context_);
  eglTerminate(display_);
}

}  // namespace borvik::render::gl
