#pragma once
// Decoded texture images. An image is kept while its file is unchanged (same
// size and modification time), so every frame shows exactly what decoding
// the file afresh would.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "render/canvas.h"
#include "render/texture_decode.h"

namespace borvik::render {


class TextureStore {
 public:
  // The image for a texture path, or nullptr when the file cannot be opened
  // or decoded.
  const TextureImage* Get(std::string_view path, TextureLoader loader);

  // The pixels of an image are no longer needed (they are on the graphics
  // card): only its size and serial are kept, until the file changes.
  void ReleasePixels(const TextureImage& image);

 private:
  struct Entry {
    std::filesystem::file_time_type modified;
    std::uintmax_t size = 0;
    std::unique_ptr<TextureImage> image;  // null: the file did not decode
  };
  std::map<std::pair<std::string, TextureLoader>, Entry, std::less<>> entries_;
  std::uint64_t nextSerial_ = 1;
};

}  // namespace borvik::render
