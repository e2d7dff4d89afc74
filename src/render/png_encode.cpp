#include "render/png_encode.h"

#include <cstdlib>

// Debian's libstb carries the implementation; the header keeps this entry
// point in its implementation part, so it is declared here.
extern "C" unsigned char* stbi_write_png_to_mem(const unsigned char* pixels, int stride_bytes,
                                                int x, int y, int n, int* out_len);

namespace borvik::render {

std::optional<std::string> EncodePngRgb(const std::uint8_t* rows, int width, int height) {
  return EncodePng(rows, width, height, 3);
}

std::optional<std::string> EncodePng(const std::uint8_t* rows, int width, int height,
                                     int channels) {
  int length = 0;
  unsigned char* png =
      stbi_write_png_to_mem(rows, width * channels, width, height, channels, &length);
  if (!png) return std::nullopt;
  std::string file(reinterpret_cast<const char*>(png), static_cast<std::size_t>(length));
  std::free(png);
  return file;
}

}  // namespace borvik::render
