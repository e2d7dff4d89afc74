#pragma once
// Everything a step can change, as the user and the disk see it: the
// layers and counters, name and elevation, the form and every control, the
// entry mode, the drawing, the legend, the work file's bytes and the
// window's title. Undo must bring all of it back.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_harness.h"

namespace borvik::editor::testing {

struct ObservedState {
  model::LogHeader header;
  std::vector<model::LayerRecord> layers;  // slots 1..n
  int currentLayer = 0;
  int layerCount = 0;
  int nextFreeSlot = 0;
  model::LayerForm form;
  MainWindowState window;
  EntryMode mode = EntryMode::Append;
  std::vector<render::DrawEntry> drawing;  // entries 1..EntryCount
  int lastEntry = 0;
  render::LegendUsage legend;
  bool workFileStarted = false;
  std::string workFile;
  std::string title;
  std::filesystem::path file;

  friend bool operator==(const ObservedState&, const ObservedState&) = default;
};

inline ObservedState Observe(Editor& e) {
  const Session& s = *e.session;
  ObservedState o;
  o.header = s.Log().header;
  const model::LayerTable& layers = s.Log().layers;
  for (int slot = 1; slot <= layers.LayerCount(); ++slot) o.layers.push_back(layers.Get(slot));
  o.currentLayer = layers.CurrentLayer();
  o.layerCount = layers.LayerCount();
  o.nextFreeSlot = layers.NextFreeSlot();
  o.form = s.Log().form;
  o.window = s.State();
  o.mode = s.Mode();
  for (int i = 1; i <= s.Drawing().EntryCount(); ++i) o.drawing.push_back(s.Drawing().Entry(i));
  o.lastEntry = s.Drawing().LastEntry();
  o.legend = s.Legend();
  o.workFileStarted = s.WorkFileStarted();
  o.workFile = e.WorkFile();
  o.title = s.WindowTitle();
  o.file = s.File();
  return o;
}

// Field by field, so that a failure says which part differs.
inline void ExpectSameState(const ObservedState& actual, const ObservedState& expected) {
  EXPECT_EQ(actual.header.name, expected.header.name);
  EXPECT_EQ(actual.header.elevation, expected.header.elevation);
  EXPECT_EQ(actual.layerCount, expected.layerCount);
  EXPECT_TRUE(actual.layers == expected.layers) << "layers differ";
  EXPECT_EQ(actual.currentLayer, expected.currentLayer);
  EXPECT_EQ(actual.nextFreeSlot, expected.nextFreeSlot);
  EXPECT_TRUE(actual.form == expected.form) << "form values differ";
  EXPECT_EQ(actual.window.recordLabel, expected.window.recordLabel);
  EXPECT_EQ(actual.window.top, expected.window.top);
  EXPECT_EQ(actual.window.bot, expected.window.bot);
  EXPECT_EQ(actual.window.name, expected.window.name);
  EXPECT_TRUE(actual.window == expected.window) << "controls differ";
  EXPECT_EQ(actual.mode, expected.mode);
  EXPECT_EQ(actual.drawing.size(), expected.drawing.size());
  EXPECT_TRUE(actual.drawing == expected.drawing) << "drawing entries differ";
  EXPECT_EQ(actual.lastEntry, expected.lastEntry);
  EXPECT_TRUE(actual.legend == expected.legend) << "legend flags differ";
  EXPECT_EQ(actual.workFileStarted, expected.workFileStarted);
  EXPECT_EQ(actual.workFile, expected.workFile);
  EXPECT_EQ(actual.title, expected.title);
  EXPECT_EQ(actual.file, expected.file);
}

}  // namespace borvik::editor::testing
