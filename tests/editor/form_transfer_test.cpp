// The form's boxes: what counts as a number, what happens to the boxes after
// one that holds none, and how numbers are shown again.

#include "editor/form_transfer.h"

#include <gtest/gtest.h>

#include <optional>

#include "editor/messages.h"
#include "editor_harness.h"

namespace borvik::editor {
namespace {

using testing::Editor;
using namespace testing;

TEST(NumberBox, DecimalNumbersWithSpacesAndTabsAround) {
  const struct {
    const char* text;
    std::optional<float> number;
  } cases[] = {
      {"12.5", 12.5f},     {" 12.5\t", 12.5f}, {"\t 3", 3.0f},       {"0", 0.0f},
      {"0.0", 0.0f},       {"00", 0.0f},       {"0e5", 0.0f},        {"-3.5", -3.5f},
      {"+2", 2.0f},        {".5", 0.5f},       {"5.", 5.0f},         {"1e2", 100.0f},
      {"1.5E-1", 0.15f},   {"-1", -1.0f},      {"1234.567", 1234.567f},
      // no number
      {"", std::nullopt},  {" ", std::nullopt}, {"\t", std::nullopt}, {"-0", std::nullopt},
      {"+0", std::nullopt}, {".0", std::nullopt}, {"-0.0", std::nullopt}, {"abc", std::nullopt},
      {"12abc", std::nullopt}, {"1 2", std::nullopt}, {"1,5", std::nullopt}, {"1e", std::nullopt},
      {"1e+", std::nullopt}, {".", std::nullopt}, {"-", std::nullopt}, {"0x10", std::nullopt},
      {"inf", std::nullopt}, {"nan", std::nullopt}, {"1e39", std::nullopt},
      {"\n5", std::nullopt}, {"5\n", std::nullopt}, {"５", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseNumberBox(c.text), c.number) << "[" << c.text << "]";
  }
}

TEST(NumberBox, ShowsSixSignificantDigits) {
  const struct {
    float value;
    const char* text;
  } cases[] = {{-1.0f, "-1"}, {12.5f, "12.5"}, {0.0f, "0"}, {1234.567f, "1234.57"},
               {0.1799f, "0.1799"}, {1e-05f, "1e-05"}, {1234567.0f, "1.23457e+06"}};
  for (const auto& c : cases) EXPECT_EQ(FormatNumberBox(c.value), c.text);
}

// Reading stops at the first box without a number: that box and every value
// read after it keep their previous values for the checks, and the boxes
// show those values again after the refusal.
TEST(FormTransfer, StopsAtTheFirstBoxWithoutANumber) {
  const struct {
    const char* label;
    std::string* (*box)(MainWindowState&);
    const char* shownAfter;  // what the bad box shows after the press
  } cases[] = {
      {"bottom", [](MainWindowState& s) { return &s.bot; }, "0"},
      {"sample 4", [](MainWindowState& s) { return &s.sampleDepths[3]; }, "-1"},
      {"elevation", [](MainWindowState& s) { return &s.elevation; }, "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Editor e;
    e.TypeHeader("B-1", "12.5");
    e.TypeDepths("1", "2");
    e.State().rockQuality = 2;
    e.State().scrollBar = 7;
    e.Tick(kClayBox);
    *c.box(e.State()) = "";
    const EntryResult result = e.session->EnterLayer();
    // The name and elevation are read last, so each failure leaves them as
    // they were at start: empty and 0.
    EXPECT_EQ(e.ui.messages, (std::vector<std::string>{std::string(kNeedNumberMessage),
                                                       std::string(kNeedNameMessage)}));
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(*c.box(e.State()), c.shownAfter);
    EXPECT_EQ(e.State().elevation, "0");
    EXPECT_EQ(e.session->Log().header.elevation, 0.0f);
    const bool radiosRead = std::string(c.label) == "elevation";
    EXPECT_EQ(e.State().rockQuality, radiosRead ? 2 : 0);
    EXPECT_EQ(e.session->View().scrollPosition, radiosRead ? 7 : 0);
    EXPECT_EQ(e.State().top, "1");
    EXPECT_EQ(e.State().name, radiosRead ? "B-1" : "");
  }
}

// The entry goes on with the earlier values: a bottom left empty after a
// layer was entered keeps the 0 the form was reset to.
TEST(FormTransfer, EntryGoesOnWithThePreviousValues) {
  Editor e;
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  e.ui.TakeMessages();
  e.State().bot = " ";
  e.Tick(kSiltBox);
  EXPECT_FALSE(e.session->EnterLayer().accepted);
  EXPECT_EQ(e.ui.messages, (std::vector<std::string>{std::string(kNeedNumberMessage),
                                                     std::string(kNeedBottomMessage)}));
  // Everything after the bottom, the name too, is as the last write left it.
  EXPECT_EQ(e.State().bot, "0");
  EXPECT_EQ(e.State().name, "B-1");
}

TEST(FormTransfer, BoxesShowNumbersAsTheFilesDo) {
  Editor e;
  e.TypeHeader("B-1", " 12.50 ");
  e.TypeDepths("\t1234.567", "0");
  e.State().structureDepths[1] = "1e-5";
  EXPECT_FALSE(e.session->EnterLayer().accepted);  // bot 0
  EXPECT_EQ(e.State().top, "1234.57");
  EXPECT_EQ(e.State().structureDepths[1], "1e-05");
  EXPECT_EQ(e.State().elevation, "12.5");
  EXPECT_EQ(e.session->Log().form.top, 1234.567f);
}

}  // namespace
}  // namespace borvik::editor
