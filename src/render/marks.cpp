#include "render/marks.h"

#include <algorithm>

#include "model/codes.h"
#include "render/shapes.h"

namespace borvik::render {
namespace {

// An icon quad centred on y = 1.2, from `left` to `left + 0.08`, drawn moved
// down to its depth'.
void DrawIcon(Canvas& canvas, std::string_view path, float left, float depth) {
  canvas.LoadTexture(path, TextureLoader::Rgba);
  canvas.SetTexturing(true);
  canvas.PushMatrix();
  canvas.Translate(0, -depth);
  canvas.Quad(UprightImageQuad(left, 1.16f, left + 0.08f, 1.24f));
  canvas.PopMatrix();
  canvas.SetTexturing(false);
}

template <std::size_t N, std::size_t Slots>
void DrawIcons(Canvas& canvas, const std::array<std::int32_t, N>& kinds,
               const std::array<float, N>& depths,
               const std::array<settings::CategoryEntry, Slots>& slots, float left) {
  for (std::size_t i = 0; i < N; ++i) {
    const std::int32_t kind = kinds[i];
    if (kind < 1 || kind > static_cast<std::int32_t>(Slots)) continue;
    DrawIcon(canvas, slots[kind - 1].texturePath, left, depths[i]);
  }
}

float Rmax(const EntryValues& v) { return std::max(v.RF1, v.RF2); }

}  // namespace

void DrawStructureIcons(Canvas& canvas, const DrawEntry& entry, const EntryValues& v,
                        const settings::CategoryCatalogue& catalogue) {
  DrawIcons(canvas, entry.Se, v.DSe, catalogue.structures, v.x0 + Rmax(v) + 0.01f);
}

void DrawFeatureIcons(Canvas& canvas, const DrawEntry& entry, const EntryValues& v,
                      const settings::CategoryCatalogue& catalogue) {
  DrawIcons(canvas, entry.Ec, v.DEc, catalogue.features, v.x0 + Rmax(v) + 0.11f);
}

void DrawSamples(Canvas& canvas, const DrawEntry& entry, const EntryValues& v) {
  for (int i = 0; i < model::kSampleMarks; ++i) {
    if (entry.Sa[i] != 1) continue;
    canvas.PushMatrix();
    canvas.Translate(0, -v.DSa[i]);
    canvas.Triangle({v.x0, 1.2f}, {v.x0 - 0.03f, 1.21f}, {v.x0 - 0.03f, 1.19f});
    canvas.PopMatrix();
  }
}

}  // namespace borvik::render
