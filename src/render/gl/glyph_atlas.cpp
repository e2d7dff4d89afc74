#include "render/gl/glyph_atlas.h"

#include <array>
#include <cstdint>

#include "render/bitmap_text.h"
#include "render/glyph_font.h"

namespace borvik::render::gl {
namespace {

constexpr int kCellsPerRow = GlyphAtlas::kSize / GlyphAtlas::kCell;
constexpr int kCellCount = kCellsPerRow * kCellsPerRow;

}  // namespace

GlyphAtlas::~GlyphAtlas() {
  if (texture_ != 0) glDeleteTextures(1, &texture_);
}

std::optional<GlyphAtlas::Cell> GlyphAtlas::CellOf(int slot) {
  if (texture_ == 0) {
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, kSize, kSize, 0, GL_ALPHA, GL_UNSIGNED_BYTE, nullptr);
    // One texel per pixel: nothing filtered, nothing repeated.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    cells_.assign(kGlyphSlotCount, -1);
  }
  glBindTexture(GL_TEXTURE_2D, texture_);
  if (slot < 0 || slot >= kGlyphSlotCount) return std::nullopt;
  int& cell = cells_[slot];
  if (cell < 0) {
    if (used_ == kCellCount) return std::nullopt;
    cell = used_++;
    const std::span<const std::uint8_t> rows = DecodedGlyph(slot);
    const int rowBytes = slot < kHalfWidthSlotCount ? 1 : 2;
    std::array<std::uint8_t, kCell * kCell> texels{};
    for (int j = 0; j < kCell; ++j) {
      const std::size_t row = static_cast<std::size_t>(kCell - 1 - j) * rowBytes;
      for (int i = 0; i < 8 * rowBytes; ++i) {
        const bool on = (rows[row + i / 8] >> (7 - i % 8)) & 1;
        texels[j * kCell + i] = on ? 255 : 0;
      }
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, (cell % kCellsPerRow) * kCell, (cell / kCellsPerRow) * kCell,
                    kCell, kCell, GL_ALPHA, GL_UNSIGNED_BYTE, texels.data());
    // The bitmap path relies on the default alignment.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  }
  return Cell{(cell % kCellsPerRow) * kCell, (cell / kCellsPerRow) * kCell};
}

}  // namespace borvik::render::gl
