// Texture files that are not what their name says: only PNG is decoded,
// and only up to the size a texture may have. Anything else is refused
// before a decoder sees it, and is then drawn as a missing texture is.

#include "render/texture_decode.h"

#include <gtest/gtest.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace borvik::render {
namespace {

std::string Png(int w, int h) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w) * h * 3, 128);
  std::string png;
  stbi_write_png_to_func(
      [](void* out, void* data, int size) {
        static_cast<std::string*>(out)->append(static_cast<char*>(data), size);
      },
      &png, w, h, 3, pixels.data(), w * 3);
  return png;
}

std::string BigEndian(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

// A PNG whose header asks for w x h pixels; the rest is whatever follows.
std::string PngHeader(std::uint32_t w, std::uint32_t h, const std::string& rest) {
  return std::string("\x89PNG\r\n\x1A\n", 8) + BigEndian(13) + "IHDR" + BigEndian(w) +
         BigEndian(h) + std::string("\x08\x02\x00\x00\x00", 5) + "CRC!" + rest;
}

// The PNG with its first image data chunk claiming another length.
std::string WithIdatLength(std::string png, std::uint32_t length) {
  return png.replace(png.find("IDAT") - 4, 4, BigEndian(length));
}

// A 2 x 2 true-colour TGA: no signature at all, yet a decoder that tries
// every format takes it.
std::string Tga() {
  std::string tga(18, '\0');
  tga[2] = 2;
  tga[12] = 2;
  tga[14] = 2;
  tga[16] = 24;
  return tga + std::string(12, '\x7f');
}

TEST(DecodeTexture, TakesPngOnlyAndOnlyUpToTheTextureSize) {
  const std::string bomb = PngHeader(16000, 16000, std::string(64, '\0'));
  const struct {
    const char* what;
    std::string bytes;
  } refused[] = {
      {"16-bit PGM under a .png name", "P5\n4 4\n65535\n" + std::string(32, '\xff')},
      {"Radiance HDR",
       "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 2 +X 2\n" + std::string(16, '\x02')},
      {"GIF", "GIF89a\x02\x00\x02\x00" + std::string(20, '\0')},
      {"BMP", "BM" + std::string(60, '\0')},
      {"JPEG", "\xFF\xD8\xFF\xE0" + std::string(40, '\0')},
      {"TGA", Tga()},
      {"a 16000 x 16000 PNG", bomb},
      {"one pixel too wide", PngHeader(kMaxTextureSide + 1, 1, "")},
      {"no pixels", PngHeader(0, 5, "")},
      {"a chunk other than IHDR first", Png(4, 4).replace(12, 4, "IDAT")},
      {"a PNG cut short", Png(16, 16).substr(0, 45)},
      {"empty image data", WithIdatLength(Png(4, 4), 0)},
      {"a chunk longer than the file", WithIdatLength(Png(4, 4), 0x7fffffff)},
      {"nothing", ""},
  };
  // The check is what keeps them out: the decoder on its own takes this one.
  const std::string tga = Tga();
  int w = 0, h = 0, n = 0;
  stbi_uc* decoded = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(tga.data()),
                                           static_cast<int>(tga.size()), &w, &h, &n, 3);
  EXPECT_NE(decoded, nullptr);
  stbi_image_free(decoded);
  for (const auto& c : refused) {
    for (const int channels : {3, 4}) {
      EXPECT_EQ(DecodeTexture(c.bytes, channels), nullptr) << c.what;
    }
  }
  for (const auto& [width, height] : {std::pair{5, 3}, std::pair{kMaxTextureSide, 1}}) {
    const auto image = DecodeTexture(Png(width, height), 4);
    ASSERT_NE(image, nullptr) << width;
    EXPECT_EQ(image->width, width);
    EXPECT_EQ(image->height, height);
    EXPECT_EQ(image->pixels.size(), static_cast<std::size_t>(width) * height * 4);
  }
}

}  // namespace
}  // namespace borvik::render
