#include "render/texture_decode.h"

#include <stb_image.h>

#include <climits>

namespace borvik::render {
namespace {

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

PngSize CheckedPngSize(std::string_view bytes) {
  static constexpr std::string_view kSignature("\x89PNG\r\n\x1A\n", 8);
  // Signature, then the header chunk: length 13, "IHDR", width, height, ...
  if (bytes.size() < 8 + 8 + 13 + 4 || bytes.substr(0, 8) != kSignature) return {};
  if (BigEndian32(bytes, 8) != 13 || bytes.substr(12, 4) != "IHDR") return {};
  const std::uint32_t width = BigEndian32(bytes, 16);
  const std::uint32_t height = BigEndian32(bytes, 20);
  if (width == 0 || height == 0 || width > kMaxTextureSide || height > kMaxTextureSide) return {};
  // Every chunk: length, four letters, data, check value, within the file.
  // A length beyond the file would have the decoder reserve it.
  bool data = false;
  for (std::size_t at = 8; at + 12 <= bytes.size();) {
    const std::size_t length = BigEndian32(bytes, at);
    const std::string_view type = bytes.substr(at + 4, 4);
    for (const char c : type) {
      if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return {};
    }
    if (length > bytes.size() - at - 12) return {};
    if (type == "IDAT") {
      if (length == 0) return {};
      data = true;
    }
    if (type == "IEND") {
      if (!data) return {};
      return {static_cast<int>(width), static_cast<int>(height)};
    }
    at += 12 + length;
  }
  return {};
}

std::unique_ptr<TextureImage> DecodeTexture(std::string_view bytes, int channels) {
  const PngSize size = CheckedPngSize(bytes);
  if (!size || bytes.size() > static_cast<std::size_t>(INT_MAX)) return nullptr;
  int width = 0;
  int height = 0;
  int inFile = 0;
  stbi_uc* pixels =
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                            static_cast<int>(bytes.size()), &width, &height, &inFile, channels);
  if (!pixels) return nullptr;
  // The decoder read the same header: anything else is not to be trusted.
  if (width != size.width || height != size.height) {
    stbi_image_free(pixels);
    return nullptr;
  }
  auto image = std::make_unique<TextureImage>();
  image->width = width;
  image->height = height;
  image->channels = channels;
  image->pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height * channels);
  stbi_image_free(pixels);
  return image;
}

}  // namespace borvik::render
