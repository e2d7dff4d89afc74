// The entry rules as a decision on their own: what a stored layer looks like
// in the form, and what a press of データ入力 makes of it, without a window,
// files or messages.

#include "editor/entry_rules.h"

#include <gtest/gtest.h>

#include "editor/messages.h"

namespace borvik::editor {
namespace {

model::LayerRecord Layer(float top, float bot, model::LithologyCode rf1, model::LithologyCode rf2,
                         std::int32_t str = model::kNoChange) {
  model::LayerRecord layer;
  layer.top = top;
  layer.bot = bot;
  layer.int_ = top;
  layer.RF1 = rf1;
  layer.RF2 = rf2;
  layer.Str = str;
  return layer;
}

const model::LogHeader kHeader{"B-1", 12.5f};

// A layer shown in the form and entered again comes back as it was stored,
// for every kind of lithology the boxes can give.
TEST(DecideEntry, AStoredLayerShownAndEnteredComesBackTheSame) {
  model::LayerRecord marks = Layer(2, 6, model::kFineSand, model::kFineSand);
  marks.RFe = model::kQualityHumic;
  marks.Wea = model::kMottled;
  marks.DSe[1] = 3;
  marks.Se[1] = 4;
  marks.DEc[2] = 5;
  marks.Ec[2] = 9;
  marks.DSa[3] = 6;
  marks.Sa[3] = 1;
  model::LayerRecord graded = Layer(0, 4, model::kClay, model::kCoarseSand, model::kGraded);
  graded.int_ = 1.5f;
  model::LayerRecord inverse = Layer(0, 4, model::kCoarseSand, model::kClay, model::kInverseGraded);
  inverse.int_ = 2.5f;
  const model::LayerRecord layers[] = {
      Layer(0, 2, model::kNoLithology, model::kNoLithology),
      Layer(0, 2, model::kFineAsh, model::kFineAsh),
      Layer(0, 25, model::kBedrockWidth, model::kHypabyssalRock),
      marks,
      graded,
      inverse,
  };
  for (const model::LayerRecord& layer : layers) {
    const EntryDecision d = DecideEntry(FormShowing(layer, kHeader, model::kDefaultScaleIndex));
    ASSERT_TRUE(d.Accepted()) << d.refusal->message;
    EXPECT_EQ(d.form, layer) << layer.RF1;
    EXPECT_FALSE(d.midpoint);
    EXPECT_EQ(d.scaleIndex, model::kDefaultScaleIndex);
  }
}

TEST(DecideEntry, DerivesTheCodesTheFormDoesNotHold) {
  EntryForm in = FormShowing(Layer(0, 4, 0, 0), kHeader, 1);
  in.lithology[3] = true;  // fine sand
  in.lithology[0] = true;  // clay
  in.lithologyChange = model::kInverseGraded;
  in.values.int_ = 0;                // no usable change depth: the midpoint, and said so
  in.structureKinds = {3, 0, 0, 0};  // chosen, but no depth: stored as none
  in.values.DSa[2] = 1;
  const EntryDecision d = DecideEntry(in);
  ASSERT_TRUE(d.Accepted());
  EXPECT_EQ(d.form.RF1, model::kFineSand);  // the coarser on top
  EXPECT_EQ(d.form.RF2, model::kClay);
  EXPECT_EQ(d.midpoint, 2.0f);
  EXPECT_EQ(d.form.int_, 2.0f);
  EXPECT_EQ(MidpointMessage(*d.midpoint), "岩相が変化する深度を中点の  2.00 に設定します\n");
  EXPECT_EQ(d.form.Se[0], 0);
  EXPECT_EQ(d.form.Sa, (std::array<std::int32_t, 4>{0, 0, 1, 0}));
}

TEST(DecideEntry, RefusalsSayWhichRuleAndLeaveTheirSideEffects) {
  // Too thick for 1/200: the bottom is cleared, as the form then shows it.
  EntryForm thick = FormShowing(Layer(0, 60, model::kClay, model::kClay), kHeader, 2);
  EntryDecision d = DecideEntry(thick);
  ASSERT_TRUE(d.refusal);
  EXPECT_EQ(d.refusal->rule, EntryRule::kThickness);
  EXPECT_EQ(d.refusal->message, kThicknessMessages[2]);
  EXPECT_TRUE(d.bottomCleared);
  EXPECT_EQ(d.form.bot, 0.0f);

  // A scale list without a selection counts as 1/50 once past the name rule.
  thick.scale = -1;
  thick.values.bot = 13;
  EXPECT_EQ(DecideEntry(thick).scaleIndex, 0);
  thick.header.name.clear();
  d = DecideEntry(thick);
  EXPECT_EQ(d.refusal->rule, EntryRule::kNeedName);
  EXPECT_FALSE(d.scaleIndex);

  // The third sample outside the layer: which mark, and its own text.
  EntryForm sample = FormShowing(Layer(0, 2, model::kClay, model::kClay), kHeader, 1);
  sample.values.DSa[2] = 3;
  d = DecideEntry(sample);
  ASSERT_TRUE(d.refusal);
  EXPECT_EQ(d.refusal->rule, EntryRule::kSampleRange);
  EXPECT_EQ(d.refusal->mark, 2);
  EXPECT_EQ(d.refusal->message, kSampleRangeMessages[2]);
}

TEST(NameRefusal, NamesTheLayerFileCannotHold) {
  EXPECT_FALSE(NameRefusal("B-1 孔"));
  EXPECT_EQ(NameRefusal("B,1"), kNameSeparatorMessage);
  EXPECT_EQ(NameRefusal("B\n1"), kNameSeparatorMessage);
  EXPECT_EQ(NameRefusal("B-1 \xF0\x9F\x98\x80"), kNameEncodingMessage);
}

}  // namespace
}  // namespace borvik::editor
