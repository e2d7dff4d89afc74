#include "render/texture_store.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <chrono>
#include <filesystem>

#include "render/texture_files.h"
#include "support/temp_dir.h"

namespace borvik::render {
namespace {

using borvik::testing::TempDir;

// A w x h RGBA image of one colour with alpha a.
void WritePng(const std::filesystem::path& path, int w, int h, std::uint8_t grey, std::uint8_t a) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w) * h * 4);
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    pixels[i] = pixels[i + 1] = pixels[i + 2] = grey;
    pixels[i + 3] = a;
  }
  ASSERT_NE(stbi_write_png(path.c_str(), w, h, 4, pixels.data(), w * 4), 0);
}

class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::filesystem::path& dir) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~CurrentDirectory() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

TEST(TextureStore, LoadersGiveTheChannelsTheyAskFor) {
  TempDir dir;
  WritePng(dir / "a.png", 5, 3, 200, 10);
  TextureStore store;
  const TextureImage* rgb = store.Get((dir / "a.png").string(), TextureLoader::Rgb);
  ASSERT_NE(rgb, nullptr);
  EXPECT_EQ(rgb->channels, 3);
  EXPECT_EQ(rgb->width, 5);
  EXPECT_EQ(rgb->pixels.size(), 5u * 3 * 3);
  const TextureImage* rgba = store.Get((dir / "a.png").string(), TextureLoader::Rgba);
  ASSERT_NE(rgba, nullptr);
  EXPECT_EQ(rgba->channels, 4);
  EXPECT_EQ(rgba->pixels[3], 10);
}

TEST(TextureStore, ShowsAChangedOrDeletedFileAtTheNextUse) {
  TempDir dir;
  const auto path = dir / "p.png";
  WritePng(path, 4, 4, 10, 255);
  TextureStore store;
  const TextureImage* first = store.Get(path.string(), TextureLoader::Rgb);
  ASSERT_NE(first, nullptr);
  const std::uint64_t serial = first->serial;
  EXPECT_EQ(store.Get(path.string(), TextureLoader::Rgb)->serial, serial);

  WritePng(path, 8, 8, 250, 255);
  std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(2));
  const TextureImage* changed = store.Get(path.string(), TextureLoader::Rgb);
  ASSERT_NE(changed, nullptr);
  EXPECT_NE(changed->serial, serial);
  EXPECT_EQ(changed->width, 8);
  EXPECT_EQ(changed->pixels[0], 250);

  std::filesystem::remove(path);
  EXPECT_EQ(store.Get(path.string(), TextureLoader::Rgb), nullptr);
}

TEST(TextureStore, FilesThatDoNotDecodeGiveNoImage) {
  TempDir dir;
  borvik::testing::WriteBytes(dir / "bad.png", "not a png");
  std::filesystem::create_directory(dir / "folder.png");
  TextureStore store;
  for (const auto& path : {dir / "bad.png", dir / "folder.png", dir / "missing.png"}) {
    EXPECT_EQ(store.Get(path.string(), TextureLoader::Rgba), nullptr) << path;
  }
  EXPECT_EQ(store.Get("", TextureLoader::Rgb), nullptr);
}

TEST(ResolveTexturePath, MapsBackslashesAndPrefersTheWorkingDirectory) {
  TempDir dir;
  std::filesystem::create_directories(dir / "TEX" / "SYSTEM");
  WritePng(dir / "TEX" / "SYSTEM" / "sand.png", 2, 2, 0, 255);
  CurrentDirectory cwd(dir.Path());
  EXPECT_EQ(ResolveTexturePath(R"(TEX\SYSTEM\sand.png)"), std::filesystem::path("TEX/SYSTEM/sand.png"));
  EXPECT_EQ(ResolveTexturePath("/abs/x.png"), std::filesystem::path("/abs/x.png"));
  // Not here and not beside the test program: the working-directory path.
  EXPECT_EQ(ResolveTexturePath(R"(TEX\SYSTEM\nothing.png)"), std::filesystem::path("TEX/SYSTEM/nothing.png"));
  TextureStore store;
  EXPECT_NE(store.Get(builtin::kSand, TextureLoader::Rgb), nullptr);
}

TEST(ResolveTexturePath, NonAsciiPathsOpen) {
  TempDir dir;
  const auto path = dir / "地質" / "砂.png";
  std::filesystem::create_directories(path.parent_path());
  WritePng(path, 2, 2, 0, 255);
  TextureStore store;
  EXPECT_NE(store.Get(path.string(), TextureLoader::Rgb), nullptr);
}

}  // namespace
}  // namespace borvik::render
