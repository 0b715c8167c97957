// Tests of the progress window's model: range normalising, clamping,
// fractions, the time line, reading the elapsed time back, the pause state
// machine and the 20-second close rule.
#include "ui/progress_model.h"

#include <gtest/gtest.h>

#include <optional>

namespace orvanta {
namespace {

TEST(NormaliseRangeTest, RulesInOrder) {
  ProgressRange r = NormaliseRange(10, 5);
  EXPECT_EQ(r.minimum, 5);
  EXPECT_EQ(r.maximum, 10);
  r = NormaliseRange(-3, -1);
  EXPECT_EQ(r.minimum, 0);
  EXPECT_EQ(r.maximum, 1);
  r = NormaliseRange(0, 0);
  EXPECT_EQ(r.minimum, 0);
  EXPECT_EQ(r.maximum, 1);
  r = NormaliseRange(7, 7);  // an empty range above 1 stays empty
  EXPECT_EQ(r.minimum, 7);
  EXPECT_EQ(r.maximum, 7);
  r = NormaliseRange(-1, -5);  // swapped, then raised
  EXPECT_EQ(r.minimum, 0);
  EXPECT_EQ(r.maximum, 1);
  r = NormaliseRange(0, 101);
  EXPECT_EQ(r.minimum, 0);
  EXPECT_EQ(r.maximum, 101);
}

TEST(ProgressModelTest, OverallValueIsClampedAndStored) {
  ProgressModel m;
  m.SetOverallRange(0, 10);
  double v = 15;
  EXPECT_DOUBLE_EQ(m.UpdateOverall(&v, false), 1.0);
  EXPECT_DOUBLE_EQ(v, 10);
  EXPECT_DOUBLE_EQ(m.overall_value(), 10);
  v = -4;
  EXPECT_DOUBLE_EQ(m.UpdateOverall(&v, false), 0.0);
  EXPECT_DOUBLE_EQ(m.overall_value(), 0);
  v = 2.5;
  EXPECT_DOUBLE_EQ(m.UpdateOverall(&v, false), 0.25);
  v = 7.5;
  EXPECT_DOUBLE_EQ(m.UpdateOverall(&v, true), 0.75);
  EXPECT_DOUBLE_EQ(m.overall_value(), 2.5);  // not stored
}

TEST(ProgressModelTest, EmptyRangeGivesFractionZero) {
  ProgressRange r{7, 7};
  EXPECT_DOUBLE_EQ(RangeFraction(7, r), 0.0);
  EXPECT_DOUBLE_EQ(RangeFraction(9, ProgressRange{5, 10}), 0.8);
}

TEST(ProgressModelTest, SubtaskFillsAndCreepsOverallWithoutStoring) {
  ProgressModel m;
  m.SetOverallRange(0, 10);
  double v = 3;
  m.UpdateOverall(&v, false);
  m.SetSubtaskRange(1, 4);
  std::optional<double> overall;
  EXPECT_DOUBLE_EQ(m.UpdateSubtask(1, true, &overall), 0.0);
  EXPECT_FALSE(overall.has_value());  // candidate not above the value
  EXPECT_DOUBLE_EQ(m.UpdateSubtask(4, true, &overall), 1.0);
  ASSERT_TRUE(overall.has_value());
  EXPECT_DOUBLE_EQ(*overall, 0.4);  // 3 + (4 - 1) / (4 - 1) = 4 of 10
  EXPECT_DOUBLE_EQ(m.overall_value(), 3);
  EXPECT_DOUBLE_EQ(m.subtask_value(), 4);
  EXPECT_DOUBLE_EQ(m.UpdateSubtask(2.5, true, &overall), 0.5);
  EXPECT_DOUBLE_EQ(*overall, 0.35);
  EXPECT_DOUBLE_EQ(m.UpdateSubtask(9, false, &overall), 1.0);
  EXPECT_FALSE(overall.has_value());
  EXPECT_DOUBLE_EQ(m.subtask_value(), 4);  // clamped
}

TEST(ProgressModelTest, SubtaskCreepIsClampedToTheOverallMaximum) {
  ProgressModel m;
  m.SetOverallRange(0, 2);
  double v = 2;
  m.UpdateOverall(&v, false);
  m.SetSubtaskRange(0, 10);
  std::optional<double> overall;
  m.UpdateSubtask(5, true, &overall);
  ASSERT_TRUE(overall.has_value());
  EXPECT_DOUBLE_EQ(*overall, 1.0);
}

TEST(TimeLineTest, Format) {
  EXPECT_EQ(FormatTimeLine(1.5, 0.25, "min. elapsed/remaining"),
            "1.50 : 4.50 min. elapsed/remaining");
  EXPECT_EQ(FormatTimeLine(0.5, 0, "min. elapsed/remaining"),
            "0.50 : -0.50 min. elapsed/remaining");
  EXPECT_EQ(FormatTimeLine(0, 0, "x"), "0.00 : 0.00 x");
  EXPECT_EQ(FormatTimeLine(1.5, 0.25, "min.", ','), "1,50 : 4,50 min.");
  EXPECT_EQ(FormatTimeLine(2, 1, "m"), "2.00 : 0.00 m");
}

TEST(TimeLineTest, ModelMeasuresFromTheStartTime) {
  ProgressModel m;
  m.ResetStartTime(1000);
  EXPECT_EQ(m.TimeLine(1000 + 90000, 0.25),
            "1.50 : 4.50 min. elapsed/remaining");
  ProgressTexts texts;
  texts.minutes_elapsed_remaining = "Min.";
  m.SetTexts(texts);
  EXPECT_EQ(m.TimeLine(1000 + 60000, 0.5), "1.00 : 1.00 Min.");
}

TEST(ElapsedTimeTest, ReadsTheNumberBeforeTheColon) {
  EXPECT_FLOAT_EQ(ParseElapsedTime("1.50 : 4.50 min. elapsed/remaining"), 1.5f);
  EXPECT_FLOAT_EQ(ParseElapsedTime("Elapsed/remaining time"), 0.0f);
  EXPECT_FLOAT_EQ(ParseElapsedTime(": 3"), 0.0f);
  EXPECT_FLOAT_EQ(ParseElapsedTime("1,50 : 4,50"), 1.0f);  // point only
  EXPECT_FLOAT_EQ(ParseElapsedTime("-0.25 : 0.25"), -0.25f);
  EXPECT_FLOAT_EQ(ParseElapsedTime("12abc: 1"), 12.0f);
  EXPECT_FLOAT_EQ(ParseElapsedTime("abc: 1"), 0.0f);
  EXPECT_FLOAT_EQ(ParseElapsedTime("1 2.5 : x"), 12.5f);  // blanks skipped
  EXPECT_FLOAT_EQ(ParseElapsedTime("1E2 : x"), 100.0f);
}

TEST(PauseStateTest, FullCycle) {
  ProgressModel m;
  EXPECT_EQ(m.pause_state(), PauseState::kRunning);
  EXPECT_EQ(m.button_caption(), "Click to Pause");
  EXPECT_FALSE(m.BeginWait());  // running: nothing
  EXPECT_TRUE(m.ClickPause());
  EXPECT_EQ(m.pause_state(), PauseState::kPauseRequested);
  EXPECT_EQ(m.button_caption(), "Preparing to Pause");
  EXPECT_FALSE(m.ClickPause());  // second quick click ignored
  EXPECT_EQ(m.pause_state(), PauseState::kPauseRequested);
  EXPECT_TRUE(m.BeginWait());
  EXPECT_TRUE(m.IsPaused());
  EXPECT_EQ(m.button_caption(), "Paused");
  EXPECT_TRUE(m.ClickPause());
  EXPECT_EQ(m.pause_state(), PauseState::kResuming);
  EXPECT_EQ(m.button_caption(), "Resuming");
  EXPECT_FALSE(m.ClickPause());  // ignored while resuming
  EXPECT_FALSE(m.IsPaused());
  m.EndWait();
  EXPECT_EQ(m.pause_state(), PauseState::kRunning);
  EXPECT_EQ(m.button_caption(), "Click to Pause");
}

TEST(PauseStateTest, ResumingOutsideTheLoopReturnsToRunning) {
  ProgressModel m;
  m.SetPauseState(PauseState::kResuming);
  EXPECT_FALSE(m.BeginWait());
  EXPECT_EQ(m.pause_state(), PauseState::kRunning);
  EXPECT_EQ(m.button_caption(), "Click to Pause");
}

TEST(PauseStateTest, CaptionsFollowTheGivenTexts) {
  ProgressModel m;
  ProgressTexts texts;
  texts.preparing_to_pause = "Bitte warten";
  texts.paused = "Angehalten";
  m.SetTexts(texts);
  m.ClickPause();
  EXPECT_EQ(m.button_caption(), "Bitte warten");
  m.BeginWait();
  EXPECT_EQ(m.button_caption(), "Angehalten");
}

TEST(CloseRuleTest, AsksUnlessConfirmedWithinTwentySeconds) {
  ProgressModel m;
  EXPECT_TRUE(m.ShouldAskBeforeClosing(5000));
  m.RecordCloseAnswer(true, 5000);
  EXPECT_EQ(m.last_close_tick(), 5000u);
  EXPECT_FALSE(m.ShouldAskBeforeClosing(5001));
  EXPECT_FALSE(m.ShouldAskBeforeClosing(25000));
  EXPECT_TRUE(m.ShouldAskBeforeClosing(25001));
  m.RecordCloseAnswer(false, 26000);
  EXPECT_EQ(m.last_close_tick(), 0u);
  EXPECT_TRUE(m.ShouldAskBeforeClosing(26001));
}

TEST(CloseRuleTest, TickWrapIsHarmless) {
  ProgressModel m;
  m.RecordCloseAnswer(true, 0xFFFFF000u);        // 4096 ms before the wrap
  EXPECT_FALSE(m.ShouldAskBeforeClosing(1000));  // 5096 ms later
  EXPECT_TRUE(m.ShouldAskBeforeClosing(20000));  // 24096 ms later
  m.RecordCloseAnswer(true, 0);                  // a tick of 0 is kept as 1
  EXPECT_EQ(m.last_close_tick(), 1u);
  EXPECT_FALSE(m.ShouldAskBeforeClosing(10));
}

}  // namespace
}  // namespace orvanta
