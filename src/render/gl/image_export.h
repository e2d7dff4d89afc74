#pragma once
// The 880 x 831 picture as a PNG file, drawn for the export into an
// offscreen buffer of the current context, so that no other window covering
// the picture area can spoil it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/error.h"
#include "render/frame.h"

namespace borvik::render::gl {

// Draws the frame into an 880 x 831 framebuffer object of the current
// context and returns its RGB rows, top row first, or nullopt when the
// framebuffer cannot be made. The caller's framebuffer binding and viewport
// are restored.
std::optional<std::vector<std::uint8_t>> RenderPixels(ColumnRenderer& renderer, Canvas& canvas,
                                                      const Scene& scene);

// Draws the frame `count` times into an 880 x 831 framebuffer object of the
// current context and returns how long each took, in milliseconds, to the
// end of the drawing. Empty when the framebuffer cannot be made.
std::vector<double> TimeFrames(ColumnRenderer& renderer, Canvas& canvas, const Scene& scene,
                               int count);

// RenderPixels encoded as PNG; nullopt when the framebuffer or the encoder
// fails.
std::optional<std::string> RenderPng(ColumnRenderer& renderer, Canvas& canvas, const Scene& scene);

// RenderPng written to the path, replacing it whole or not at all;
// kImageFailed when the picture could not be made.
files::Status ExportImage(ColumnRenderer& renderer, Canvas& canvas, const Scene& scene,
                          const std::filesystem::path& path);

}  // namespace borvik::render::gl
