// The fast frame against the literal one, pixel for pixel, through OpenGL:
// the example logs and the largest logs in many views, then logs, views and
// settings made at random.

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>

#include "files/layer_csv.h"
#include "render/gl/gl_canvas.h"
#include "render/gl/headless_context.h"
#include "render/gl/image_export.h"
#include "render/gl/offscreen.h"
#include "support/large_logs.h"
#include "support/random_log.h"
#include "support/temp_dir.h"
#include "text/cp932.h"

namespace borvik::render::gl {
namespace {

using borvik::testing::LargeLog;
using borvik::testing::LogKind;
using borvik::testing::Random;
using borvik::testing::TempDir;
using borvik::testing::WriteBytes;


std::string Png(int width, int height, int channels, std::mt19937& rng) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * channels);
  for (auto& p : pixels) p = static_cast<std::uint8_t>(rng());
  std::string bytes;
  stbi_write_png_to_func(
      [](void* out, void* data, int size) {
        static_cast<std::string*>(out)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
      },
      &bytes, width, height, channels, pixels.data(), width * channels);
  return bytes;
}

// Where two pictures differ, for the failure message.
std::string Difference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                       int width, int channels) {
  if (a.size() != b.size()) return "sizes differ";
  std::size_t count = 0;
  std::ostringstream first;
  for (std::size_t i = 0; i < a.size(); i += channels) {
    if (std::equal(a.begin() + i, a.begin() + i + channels, b.begin() + i)) continue;
    if (count++ == 0) {
      const std::size_t pixel = i / channels;
      first << " first at column " << pixel % width << ", row " << pixel / width << ": literal "
            << int(a[i]) << "," << int(a[i + 1]) << "," << int(a[i + 2]) << " fast " << int(b[i])
            << "," << int(b[i + 1]) << "," << int(b[i + 2]);
    }
  }
  return std::to_string(count) + " pixels differ;" + first.str();
}

class FrameIdentity : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    context_ = HeadlessContext::Create(&error);
    ASSERT_NE(context_, nullptr) << error;
    literalCanvas_ = std::make_unique<GlCanvas>();
    fastCanvas_ = std::make_unique<GlCanvas>();
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(BORVIK_SOURCE_DIR);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    literalCanvas_.reset();
    fastCanvas_.reset();
    context_.reset();
  }

  // The exported picture of both frames: the PNG bytes, or the pixels alone
  // (the encoding takes longer than the frames).
  void ExpectSameExport(const Scene& scene, const std::string& what, bool png = true) {
    if (png) {
      const auto literal = RenderPng(literal_, *literalCanvas_, scene);
      const auto fast = RenderPng(fast_, *fastCanvas_, scene);
      ASSERT_TRUE(literal && fast) << what;
      if (*literal == *fast) return;
    }
    const auto a = RenderPixels(literal_, *literalCanvas_, scene);
    const auto b = RenderPixels(fast_, *fastCanvas_, scene);
    ASSERT_TRUE(a && b) << what;
    if (*a != *b)
      ADD_FAILURE() << what << ": " << Difference(*a, *b, ColumnRenderer::kExportWidth, 3);
  }

  // Both frames at any picture size.
  void ExpectSamePixels(const Scene& scene, int width, int height, const std::string& what) {
    const render::gl::Offscreen offscreen(width, height);
    literal_.RenderLog(*literalCanvas_, scene, width, height);
    const auto a = offscreen.Read(4);
    fast_.RenderLog(*fastCanvas_, scene, width, height);
    const auto b = offscreen.Read(4);
    if (a != b) ADD_FAILURE() << what << ": " << Difference(a, b, width, 4);
  }

  std::unique_ptr<HeadlessContext> context_;
  std::unique_ptr<GlCanvas> literalCanvas_;
  std::unique_ptr<GlCanvas> fastCanvas_;
  ColumnRenderer literal_{FrameOptions::Literal()};
  ColumnRenderer fast_{FrameOptions::Fast()};
  std::filesystem::path previous_;
};

// Text where the pixel of a glyph is a close call: positions a hair either
// side of pixel edges, at the edges of the view and beyond, for two picture
// sizes and two cameras. The fast canvas draws quads from its atlas, the
// literal one bitmaps.
TEST_F(FrameIdentity, TextLandsOnTheBitmapsPixels) {
  const double deltas[] = {-0.3, -2e-4, -1.2e-4, -1e-4, -8e-5, -1e-5, 0,
                           1e-5, 8e-5,  1e-4,    2e-4,  0.5,   0.9999};
  for (const auto& size : {std::pair{880, 831}, std::pair{301, 199}}) {
    const int width = size.first;
    const int height = size.second;
    for (const float camera : {0.0f, 3.7f}) {
      // World x and y whose window position is pixel n plus delta.
      auto worldX = [&](double px) {
        return static_cast<float>((px / (width / 2.0) - 1) / 0.7 + camera);
      };
      auto worldY = [&](double py) { return static_cast<float>((py / (height / 2.0) - 1) / 0.7); };
      auto draw = [&](GlCanvas& canvas, FrameMode mode) {
        const render::gl::Offscreen offscreen(width, height);
        canvas.SetFrameMode(mode);
        canvas.BeginFrame(width, height);
        canvas.ResetEntryState();
        canvas.BeginEntry(width, height, camera);
        canvas.SetColor(0, 0, 0);
        int row = 0;
        for (const double dx : deltas) {
          for (const double dy : deltas) {
            const double px = 3 + 37 * (row % 8) + dx;
            const double py = 2 + 19 * (row / 8 % 10) + dy;
            canvas.Text(worldX(px), worldY(py), row % 2 ? "Mg" : "凡R");
            ++row;
          }
          // At the edges: just inside, on, just outside.
          canvas.Text(worldX(0 + dx), worldY(height / 2.0), "L");
          canvas.Text(worldX(width - 8 + dx), worldY(height / 3.0), "R");
          canvas.Text(worldX(width + dx), worldY(height / 4.0), "X");
          canvas.Text(worldX(width / 2.0), worldY(height - 16 + dx), "T");
          canvas.Text(worldX(width / 3.0), worldY(height + dx), "U");
          canvas.Text(worldX(width / 4.0), worldY(dx), "B");
        }
        canvas.EndEntry();
        canvas.EndFrame();
        return offscreen.Read(4);
      };
      const auto a = draw(*literalCanvas_, FrameMode::kLiteral);
      const auto b = draw(*fastCanvas_, FrameMode::kFast);
      EXPECT_TRUE(a == b) << width << "x" << height << " camera " << camera << ": "
                          << Difference(a, b, width, 4);
    }
  }
}

// More different glyphs than the atlas holds (every kanji of the table,
// some 6,000): the glyphs beyond it are drawn as bitmaps, in their place.
TEST_F(FrameIdentity, TextBeyondTheAtlasStillLands) {
  constexpr int kW = ColumnRenderer::kExportWidth;
  constexpr int kH = ColumnRenderer::kExportHeight;
  // 55 kanji a line (as wide as the picture), lines 2.5 pixels apart.
  std::vector<std::string> lines(1);
  for (char32_t c = 0x4E00; c <= 0x9FFF; ++c) {
    if (text::UnicodeToSjis(c) == 0) continue;
    if (lines.back().size() == 3 * 55) lines.emplace_back();
    lines.back() += static_cast<char>(0xE0 | (c >> 12));
    lines.back() += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    lines.back() += static_cast<char>(0x80 | (c & 0x3F));
  }
  auto draw = [&](GlCanvas& canvas, FrameMode mode) {
    const render::gl::Offscreen offscreen(kW, kH);
    canvas.SetFrameMode(mode);
    canvas.BeginFrame(kW, kH);
    canvas.ResetEntryState();
    canvas.BeginEntry(kW, kH, 0);
    canvas.SetColor(0, 0, 0);
    // Rows of text over one another: what shows depends on the order.
    for (std::size_t i = 0; i < lines.size(); ++i) {
      canvas.Text(-1.42f + 0.01f * static_cast<float>(i % 3), 1.3f - 0.007f * static_cast<float>(i),
                  lines[i].c_str());
    }
    canvas.EndEntry();
    canvas.EndFrame();
    return offscreen.Read(4);
  };
  const auto a = draw(*literalCanvas_, FrameMode::kLiteral);
  const auto b = draw(*fastCanvas_, FrameMode::kFast);
  EXPECT_TRUE(a == b) << Difference(a, b, kW, 4);
}

// A texture file that changes between two frames shows in the second.
TEST_F(FrameIdentity, AChangedTextureShowsAtTheNextFrame) {
  TempDir folder;
  std::filesystem::create_directories(folder / "TEX" / "SYSTEM");
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(BORVIK_SOURCE_DIR) / "TEX" / "SYSTEM")) {
    std::filesystem::copy_file(entry.path(), folder / "TEX" / "SYSTEM" / entry.path().filename());
  }
  std::filesystem::current_path(folder.Path());
  LargeLog log(LogKind::kMetre, 1, 0);
  Random r(7);
  const auto before = RenderPixels(fast_, *fastCanvas_, log.Scene());
  WriteBytes(folder / "TEX" / "SYSTEM" / "sand.png", Png(5, 9, 3, r.Engine()));
  std::filesystem::remove(folder / "TEX" / "SYSTEM" / "ripple.png");
  ExpectSameExport(log.Scene(), "changed", false);
  EXPECT_NE(RenderPixels(fast_, *fastCanvas_, log.Scene()), before);
}

std::string Describe(const ViewOptions& v) {
  std::ostringstream out;
  out << "scale " << v.scaleIndex << " scroll " << v.scrollPosition
      << (v.showLegend ? " legend" : "") << (v.elevationLabels ? " elevation" : "")
      << (v.showStructures ? " S" : "") << (v.showFeatures ? " F" : "")
      << (v.showSamples ? " s" : "");
  return out.str();
}

TEST_F(FrameIdentity, ExampleLogsInEveryView) {
  for (const char* file : {BORVIK_SOURCE_DIR "/examples/b-1.csv", BORVIK_TEST_DATA "/b1.csv",
                           BORVIK_TEST_DATA "/editor_marks.csv"}) {
    auto log = std::make_unique<model::Document>();
    ASSERT_TRUE(files::ReadLayerFile(file, *log)) << file;
    auto drawing = std::make_unique<DrawTable>();
    LegendUsage usage;
    const settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
    for (int scale = 0; scale < 4; ++scale) {
      RebuildDrawing(*drawing, usage, log->layers, scale);
      for (const int scroll : {0, 3, 50}) {
        // Legend and elevation labels in their four combinations, then the
        // marks hidden.
        for (int switches = 0; switches < 5; ++switches) {
          ViewOptions view;
          view.scaleIndex = scale;
          view.scrollPosition = scroll;
          view.showLegend = switches & 1;
          view.elevationLabels = switches & 2;
          view.showStructures = view.showFeatures = view.showSamples = switches != 4;
          ExpectSameExport({*drawing, usage, catalogue, log->header, view},
                           std::string(file) + " " + Describe(view), scroll == 0 && switches == 1);
        }
      }
    }
  }
}

TEST_F(FrameIdentity, LargestLogs) {
  const struct {
    LogKind kind;
    int scale;
    int scroll;
  } cases[] = {{LogKind::kCrossing, 1, 0},   {LogKind::kCrossing, 1, 50},
               {LogKind::kCrossing, 1, 100}, {LogKind::kMetre, 0, 0},
               {LogKind::kMetre, 3, 0},      {LogKind::kTenth, 1, 0},
               {LogKind::kEmpty, 1, 0}};
  for (const auto& c : cases) {
    LargeLog log(c.kind, c.scale, c.scroll);
    log.view.elevationLabels = c.scroll == 50;
    ExpectSameExport(log.Scene(), std::string(LogName(c.kind)) + " " + Describe(log.view),
                     c.kind == LogKind::kCrossing && c.scroll == 0);
  }
}

// ---------------------------------------------------------------------------
// Random logs, views and settings.

// Texture files of every kind a user may name: missing, not a picture,
// tiny, odd sizes, with and without alpha.
std::string RandomTexture(Random& r, const std::filesystem::path& folder, int n) {
  const std::string name = "t" + std::to_string(n) + ".png";
  switch (r.Int(0, 5)) {
    case 0: return (folder / "missing.png").string();
    case 1: WriteBytes(folder / name, "not a picture"); break;
    case 2: WriteBytes(folder / name, Png(1, 1, 3, r.Engine())); break;
    case 3: WriteBytes(folder / name, Png(r.Int(1, 70), r.Int(1, 70), 4, r.Engine())); break;
    case 4: WriteBytes(folder / name, Png(r.Int(1, 70), r.Int(1, 70), 3, r.Engine())); break;
    default: return R"(TEX\SYSTEM\sand.png)";
  }
  return (folder / name).string();
}

std::string RandomName(Random& r) {
  static const char* const kNames[] = {
      "",
      "B-1",
      "B-999 大深度ボーリング",
      "名前に\n改行",
      "ｶﾀｶﾅ と ① と 𠮷",
      "\xE3\x81",
      "長い名前長い名前長い名前長い名前長い名前長い名前長い名前長い名前"};
  return r.Pick(std::span<const char* const>(kNames));
}

TEST_F(FrameIdentity, RandomLogsViewsAndSettings) {
  // BORVIK_IDENTITY_CASES asks for a longer run, BORVIK_IDENTITY_SEED
  // starts it elsewhere (a failure names its seed).
  const char* asked = std::getenv("BORVIK_IDENTITY_CASES");
  const char* from = std::getenv("BORVIK_IDENTITY_SEED");
  const int cases = asked ? std::atoi(asked) : 60;
  const unsigned seed0 = from ? static_cast<unsigned>(std::atol(from)) : 1400;
  for (int c = 0; c < cases; ++c) {
    const unsigned seed = seed0 + static_cast<unsigned>(c);
    Random r(seed);
    TempDir folder;
    // Built-in textures in the working folder, some missing or broken.
    std::filesystem::create_directories(folder / "TEX" / "SYSTEM");
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(BORVIK_SOURCE_DIR) / "TEX" / "SYSTEM")) {
      const auto target = folder / "TEX" / "SYSTEM" / entry.path().filename();
      if (r.Chance(0.9)) {
        std::filesystem::copy_file(entry.path(), target);
      } else if (r.Chance(0.5)) {
        WriteBytes(target, Png(r.Int(1, 40), r.Int(1, 40), r.Chance(0.5) ? 3 : 4, r.Engine()));
      }
    }
    std::filesystem::current_path(folder.Path());

    settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
    int n = 0;
    auto vary = [&](auto& slots) {
      for (settings::CategoryEntry& slot : slots) {
        if (r.Chance(0.3)) slot.texturePath = RandomTexture(r, folder.Path(), n++);
        if (r.Chance(0.2)) slot.name = RandomName(r);
      }
    };
    vary(catalogue.bedrock);
    vary(catalogue.structures);
    vary(catalogue.features);

    ViewOptions view;
    view.scaleIndex = r.Chance(0.95) ? r.Int(0, 3) : 7;
    view.scrollPosition =
        r.Chance(0.3) ? r.Pick(std::span<const int>({0, 50, 100})) : r.Int(0, 100);
    view.showStructures = r.Chance(0.7);
    view.showFeatures = r.Chance(0.7);
    view.showSamples = r.Chance(0.7);
    view.showLegend = r.Chance(0.5);
    view.elevationLabels = r.Chance(0.4);
    const model::LogHeader header{RandomName(r), r.Chance(0.2) ? 0.0f : r.Real(-120, 3500)};

    const int scale = view.scaleIndex <= 3 ? view.scaleIndex : 1;
    const float sheet = static_cast<float>(model::kScales[scale].sheetLength);
    auto drawing = std::make_unique<DrawTable>();
    LegendUsage usage;
    const int layers = r.Chance(0.1) ? 0 : r.Int(1, r.Chance(0.2) ? 400 : 60);
    float top = r.Chance(0.3) ? r.Real(0, 4 * sheet) : 0.0f;
    for (int i = 0; i < layers; ++i) {
      const model::LayerRecord layer = RandomLayer(r, top, sheet);
      // Layers drawn at another scale than they were entered at.
      AddLayerToDrawing(*drawing, usage, layer, r.Chance(0.9) ? scale : r.Int(0, 3));
      top = layer.bot;
    }
    const Scene scene{*drawing, usage, catalogue, header, view};
    const std::string what = "seed " + std::to_string(seed) + " " + Describe(view);
    if (r.Chance(0.8)) {
      ExpectSameExport(scene, what, false);
    } else {
      const int width = r.Chance(0.5) ? 1760 : r.Int(50, 1200);
      const int height = r.Chance(0.5) ? 1662 : r.Int(50, 1200);
      ExpectSamePixels(scene, width, height,
                       what + " " + std::to_string(width) + "x" + std::to_string(height));
    }
    std::filesystem::current_path(BORVIK_SOURCE_DIR);
  }
  RecordProperty("cases", cases);
}

}  // namespace
}  // namespace borvik::render::gl
