// Any bytes as a texture file: refused, or decoded into an image no larger
// than a texture may be, whatever the file pretends to be.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "render/texture_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace borvik::render;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const int channels : {3, 4}) {
    const auto image = DecodeTexture(bytes, channels);
    if (!image) continue;
    if (image->width < 1 || image->height < 1 || image->width > kMaxTextureSide ||
        image->height > kMaxTextureSide) {
      std::abort();
    }
    if (image->pixels.size() != static_cast<std::size_t>(image->width) * image->height * channels) {
      std::abort();
    }
  }
  return 0;
}
