#include "render/texture_store.h"

#include <system_error>

#include "files/file_io.h"
#include "render/texture_files.h"

namespace borvik::render {
namespace {

std::unique_ptr<TextureImage> Decode(const std::filesystem::path& file, int channels) {
  std::string bytes;
  if (!files::ReadWholeFile(file, bytes, files::kMaxTextureFileBytes)) return nullptr;
  return DecodeTexture(bytes, channels);
}

}  // namespace

void TextureStore::ReleasePixels(const TextureImage& image) {
  for (auto& [key, entry] : entries_) {
    if (entry.image.get() == &image) {
      std::vector<std::uint8_t>().swap(entry.image->pixels);
      return;
    }
  }
}

const TextureImage* TextureStore::Get(std::string_view path, TextureLoader loader) {
  const std::filesystem::path file = ResolveTexturePath(path);
  std::error_code sizeError;
  std::error_code timeError;
  const std::uintmax_t size = std::filesystem::file_size(file, sizeError);
  const auto modified = std::filesystem::last_write_time(file, timeError);
  auto key = std::make_pair(file.string(), loader);
  if (sizeError || timeError) {
    entries_.erase(key);
    return nullptr;
  }
  auto it = entries_.find(key);
  if (it != entries_.end() && it->second.size == size && it->second.modified == modified) {
    return it->second.image.get();
  }
  Entry entry{modified, size, Decode(file, loader == TextureLoader::Rgb ? 3 : 4)};
  if (entry.image) entry.image->serial = nextSerial_++;
  auto& slot = entries_[std::move(key)];
  slot = std::move(entry);
  return slot.image.get();
}

}  // namespace borvik::render
