// What a fast frame skips: entries whose drawing cannot reach the picture,
// sheet axes and captions that a later entry draws again, the log name but
// once. The reach of an entry must hold everything it draws, whatever its
// values.

#include "render/frame_reach.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "render/axis.h"
#include "render/legend.h"
#include "render/recording_canvas.h"
#include "support/random_log.h"

namespace borvik::render {
namespace {

using borvik::testing::Random;
using borvik::testing::RandomLayer;

// The world x of every vertex and raster position in the ops, each block
// between BeginEntry and EndEntry apart.
std::vector<std::vector<double>> XsPerEntry(const RecordingCanvas& canvas) {
  std::vector<std::vector<double>> blocks;
  std::vector<float> stack{0};
  for (const CanvasOp& any : canvas.Ops()) {
    if (std::holds_alternative<op::BeginEntry>(any)) {
      blocks.emplace_back();
      stack = {0};
    }
    if (blocks.empty()) continue;
    auto& xs = blocks.back();
    auto add = [&](float x) { xs.push_back(double{x} + stack.back()); };
    if (std::holds_alternative<op::PushMatrix>(any)) stack.push_back(stack.back());
    if (std::holds_alternative<op::PopMatrix>(any) && stack.size() > 1) stack.pop_back();
    if (const auto* t = std::get_if<op::Translate>(&any)) stack.back() += t->x;
    if (const auto* q = std::get_if<op::Quad>(&any)) {
      for (const TexPoint& c : q->corners) add(c.x);
    }
    for (const std::vector<Point>* points :
         {std::get_if<op::Lines>(&any) ? &std::get<op::Lines>(any).points : nullptr,
          std::get_if<op::LineStrip>(&any) ? &std::get<op::LineStrip>(any).points : nullptr,
          std::get_if<op::LineLoop>(&any) ? &std::get<op::LineLoop>(any).points : nullptr}) {
      if (points) {
        for (const Point& p : *points) add(p.x);
      }
    }
    if (const auto* tr = std::get_if<op::Triangle>(&any)) {
      for (const Point& p : {tr->a, tr->b, tr->c}) add(p.x);
    }
    if (const auto* b = std::get_if<op::Bitmap>(&any)) add(b->x);
  }
  return blocks;
}

EntryValues ValuesOf(const DrawTable& table, int e) {
  EntryValues v;
  v.x = table.Entry(e).x;
  v.x0 = v.x - 1.3f;
  v.RF1 = table.Entry(e).RF1;
  v.RF2 = table.Entry(e).RF2;
  v.prevRF2 = e > 0 ? table.Entry(e - 1).RF2 : 0.0f;
  return v;
}

// Layers no form lets through: any width, any depth.
model::LayerRecord ExtremeLayer(Random& r, float top, float sheet) {
  model::LayerRecord layer;
  layer.top = top;
  layer.bot = top + static_cast<float>(r.Wide(0, 3 * sheet));
  layer.int_ = static_cast<float>(r.Wide(-10, 1e5));
  layer.Str = r.Int(-2, 3);
  layer.Bou = r.Int(-1, 4);
  layer.RF1 = static_cast<float>(r.Wide(-1e4, 1e4));
  layer.RF2 = static_cast<float>(r.Chance(0.5) ? r.Wide(-3, 3) : r.Wide(-1e6, 1e6));
  layer.RFe = r.Int(0, 5);
  layer.Wea = r.Int(0, 4);
  for (int k = 0; k < 4; ++k) {
    layer.DSe[k] = static_cast<float>(r.Wide(-1e6, 1e6));
    layer.Se[k] = r.Int(1, 7);
    layer.DSa[k] = static_cast<float>(r.Wide(-1e6, 1e6));
    layer.Sa[k] = 1;
  }
  for (int k = 0; k < 3; ++k) {
    layer.DEc[k] = static_cast<float>(r.Wide(-1e6, 1e6));
    layer.Ec[k] = r.Int(1, 9);
  }
  return layer;
}

TEST(EntryReach, HoldsEverythingAnEntryDraws) {
  for (unsigned seed = 1; seed <= 200; ++seed) {
    Random r(seed);
    ViewOptions view;
    view.scaleIndex = r.Int(0, 3);
    view.elevationLabels = r.Chance(0.5);
    const float sheet = static_cast<float>(model::kScales[view.scaleIndex].sheetLength);
    auto drawing = std::make_unique<DrawTable>();
    LegendUsage usage;
    float top = r.Chance(0.2) ? static_cast<float>(r.Wide(0, 1e6)) : 0.0f;
    // Extreme widths draw thousands of hatch lines: a few such layers suffice.
    const bool extreme = seed % 4 == 0;
    for (int i = r.Int(1, extreme ? 6 : 30); i > 0; --i) {
      const model::LayerRecord layer =
          extreme ? ExtremeLayer(r, top, sheet) : RandomLayer(r, top, sheet);
      AddLayerToDrawing(*drawing, usage, layer, view.scaleIndex);
      top = layer.bot;
    }
    const settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
    const model::LogHeader header{"", static_cast<float>(r.Wide(-1e9, 1e9))};
    RecordingCanvas canvas;
    ColumnRenderer literal;
    literal.RenderLog(canvas, {*drawing, usage, catalogue, header, view}, 880, 831);
    const auto blocks = XsPerEntry(canvas);
    ASSERT_EQ(static_cast<int>(blocks.size()), drawing->LastEntry() + 1);
    for (int e = 0; e <= drawing->LastEntry(); ++e) {
      const WorldRange reach = EntryReach(ValuesOf(*drawing, e));
      for (const double x : blocks[e]) {
        ASSERT_TRUE(x >= reach.min && x <= reach.max)
            << "seed " << seed << " entry " << e << ": " << x << " outside " << reach.min << " to "
            << reach.max;
      }
    }
  }
}

TEST(LegendReach, HoldsTheWholeLegendWithLongNames) {
  auto drawing = std::make_unique<DrawTable>();
  LegendUsage usage;
  usage.mud = usage.sand = usage.gravel = usage.fineAsh = usage.coarseAsh = usage.lapilli =
      usage.volcanicBomb = usage.clearBase = usage.indistinctBase = usage.erosionalBase =
          usage.fault = usage.loamy = usage.humic = usage.organic = usage.calcareous =
              usage.reddened = usage.browned = usage.mottled = usage.samples = true;
  usage.bedrock.fill(true);
  usage.structures.fill(true);
  usage.features.fill(true);
  for (const std::size_t length : {0, 5, 40, 600}) {
    settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
    catalogue.features[8].name = std::string(length, 'W');
    catalogue.bedrock[0].name = std::string(length / 3, '\xE5') + "岩";
    const model::LogHeader header;
    const ViewOptions view;
    EntryValues v;
    v.x = 2.1f;
    v.x0 = v.x - 1.3f;
    RecordingCanvas canvas;
    canvas.BeginEntry(880, 831, 0);
    DrawLegend(canvas, v, {*drawing, usage, catalogue, header, view});
    const WorldRange reach = LegendReach(v, catalogue);
    const auto blocks = XsPerEntry(canvas);
    ASSERT_EQ(blocks.size(), 1u);
    for (const double x : blocks[0]) {
      EXPECT_TRUE(x >= reach.min && x <= reach.max) << length << ": " << x;
    }
  }
}

}  // namespace
}  // namespace borvik::render
