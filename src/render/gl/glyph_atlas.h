#pragma once
// The glyphs of the bitmap font in one alpha texture, each in a 16 x 16
// cell, added on first use: text drawn as textured quads instead of one
// raster position and one bitmap per glyph.

#include <GL/glew.h>

#include <optional>
#include <vector>

namespace borvik::render::gl {

class GlyphAtlas {
 public:
  static constexpr int kSize = 1024;  // texels across and down
  static constexpr int kCell = 16;

  GlyphAtlas() = default;
  ~GlyphAtlas();
  GlyphAtlas(const GlyphAtlas&) = delete;
  GlyphAtlas& operator=(const GlyphAtlas&) = delete;

  struct Cell {
    int s = 0;  // lower-left texel
    int t = 0;
  };
  // The cell of a font slot, its glyph uploaded on first use: texel (i, j)
  // of the cell is the glyph's pixel i from the left in row j from the
  // bottom, alpha 1 where the glyph is drawn. nullopt when the atlas is
  // full. Binds the atlas texture.
  std::optional<Cell> CellOf(int slot);
  GLuint Texture() const { return texture_; }

 private:
  GLuint texture_ = 0;
  std::vector<int> cells_;  // by slot: cell number, or -1
  int used_ = 0;
};

}  // namespace borvik::render::gl
