// Every rule of data entry, in the order the editor checks them, with the
// message the user sees.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/messages.h"
#include "editor_harness.h"

namespace borvik::editor {
namespace {

using testing::Editor;
using namespace testing;

struct Mark {
  int index;  // 0-based
  std::string depth;
  int kind;   // list position, -1 for a list without selection
};

// What the user typed, ticked and chose before pressing データ入力.
struct Typed {
  std::string name = "B-1";
  std::string elevation = "12.5";
  std::string top = "0";
  std::string bot = "2";
  std::string int_ = "0";
  int scale = 1;
  int str = 0;
  std::vector<int> boxes{kClayBox};
  int rockQuality = 0;
  std::vector<Mark> structures;
  std::vector<Mark> features;
  std::vector<Mark> samples;
};

void Apply(Editor& e, const Typed& t) {
  MainWindowState& s = e.State();
  e.TypeHeader(t.name, t.elevation);
  e.TypeDepths(t.top, t.bot);
  s.int_ = t.int_;
  s.scale.selection = t.scale;
  s.lithologyChange.selection = t.str;
  for (int box : t.boxes) e.Tick(box);
  s.rockQuality = t.rockQuality;
  for (const Mark& m : t.structures) {
    s.structureDepths[m.index] = m.depth;
    s.structureKinds[m.index].selection = m.kind;
  }
  for (const Mark& m : t.features) {
    s.featureDepths[m.index] = m.depth;
    s.featureKinds[m.index].selection = m.kind;
  }
  for (const Mark& m : t.samples) s.sampleDepths[m.index] = m.depth;
}

std::string S(std::string_view text) { return std::string(text); }

Typed Graded(int str, std::string int_) {
  Typed t;
  t.top = "5";
  t.bot = "10";
  t.int_ = std::move(int_);
  t.str = str;
  t.boxes = {kClayBox, kCoarseSandBox};
  return t;
}

Typed Layer5To10() {
  Typed t;
  t.top = "5";
  t.bot = "10";
  return t;
}

template <typename F>
Typed With(Typed t, F change) {
  change(t);
  return t;
}

struct Case {
  std::string label;
  Typed typed;
  std::vector<std::string> messages;  // everything shown, in order
  bool accepted;
  std::string botBoxAfter = {};       // checked when not empty
  std::function<void(const model::LayerRecord&)> stored = {};
};

TEST(ValidateForm, EveryRuleInOrder) {
  const std::string midpoint750 = "岩相が変化する深度を中点の  7.50 に設定します\n";
  const std::vector<Case> cases = {
      // 1. name and elevation
      {"empty name", With(Typed{}, [](Typed& t) { t.name = ""; }), {S(kNeedNameMessage)}, false},
      {"elevation exactly 0", With(Typed{}, [](Typed& t) { t.elevation = "0"; }),
       {S(kNeedNameMessage)}, false},
      {"name rule comes before the thickness rule",
       With(Typed{}, [](Typed& t) { t.name = "", t.bot = "30"; }), {S(kNeedNameMessage)}, false,
       "30"},
      // 2. thickness, by scale; bot shown as 0 after a refusal
      {"1/100: 25 m passes", With(Typed{}, [](Typed& t) { t.bot = "25"; }), {}, true},
      {"1/100: 25.5 m refused", With(Typed{}, [](Typed& t) { t.bot = "25.5"; }),
       {S(kThicknessMessages[1])}, false, "0"},
      {"1/100: thickness is bot - top", With(Typed{}, [](Typed& t) { t.top = "10", t.bot = "35"; }),
       {}, true},
      {"1/50: 12.5 m passes", With(Typed{}, [](Typed& t) { t.scale = 0, t.bot = "12.5"; }), {},
       true},
      {"1/50: 12.6 m refused with the 13m message",
       With(Typed{}, [](Typed& t) { t.scale = 0, t.bot = "12.6"; }), {S(kThicknessMessages[0])},
       false, "0"},
      {"1/200: 50 m passes", With(Typed{}, [](Typed& t) { t.scale = 2, t.bot = "50"; }), {}, true},
      {"1/200: 50.5 m refused", With(Typed{}, [](Typed& t) { t.scale = 2, t.bot = "50.5"; }),
       {S(kThicknessMessages[2])}, false, "0"},
      {"1/400: 100 m passes", With(Typed{}, [](Typed& t) { t.scale = 3, t.bot = "100"; }), {}, true},
      {"1/400: 100.5 m refused", With(Typed{}, [](Typed& t) { t.scale = 3, t.bot = "100.5"; }),
       {S(kThicknessMessages[3])}, false, "0"},
      {"no scale selected counts as 1/50",
       With(Typed{}, [](Typed& t) { t.scale = -1, t.bot = "12.6"; }), {S(kThicknessMessages[0])},
       false, "0"},
      // 3. bottom
      {"bot 0", With(Typed{}, [](Typed& t) { t.bot = "0"; }), {S(kNeedBottomMessage)}, false},
      // 4. negatives
      {"negative top", With(Typed{}, [](Typed& t) { t.top = "-1"; }), {S(kNegativeMessage)}, false},
      {"negative bot", With(Typed{}, [](Typed& t) { t.top = "-5", t.bot = "-1"; }),
       {S(kNegativeMessage)}, false},
      {"negative int", With(Typed{}, [](Typed& t) { t.int_ = "-0.5"; }), {S(kNegativeMessage)},
       false},
      // 6. lithology counts
      {"Str 0, two sediments", With(Typed{}, [](Typed& t) { t.boxes = {kClayBox, kSiltBox}; }),
       {S(kTooManyLithologiesMessage)}, false},
      {"Str 0, two bedrocks",
       With(Typed{}, [](Typed& t) { t.boxes = {kSedimentaryRockBox, kLimestoneBox}; }),
       {S(kTooManyLithologiesMessage)}, false},
      {"Str 0, sediment and bedrock",
       With(Typed{}, [](Typed& t) { t.boxes = {kClayBox, kSedimentaryRockBox}; }),
       {S(kTooManyLithologiesMessage)}, false},
      {"counts come before depth order",
       With(Typed{}, [](Typed& t) { t.top = "5", t.bot = "3", t.boxes = {kClayBox, kSiltBox}; }),
       {S(kTooManyLithologiesMessage)}, false},
      {"Str 1, three sediments",
       With(Graded(1, "0"), [](Typed& t) { t.boxes = {kClayBox, kSiltBox, kFineSandBox}; }),
       {S(kTooManyLithologiesMessage)}, false},
      {"Str 1, sediment and bedrock",
       With(Graded(1, "0"), [](Typed& t) { t.boxes = {kClayBox, kSedimentaryRockBox}; }),
       {S(kMixedLithologiesMessage)}, false},
      {"Str 1, bedrock only",
       With(Graded(1, "0"), [](Typed& t) { t.boxes = {kSedimentaryRockBox}; }),
       {S(kGradedBedrockMessage)}, false},
      // 7. depth of the lithology change
      {"Str 1, one lithology", With(Graded(1, "0"), [](Typed& t) { t.boxes = {kClayBox}; }),
       {S(kNeedTwoLithologiesMessage)}, false},
      {"Str 2, no lithology", With(Graded(2, "0"), [](Typed& t) { t.boxes = {}; }),
       {S(kNeedTwoLithologiesMessage)}, false},
      {"Str 0, bot above top", With(Typed{}, [](Typed& t) { t.top = "5", t.bot = "3"; }),
       {S(kCheckDepthsMessage)}, false},
      {"Str 0 sets int to top", With(Layer5To10(), [](Typed& t) { t.int_ = "7"; }), {}, true, "",
       [](const model::LayerRecord& l) { EXPECT_EQ(l.int_, 5.0f); }},
      {"zero thickness without lithology",
       With(Typed{}, [](Typed& t) { t.top = "5", t.bot = "5", t.boxes = {}; }), {}, true, "",
       [](const model::LayerRecord& l) {
         EXPECT_EQ(l.int_, 5.0f);
         EXPECT_EQ(l.RF1, 0.0f);
         EXPECT_EQ(l.RF2, 0.0f);
       }},
      {"graded, int 0: midpoint, informs and goes on", Graded(1, "0"), {midpoint750}, true, "",
       [](const model::LayerRecord& l) {
         EXPECT_EQ(l.int_, 7.5f);
         EXPECT_EQ(l.RF1, 0.15f);
         EXPECT_EQ(l.RF2, 0.21f);
       }},
      {"inverse graded puts the coarser lithology on top", Graded(2, "0"), {midpoint750}, true, "",
       [](const model::LayerRecord& l) {
         EXPECT_EQ(l.RF1, 0.21f);
         EXPECT_EQ(l.RF2, 0.15f);
       }},
      {"graded, int inside is kept", Graded(1, "6"), {}, true, "",
       [](const model::LayerRecord& l) { EXPECT_EQ(l.int_, 6.0f); }},
      {"graded, int at top is not inside", Graded(1, "5"), {midpoint750}, true},
      {"graded, int at bot is not inside", Graded(1, "10"), {midpoint750}, true},
      {"graded, int below the layer", Graded(1, "12"), {midpoint750}, true},
      {"midpoint padded to five characters only",
       With(Graded(1, "0"), [](Typed& t) { t.top = "10", t.bot = "30"; }),
       {"岩相が変化する深度を中点の 20.00 に設定します\n"}, true},
      {"Str list typed over: no int rule",
       With(Layer5To10(), [](Typed& t) { t.str = -1, t.int_ = "3"; }), {}, true, "",
       [](const model::LayerRecord& l) {
         EXPECT_EQ(l.Str, -1);
         EXPECT_EQ(l.int_, 3.0f);
       }},
      // 8. loam
      {"loam with silt", With(Typed{}, [](Typed& t) { t.rockQuality = 1, t.boxes = {kSiltBox}; }),
       {}, true, "", [](const model::LayerRecord& l) { EXPECT_EQ(l.RFe, 1); }},
      {"loam with mud and sand graded",
       With(Graded(1, "7"), [](Typed& t) { t.rockQuality = 1, t.boxes = {kClayBox, kFineSandBox}; }),
       {}, true},
      {"loam with granule",
       With(Typed{}, [](Typed& t) { t.rockQuality = 1, t.boxes = {kGranuleBox}; }),
       {S(kLoamyMessage)}, false},
      {"loam with fine ash",
       With(Typed{}, [](Typed& t) { t.rockQuality = 1, t.boxes = {kFineAshBox}; }),
       {S(kLoamyMessage)}, false},
      {"loam with bedrock",
       With(Typed{}, [](Typed& t) { t.rockQuality = 1, t.boxes = {kSedimentaryRockBox}; }),
       {S(kLoamyMessage)}, false},
      {"loam comes before the marks",
       With(Layer5To10(),
            [](Typed& t) {
              t.rockQuality = 1, t.boxes = {kGranuleBox}, t.structures = {{0, "3", 1}};
            }),
       {S(kLoamyMessage)}, false},
      // 9. marks: range inclusive, then kind, mark by mark
      {"structure 2 above the layer",
       With(Layer5To10(), [](Typed& t) { t.structures = {{1, "3", 1}}; }),
       {S(kStructureRangeMessages[1])}, false},
      {"structure 2 at top and structure 3 at bot",
       With(Layer5To10(), [](Typed& t) { t.structures = {{1, "5", 1}, {2, "10", 2}}; }), {}, true,
       "",
       [](const model::LayerRecord& l) {
         EXPECT_EQ(l.Se[1], 1);
         EXPECT_EQ(l.Se[2], 2);
         EXPECT_EQ(l.DSe[2], 10.0f);
       }},
      {"structure 4 below the layer",
       With(Layer5To10(), [](Typed& t) { t.structures = {{3, "10.5", 1}}; }),
       {S(kStructureRangeMessages[3])}, false},
      {"structure 1 without a kind",
       With(Layer5To10(), [](Typed& t) { t.structures = {{0, "6", -1}}; }),
       {S(kStructureKindMessages[0])}, false},
      {"structure 1's kind before structure 2's range",
       With(Layer5To10(), [](Typed& t) { t.structures = {{0, "6", -1}, {1, "3", 1}}; }),
       {S(kStructureKindMessages[0])}, false},
      {"structure on the empty entry passes and stays 0",
       With(Layer5To10(), [](Typed& t) { t.structures = {{0, "6", 0}}; }), {}, true, "",
       [](const model::LayerRecord& l) { EXPECT_EQ(l.Se[0], 0); }},
      {"kind chosen without a depth is stored as 0",
       With(Layer5To10(), [](Typed& t) { t.structures = {{0, "-1", 3}}, t.features = {{2, "-1", 4}}; }),
       {}, true, "",
       [](const model::LayerRecord& l) {
         EXPECT_EQ(l.Se[0], 0);
         EXPECT_EQ(l.DSe[0], -1.0f);
         EXPECT_EQ(l.Ec[2], 0);
       }},
      {"structures before features",
       With(Layer5To10(), [](Typed& t) { t.structures = {{0, "4", 1}}, t.features = {{0, "11", 1}}; }),
       {S(kStructureRangeMessages[0])}, false},
      {"feature 3 below the layer",
       With(Layer5To10(), [](Typed& t) { t.features = {{2, "11", 1}}; }),
       {S(kFeatureRangeMessages[2])}, false},
      {"feature 1 without a kind", With(Layer5To10(), [](Typed& t) { t.features = {{0, "6", -1}}; }),
       {S(kFeatureKindMessages[0])}, false},
      {"sample 3 outside, sample 1 inside",
       With(Layer5To10(), [](Typed& t) { t.samples = {{0, "6", 0}, {2, "11", 0}}; }),
       {S(kSampleRangeMessages[2])}, false},
      {"sample 4 just above", With(Layer5To10(), [](Typed& t) { t.samples = {{3, "4.99", 0}}; }),
       {S(kSampleRangeMessages[3])}, false},
      {"samples at both ends are taken",
       With(Layer5To10(), [](Typed& t) { t.samples = {{0, "5", 0}, {3, "10", 0}}; }), {}, true, "",
       [](const model::LayerRecord& l) {
         EXPECT_EQ(l.Sa, (std::array<std::int32_t, 4>{1, 0, 0, 1}));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Editor e;
    Apply(e, c.typed);
    const EntryResult result = e.session->EnterLayer();
    EXPECT_EQ(e.ui.messages, c.messages);
    EXPECT_EQ(result.accepted, c.accepted);
    EXPECT_EQ(e.session->Log().layers.LayerCount(), c.accepted ? 1 : 0);
    if (!c.accepted && !c.messages.empty()) {
      EXPECT_EQ(result.refusal, c.messages.back());
    }
    if (!c.botBoxAfter.empty()) {
      EXPECT_EQ(e.State().bot, c.botBoxAfter);
    }
    if (c.accepted && c.stored) c.stored(e.session->Log().layers.Get(1));
  }
}

// A refused entry keeps what the user typed (read back as the box shows
// numbers), so the user corrects it and presses again.
TEST(ValidateForm, RefusedEntryKeepsTheFormForTheNextPress) {
  Editor e;
  Apply(e, With(Layer5To10(), [](Typed& t) {
          t.boxes = {kClayBox, kSiltBox};
          t.structures = {{0, "6.50", 2}};
        }));
  EXPECT_FALSE(e.session->EnterLayer().accepted);
  EXPECT_EQ(e.State().top, "5");
  EXPECT_EQ(e.State().structureDepths[0], "6.5");
  EXPECT_EQ(e.State().structureKinds[0].selection, 2);
  EXPECT_TRUE(e.State().CheckBox(kSiltBox)->checked);
  e.State().CheckBox(kSiltBox)->checked = false;
  EXPECT_TRUE(e.session->EnterLayer().accepted);
  const model::LayerRecord stored = e.session->Log().layers.Get(1);
  EXPECT_EQ(stored.top, 5.0f);
  EXPECT_EQ(stored.DSe[0], 6.5f);
  EXPECT_EQ(stored.Se[0], 2);
}

TEST(ResolveLithology, BoxesBecomeCodes) {
  const struct {
    std::vector<int> boxes;
    int str;
    float rf1, rf2;
  } cases[] = {
      {{}, 0, 0.0f, 0.0f},
      {{kFineAshBox}, 0, 0.1799f, 0.1799f},
      {{kVeryFineSandBox}, 0, 0.18f, 0.18f},
      {{kCoarseSandBox, kClayBox}, 1, 0.15f, 0.21f},
      {{kCoarseSandBox, kClayBox}, 2, 0.21f, 0.15f},
      {{kFineAshBox, kVeryFineSandBox}, 1, 0.1799f, 0.18f},
      {{kLimestoneBox}, 0, 0.29f, 0.32f},
      {{1099}, 0, 0.29f, 0.36f},
  };
  for (const auto& c : cases) {
    Editor e;
    Typed t;
    t.boxes = c.boxes;
    t.str = c.str;
    t.int_ = "1";
    Apply(e, t);
    ASSERT_TRUE(e.session->EnterLayer().accepted) << e.ui.messages.front();
    const model::LayerRecord stored = e.session->Log().layers.Get(1);
    EXPECT_EQ(stored.RF1, c.rf1) << c.boxes.size() << " boxes, Str " << c.str;
    EXPECT_EQ(stored.RF2, c.rf2) << c.boxes.size() << " boxes, Str " << c.str;
  }
}

}  // namespace
}  // namespace borvik::editor
