// The built-in images in TEX/SYSTEM: every file the renderer and the default
// catalogue name must be there, decode to the channels its loader asks for,
// and the tiling patterns must wrap without a visible seam.

#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace borvik::render {
namespace {

enum class Kind { Pattern, Icon, Header };

struct TextureCase {
  const char* file;
  int loaderChannels;  // what LoadTextureRgb (3) or LoadTextureRgba (4) asks for
  Kind kind;
};

void PrintTo(const TextureCase& c, std::ostream* os) { *os << c.file; }

constexpr TextureCase kTextures[] = {
    // Lithology and rock-quality patterns, the white mask.
    {"sand.png", 3, Kind::Pattern},
    {"fash.png", 3, Kind::Pattern},
    {"cash.png", 3, Kind::Pattern},
    {"loamysand.png", 3, Kind::Pattern},
    {"humicsand.png", 3, Kind::Pattern},
    {"organic_sand.png", 3, Kind::Pattern},
    {"calcsand.png", 3, Kind::Pattern},
    {"gravel.png", 3, Kind::Pattern},
    {"lapilli.png", 3, Kind::Pattern},
    {"breccia.png", 3, Kind::Pattern},
    {"humicgravel.png", 3, Kind::Pattern},
    {"organic_gravel.png", 3, Kind::Pattern},
    {"calcgravel.png", 3, Kind::Pattern},
    {"loam.png", 3, Kind::Pattern},
    {"humicmud.png", 3, Kind::Pattern},
    {"organic_mud.png", 3, Kind::Pattern},
    {"calcmud.png", 3, Kind::Pattern},
    {"white.png", 3, Kind::Pattern},
    // Default bedrock patterns of the catalogue.
    {"sediment.png", 3, Kind::Pattern},
    {"volcanic.png", 3, Kind::Pattern},
    {"hypabyssal.png", 3, Kind::Pattern},
    {"plutonic.png", 3, Kind::Pattern},
    {"metamorphic.png", 3, Kind::Pattern},
    {"lime.png", 3, Kind::Pattern},
    // Default sedimentary-structure icons.
    {"parallel.png", 4, Kind::Icon},
    {"ripple.png", 4, Kind::Icon},
    {"cross.png", 4, Kind::Icon},
    {"trough.png", 4, Kind::Icon},
    {"hcs.png", 4, Kind::Icon},
    {"slumping.png", 4, Kind::Icon},
    {"load.png", 4, Kind::Icon},
    // Default other-feature icons.
    {"nodule.png", 4, Kind::Icon},
    {"sandpipe.png", 4, Kind::Icon},
    {"trunk.png", 4, Kind::Icon},
    {"leaf.png", 4, Kind::Icon},
    {"rootlet.png", 4, Kind::Icon},
    {"roottrace.png", 4, Kind::Icon},
    {"shell.png", 4, Kind::Icon},
    {"shellfragment.png", 4, Kind::Icon},
    {"artificial.png", 4, Kind::Icon},
    // Legend header, drawn in black so only its alpha shows.
    {"rockface.png", 4, Kind::Header},
};

constexpr int kTileSize = 128;
constexpr std::uintmax_t kMaxFileBytes = 20 * 1024;
// The header quad is 0.774 x 0.3 drawing units.
constexpr double kHeaderAspect = 0.774 / 0.3;

std::string TexturePath(const char* file) {
  return std::string(BORVIK_SOURCE_DIR) + "/TEX/SYSTEM/" + file;
}

struct Image {
  int width = 0;
  int height = 0;
  int fileChannels = 0;  // as stored in the file, before conversion
  int channels = 0;      // as decoded
  std::vector<unsigned char> pixels;

  const unsigned char* At(int x, int y) const {
    return pixels.data() + (static_cast<size_t>(y) * width + x) * channels;
  }
};

// Decodes the way the renderer's loaders do; an empty image on failure.
Image Decode(const std::string& path, int wantChannels) {
  Image image;
  if (!stbi_info(path.c_str(), &image.width, &image.height, &image.fileChannels)) {
    return Image{};
  }
  int w = 0, h = 0, n = 0;
  unsigned char* data = stbi_load(path.c_str(), &w, &h, &n, wantChannels);
  if (data == nullptr || w != image.width || h != image.height) {
    stbi_image_free(data);
    return Image{};
  }
  image.channels = wantChannels;
  image.pixels.assign(data, data + static_cast<size_t>(w) * h * wantChannels);
  stbi_image_free(data);
  return image;
}

double Luminance(const unsigned char* p) {
  return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
}

// Grey levels of an RGB or RGBA image, row by row.
struct Grey {
  int width = 0;
  int height = 0;
  std::vector<double> v;
  double At(int x, int y) const { return v[static_cast<size_t>(y) * width + x]; }
};

Grey ToGrey(const Image& image) {
  Grey g{image.width, image.height, {}};
  g.v.reserve(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) g.v.push_back(Luminance(image.At(x, y)));
  }
  return g;
}

Grey Transposed(const Grey& g) {
  Grey t{g.height, g.width, {}};
  t.v.reserve(g.v.size());
  for (int y = 0; y < t.height; ++y) {
    for (int x = 0; x < t.width; ++x) t.v.push_back(g.At(y, x));
  }
  return t;
}

Grey Cropped(const Grey& g, int size) {
  Grey c{size, size, {}};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) c.v.push_back(g.At(x, y));
  }
  return c;
}

struct Seam {
  double across;  // mean |last column - first column|
  double limit;   // what the tile's own neighbouring columns allow
};

// Compares the wrap-around seam with the tile's own column-to-column steps.
// Marks cut at one edge and not continued at the other make the seam step
// stand out from nearly all interior steps.  The 95th percentile with a
// margin lets a mark that merely ends at the edge, or a pattern of evenly
// spaced lines where every step is alike, pass.
Seam ColumnSeam(const Grey& g) {
  std::vector<double> steps;
  for (int x = 0; x + 1 < g.width; ++x) {
    double sum = 0;
    for (int y = 0; y < g.height; ++y) sum += std::abs(g.At(x + 1, y) - g.At(x, y));
    steps.push_back(sum / g.height);
  }
  double across = 0;
  for (int y = 0; y < g.height; ++y) across += std::abs(g.At(0, y) - g.At(g.width - 1, y));
  across /= g.height;
  auto p95 = steps.begin() + static_cast<std::ptrdiff_t>((steps.size() - 1) * 95 / 100);
  std::nth_element(steps.begin(), p95, steps.end());
  return {across, 1.5 * *p95 + 2.0};
}

bool WrapsWithoutSeam(const Grey& g) {
  Seam columns = ColumnSeam(g);
  Seam rows = ColumnSeam(Transposed(g));
  return columns.across <= columns.limit && rows.across <= rows.limit;
}

std::string CaseName(const testing::TestParamInfo<TextureCase>& info) {
  std::string name = info.param.file;
  name = name.substr(0, name.find('.'));
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
}

std::vector<TextureCase> Patterns() {
  std::vector<TextureCase> out;
  for (const TextureCase& c : kTextures) {
    if (c.kind == Kind::Pattern) out.push_back(c);
  }
  return out;
}

class BuiltInTexture : public testing::TestWithParam<TextureCase> {};

TEST_P(BuiltInTexture, DecodesToTheChannelsOfItsLoader) {
  const TextureCase& c = GetParam();
  std::string path = TexturePath(c.file);
  ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
  EXPECT_LT(std::filesystem::file_size(path), kMaxFileBytes);

  Image image = Decode(path, c.loaderChannels);
  ASSERT_FALSE(image.pixels.empty()) << stbi_failure_reason();
  // Patterns carry no alpha channel at all; icons and the header carry one.
  EXPECT_EQ(image.fileChannels, c.loaderChannels);

  if (c.kind == Kind::Header) {
    EXPECT_NEAR(static_cast<double>(image.width) / image.height, kHeaderAspect, 0.03 * kHeaderAspect);
    EXPECT_LE(image.width, 1024);
  } else {
    EXPECT_EQ(image.width, kTileSize);
    EXPECT_EQ(image.height, kTileSize);
  }
}

TEST_P(BuiltInTexture, ShowsDarkMarksOnWhiteOrOnTransparency) {
  const TextureCase& c = GetParam();
  Image image = Decode(TexturePath(c.file), c.loaderChannels);
  ASSERT_FALSE(image.pixels.empty());
  const size_t count = static_cast<size_t>(image.width) * image.height;

  if (std::string(c.file) == "white.png") {
    // The masking strip and the clay swatch: nothing but white.
    EXPECT_TRUE(std::all_of(image.pixels.begin(), image.pixels.end(), [](unsigned char v) { return v == 255; }));
    return;
  }
  if (c.kind == Kind::Pattern) {
    size_t dark = 0, white = 0;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        double l = Luminance(image.At(x, y));
        dark += l < 128 ? 1 : 0;
        white += l > 250 ? 1 : 0;
      }
    }
    // Line work on a white ground: neither blank nor a solid fill.
    EXPECT_GT(dark, count / 50);
    EXPECT_GT(white, count / 2);
    return;
  }

  size_t transparent = 0, opaque = 0;
  double inkLuminance = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const unsigned char* p = image.At(x, y);
      transparent += p[3] == 0 ? 1 : 0;
      if (p[3] == 255) {
        ++opaque;
        inkLuminance += Luminance(p);
      }
    }
  }
  EXPECT_GT(transparent, count / 4) << "the background must let the drawing show through";
  EXPECT_GT(opaque, count / 50) << "the mark must have solid strokes";
  if (c.kind == Kind::Icon && opaque > 0) {
    // Drawn in modulate mode under white: the icon's own colour shows, and
    // only dark strokes read in a black-and-white log.
    EXPECT_LT(inkLuminance / opaque, 64.0);
  }
}

INSTANTIATE_TEST_SUITE_P(TexSystem, BuiltInTexture, testing::ValuesIn(kTextures), CaseName);

class TilingPattern : public testing::TestWithParam<TextureCase> {};

TEST_P(TilingPattern, WrapsWithoutSeamBothWays) {
  Image image = Decode(TexturePath(GetParam().file), 3);
  ASSERT_FALSE(image.pixels.empty());
  Grey g = ToGrey(image);
  Seam columns = ColumnSeam(g);
  Seam rows = ColumnSeam(Transposed(g));
  EXPECT_LE(columns.across, columns.limit) << "right edge does not continue into the left edge";
  EXPECT_LE(rows.across, rows.limit) << "bottom edge does not continue into the top edge";
}

INSTANTIATE_TEST_SUITE_P(TexSystem, TilingPattern, testing::ValuesIn(Patterns()), CaseName);

// Dots of radius 4 on white: some scattered by a fixed generator, some
// centred on the left and top edges.  With wrap, a dot crossing an edge
// continues on the opposite one; without, it is cut off.
Grey DotTile(bool wrap) {
  const int n = kTileSize;
  Grey g{n, n, std::vector<double>(static_cast<size_t>(n) * n, 255.0)};
  std::vector<std::pair<int, int>> centres;
  for (int k = 0; k < 4; ++k) {
    centres.emplace_back(0, 16 + 32 * k);
    centres.emplace_back(16 + 32 * k, 0);
  }
  std::uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 8) % kTileSize);
  };
  for (int i = 0; i < 40; ++i) {
    int cx = next();
    centres.emplace_back(cx, next());
  }
  for (auto [cx, cy] : centres) {
    for (int y = 0; y < n; ++y) {
      for (int x = 0; x < n; ++x) {
        int dx = std::abs(x - cx), dy = std::abs(y - cy);
        if (wrap) {
          dx = std::min(dx, n - dx);
          dy = std::min(dy, n - dy);
        }
        if (dx * dx + dy * dy <= 16) g.v[static_cast<size_t>(y) * n + x] = 0.0;
      }
    }
  }
  return g;
}

TEST(SeamCheck, TellsAWrappedTileFromOneCutAtItsEdges) {
  EXPECT_TRUE(WrapsWithoutSeam(DotTile(true)));
  EXPECT_FALSE(WrapsWithoutSeam(DotTile(false)));
}

TEST(SeamCheck, FindsTheSeamOfAPatternCutShort) {
  // The usual fault: a tile cropped to something other than its period.
  for (const char* file : {"sand.png", "gravel.png", "breccia.png", "metamorphic.png", "lime.png"}) {
    Image image = Decode(TexturePath(file), 3);
    ASSERT_FALSE(image.pixels.empty()) << file;
    Grey g = ToGrey(image);
    EXPECT_TRUE(WrapsWithoutSeam(g)) << file;
    EXPECT_FALSE(WrapsWithoutSeam(Cropped(g, 100))) << file;
  }
}

}  // namespace
}  // namespace borvik::render
