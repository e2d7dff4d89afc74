#pragma once
// PNG files in memory, as stb_image_write lays them out.

#include <cstdint>
#include <optional>
#include <string>

namespace borvik::render {

// Encodes tightly packed RGB rows, top row first. nullopt when the encoder
// fails (out of memory).
std::optional<std::string> EncodePngRgb(const std::uint8_t* rows, int width, int height);
// The same with 3 (RGB) or 4 (RGBA) channels.
std::optional<std::string> EncodePng(const std::uint8_t* rows, int width, int height, int channels);

}  // namespace borvik::render
