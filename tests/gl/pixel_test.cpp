// The OpenGL canvas through a headless context: what reaches the pixels of
// the exported PNG.

#include <gtest/gtest.h>
#include <stb_image.h>

#include <filesystem>
#include <memory>

#include "render/gl/gl_canvas.h"
#include "render/gl/headless_context.h"
#include "render/gl/image_export.h"
#include "support/temp_dir.h"

namespace borvik::render::gl {
namespace {

using borvik::testing::ReadBytes;
using borvik::testing::TempDir;
using borvik::testing::WriteBytes;

constexpr int kW = ColumnRenderer::kExportWidth;
constexpr int kH = ColumnRenderer::kExportHeight;

struct Rgb {
  int r, g, b;
};

struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;
  Rgb At(int column, int row) const {
    const std::uint8_t* p = &pixels[(static_cast<std::size_t>(row) * width + column) * 3];
    return {p[0], p[1], p[2]};
  }
  // The pixel where a world point lands with the camera at x = 0.
  Rgb AtWorld(float x, float y) const {
    const int column = static_cast<int>((0.7f * x + 1) / 2 * width);
    const int rowFromBottom = static_cast<int>((0.7f * y + 1) / 2 * height);
    return At(column, height - 1 - rowFromBottom);
  }
};

Picture Decode(const std::string& png) {
  Picture picture;
  int channels = 0;
  stbi_uc* data = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()),
                                        static_cast<int>(png.size()), &picture.width,
                                        &picture.height, &channels, 3);
  EXPECT_NE(data, nullptr);
  EXPECT_EQ(channels, 3);
  if (data) {
    picture.pixels.assign(data, data + picture.width * picture.height * 3);
    stbi_image_free(data);
  }
  return picture;
}

std::uint32_t BigEndian(const std::string& s, std::size_t at) {
  return (std::uint32_t(std::uint8_t(s[at])) << 24) | (std::uint32_t(std::uint8_t(s[at + 1])) << 16) |
         (std::uint32_t(std::uint8_t(s[at + 2])) << 8) | std::uint32_t(std::uint8_t(s[at + 3]));
}

class PixelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    context_ = HeadlessContext::Create(&error);
    ASSERT_NE(context_, nullptr) << error;
    canvas_ = std::make_unique<GlCanvas>();
    // The built-in textures are found from the source tree.
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(BORVIK_SOURCE_DIR);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    canvas_.reset();
    context_.reset();
  }

  std::string Render(const std::vector<model::LayerRecord>& layers, ViewOptions view = {}) {
    drawing_->Clear();
    usage_.Reset();
    for (const auto& layer : layers) AddLayerToDrawing(*drawing_, usage_, layer, view.scaleIndex);
    const Scene scene{*drawing_, usage_, catalogue_, header_, view};
    auto png = RenderPng(renderer_, *canvas_, scene);
    EXPECT_TRUE(png.has_value());
    return png.value_or("");
  }

  std::unique_ptr<HeadlessContext> context_;
  std::unique_ptr<GlCanvas> canvas_;
  ColumnRenderer renderer_;
  std::unique_ptr<DrawTable> drawing_ = std::make_unique<DrawTable>();
  LegendUsage usage_;
  settings::CategoryCatalogue catalogue_ = settings::CategoryCatalogue::Defaults();
  model::LogHeader header_;
  std::filesystem::path previous_;
};

model::LayerRecord Layer(float top, float bot, float code, int bou = 0) {
  model::LayerRecord layer;
  layer.top = top;
  layer.bot = bot;
  layer.int_ = top;
  layer.RF1 = layer.RF2 = code;
  layer.Bou = bou;
  return layer;
}

TEST_F(PixelTest, PngHasOnlyTheChunksStbWrites) {
  const std::string png = Render({});
  ASSERT_GT(png.size(), 57u);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1A\n");
  EXPECT_EQ(BigEndian(png, 8), 13u);
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(BigEndian(png, 16), 880u);
  EXPECT_EQ(BigEndian(png, 20), 831u);
  EXPECT_EQ(png.substr(24, 5), std::string("\x08\x02\x00\x00\x00", 5));
  const std::uint32_t idat = BigEndian(png, 33);
  EXPECT_EQ(png.substr(37, 4), "IDAT");
  EXPECT_EQ(png.size(), idat + 57u);
  EXPECT_EQ(png.substr(png.size() - 12, 8), std::string("\0\0\0\0IEND", 8));
}

TEST_F(PixelTest, AllWhiteRowsChooseSubOnTopAndUpBelow) {
  // Scroll far away from the log: nothing but white.
  ViewOptions view;
  view.scrollPosition = 100;
  const std::string png = Render({}, view);
  int length = 0;
  char* raw = stbi_zlib_decode_malloc(png.data() + 41, static_cast<int>(BigEndian(png, 33)), &length);
  ASSERT_NE(raw, nullptr);
  ASSERT_EQ(length, 831 * 2641);
  EXPECT_EQ(raw[0], 1);
  for (int row = 1; row < 831; ++row) ASSERT_EQ(raw[row * 2641], 2) << row;
  std::free(raw);
}

TEST_F(PixelTest, ColumnLinesAndPatternsReachThePixels) {
  // Fine sand 0-20 m with a fault at its base.
  const Picture p = Decode(Render({Layer(0, 20, model::kFineSand, model::kBaseFault)}));
  ASSERT_EQ(p.width, kW);
  ASSERT_EQ(p.height, kH);
  const float x0 = -1.3f;
  const float bottom = 1.2f - static_cast<float>(0.975621 * 20 / 10);
  // White outside the log, black on the fault line (5 pixels thick).
  EXPECT_EQ(p.At(kW - 2, 1).r, 255);
  const Rgb fault = p.AtWorld(x0 + 0.15f, bottom);
  EXPECT_LT(fault.r + fault.g + fault.b, 100);
  // The profile area right of the strip is white; the strip has sand grains.
  const Rgb profile = p.AtWorld(x0 + 0.15f, 0.8f);
  EXPECT_EQ(profile.r + profile.g + profile.b, 3 * 255);
  int dark = 0;
  for (float y = 1.1f; y > 0.2f; y -= 0.002f) {
    const Rgb c = p.AtWorld(x0 + 0.05f, y);
    dark += c.r < 240;
  }
  EXPECT_GT(dark, 0);
}

TEST_F(PixelTest, MissingPatternDrawsTheStripInTheCurrentColour) {
  TempDir dir;
  std::filesystem::create_directories(dir / "TEX" / "SYSTEM");
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(BORVIK_SOURCE_DIR) / "TEX" / "SYSTEM")) {
    if (entry.path().filename() != "sand.png") {
      std::filesystem::copy_file(entry.path(), dir / "TEX" / "SYSTEM" / entry.path().filename());
    }
  }
  // Found first in the working folder, and no picture.
  WriteBytes(dir / "TEX" / "SYSTEM" / "sand.png", "not a picture");
  std::filesystem::current_path(dir.Path());
  const Picture p = Decode(Render({Layer(0, 20, model::kFineSand)}));
  for (float y = 1.1f; y > 0.2f; y -= 0.01f) {
    const Rgb c = p.AtWorld(-1.3f + 0.05f, y);
    ASSERT_EQ(c.r + c.g + c.b, 3 * 255) << y;
  }
  std::filesystem::current_path(BORVIK_SOURCE_DIR);
}

TEST_F(PixelTest, IconsBlendOverTheColumn) {
  model::LayerRecord layer = Layer(0, 20, model::kClay);
  layer.DSe[0] = 10;
  layer.Se[0] = 1;  // parallel lamination: dark lines on transparent
  const Picture p = Decode(Render({layer}));
  const float y = 1.2f - static_cast<float>(0.975621 * 10 / 10);
  int dark = 0;
  int white = 0;
  for (float x = -1.3f + 0.16f; x < -1.3f + 0.15f + 0.09f; x += 0.002f) {
    for (float dy = -0.04f; dy < 0.04f; dy += 0.004f) {
      const Rgb c = p.AtWorld(x, y + dy);
      dark += c.r < 100;
      white += c.r == 255;
    }
  }
  EXPECT_GT(dark, 0);
  EXPECT_GT(white, 0);
}

// A strip with nothing (or one point) to draw, as an erosional base of no
// width gives, must not take the next strip with it.
TEST_F(PixelTest, AStripAfterAnEmptyOneIsDrawn) {
  const Point frame[] = {{-1, 1}, {-0.9f, 1}, {-1, 1}, {-1, 0}};
  const Point one[] = {{-0.5f, 0.5f}};
  const Point curve[] = {{0, -0.5f}, {0.2f, 0}, {0.4f, 0.5f}};
  for (const FrameMode mode : {FrameMode::kLiteral, FrameMode::kFast}) {
    for (const std::size_t before : {0u, 1u}) {
      GLuint fbo = 0, colour = 0;
      glGenFramebuffers(1, &fbo);
      glGenRenderbuffers(1, &colour);
      glBindRenderbuffer(GL_RENDERBUFFER, colour);
      glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kW, kH);
      glBindFramebuffer(GL_FRAMEBUFFER, fbo);
      glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
      canvas_->SetFrameMode(mode);
      canvas_->BeginFrame(kW, kH);
      canvas_->ResetEntryState();
      canvas_->BeginEntry(kW, kH, 0);
      canvas_->SetColor(0, 0, 0);
      canvas_->Lines(frame);
      canvas_->LineStrip(std::span(one, before));
      canvas_->LineStrip(curve);
      canvas_->EndEntry();
      canvas_->EndFrame();
      // The middle of the curve's first segment.
      const int x = static_cast<int>((0.7f * 0.1f + 1) / 2 * kW);
      int dark = 0;
      for (int y = 0; y < kH; ++y) {
        std::uint8_t p[4];
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        dark += p[0] < 128;
      }
      EXPECT_GT(dark, 0) << (mode == FrameMode::kFast ? "fast" : "literal") << ", " << before;
      glBindFramebuffer(GL_FRAMEBUFFER, 0);
      glDeleteRenderbuffers(1, &colour);
      glDeleteFramebuffers(1, &fbo);
    }
  }
}

TEST_F(PixelTest, ExportReplacesTheFileWhole) {
  TempDir dir;
  const auto path = dir / "log.png";
  const Scene scene{*drawing_, usage_, catalogue_, header_, ViewOptions{}};
  ASSERT_TRUE(ExportImage(renderer_, *canvas_, scene, path));
  const std::string first = ReadBytes(path);
  ASSERT_TRUE(ExportImage(renderer_, *canvas_, scene, path));
  EXPECT_EQ(ReadBytes(path), first);
  const files::Status failed = ExportImage(renderer_, *canvas_, scene, dir / "no" / "x.png");
  ASSERT_TRUE(failed.Is(files::ErrorKind::kCannotOpen));
  EXPECT_EQ(failed.error->errnum, ENOENT);
}

}  // namespace
}  // namespace borvik::render::gl
