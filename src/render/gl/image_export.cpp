#include "render/gl/image_export.h"

#include <GL/glew.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "files/file_io.h"
#include "render/gl/offscreen.h"
#include "render/png_encode.h"

namespace borvik::render::gl {
namespace {

constexpr int kWidth = ColumnRenderer::kExportWidth;
constexpr int kHeight = ColumnRenderer::kExportHeight;

}  // namespace

std::optional<std::vector<std::uint8_t>> RenderPixels(ColumnRenderer& renderer, Canvas& canvas,
                                                      const Scene& scene) {
  const Offscreen offscreen(kWidth, kHeight);
  if (!offscreen.Complete()) return std::nullopt;
  renderer.RenderLog(canvas, scene, kWidth, kHeight);

  constexpr std::size_t kRow = kWidth * 3;
  const std::vector<std::uint8_t> read = offscreen.Read(3);
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
  const Offscreen offscreen(kWidth, kHeight);
  if (!offscreen.Complete()) return times;
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
