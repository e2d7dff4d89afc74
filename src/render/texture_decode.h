#pragma once
// The one way a texture file becomes pixels. Only PNG is taken: the
// signature, the header chunk and the layout of every chunk are checked
// before anything is decoded, and an image larger than any texture needs is
// refused, so that no other decoder ever sees the bytes and no file can ask
// for more memory than its own size and the size limit allow.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace borvik::render {

// Patterns are 128 pixels square and the rock face 344 x 133.
inline constexpr int kMaxTextureSide = 4096;

struct TextureImage {
  int width = 0;
  int height = 0;
  int channels = 0;                  // 3 or 4, as the loader asked
  std::vector<std::uint8_t> pixels;  // rows top first, tightly packed
  std::uint64_t serial = 0;          // changes whenever the image is decoded again
};

// The width and height a PNG's header gives; zeros when the bytes are no
// PNG laid out as the format says (the header chunk first, every chunk
// within the file, image data that is not empty, an end chunk), or when the
// image is empty or too large.
struct PngSize {
  int width = 0;
  int height = 0;
  explicit operator bool() const { return width > 0 && height > 0; }
};
PngSize CheckedPngSize(std::string_view bytes);

// The image with 3 (RGB) or 4 (RGBA) channels; null for anything refused
// or undecodable.
std::unique_ptr<TextureImage> DecodeTexture(std::string_view bytes, int channels);

}  // namespace borvik::render
