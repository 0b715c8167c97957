// What the progress window computes, without a window: ranges put right,
// values clamped, the time line, the overall bar creeping with a sub-task,
// the pause state machine and the close rule across a wrapping clock.
#include "ui/progress_model.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(ProgressModelTest, RangesValuesAndTheTimeLine) {
  const struct {
    int32_t minimum, maximum, expected_minimum, expected_maximum;
  } ranges[] = {{10, 5, 5, 10}, {-3, -1, 0, 1}, {0, 0, 0, 1}, {-5, 3, 0, 3}};
  for (const auto& r : ranges) {
    const ProgressRange range = NormaliseRange(r.minimum, r.maximum);
    EXPECT_EQ(range.minimum, r.expected_minimum) << r.minimum;
    EXPECT_EQ(range.maximum, r.expected_maximum) << r.minimum;
  }
  ProgressModel model;
  model.SetOverallRange(0, 8);
  double value = 12;
  EXPECT_EQ(model.UpdateOverall(&value, false), 1.0);
  EXPECT_EQ(value, 8);  // clamped in place
  value = 2;
  EXPECT_EQ(model.UpdateOverall(&value, false), 0.25);
  model.ResetStartTime(1000);
  EXPECT_EQ(model.TimeLine(1000 + 90000, 0.25),
            "1.50 : 4.50 min. elapsed/remaining");
  EXPECT_EQ(model.TimeLine(1000 + 90000, 0.25, ','),
            "1,50 : 4,50 min. elapsed/remaining");
  // A sub-task of 1..4 done moves the overall bar one unit on, drawn but
  // not stored.
  model.SetSubtaskRange(1, 4);
  std::optional<double> overall;
  EXPECT_EQ(model.UpdateSubtask(4, true, &overall), 1.0);
  EXPECT_EQ(overall, 3.0 / 8);
  EXPECT_EQ(model.UpdateSubtask(1, true, &overall), 0.0);
  EXPECT_EQ(overall, std::nullopt);
  EXPECT_EQ(model.UpdateSubtask(-5, false, &overall), 0.0);
  value = 2;
  EXPECT_EQ(model.UpdateOverall(&value, true), 0.25);
}

TEST(ProgressModelTest, PauseMachineAndCloseRule) {
  ProgressModel model;
  EXPECT_FALSE(model.BeginWait());
  EXPECT_TRUE(model.ClickPause());
  EXPECT_EQ(model.button_caption(), "Preparing to Pause");
  EXPECT_FALSE(model.ClickPause());  // a second click before the wait
  EXPECT_TRUE(model.BeginWait());
  EXPECT_TRUE(model.IsPaused());
  EXPECT_EQ(model.button_caption(), "Paused");
  EXPECT_TRUE(model.ClickPause());
  EXPECT_EQ(model.button_caption(), "Resuming");
  EXPECT_FALSE(model.IsPaused());
  EXPECT_FALSE(model.BeginWait());  // resuming outside the wait loop
  EXPECT_EQ(model.button_caption(), "Click to Pause");

  EXPECT_TRUE(model.ShouldAskBeforeClosing(5));
  for (uint32_t confirmed : {1000u, 0u, 0xFFFFF000u}) {
    model.RecordCloseAnswer(true, confirmed);
    EXPECT_FALSE(model.ShouldAskBeforeClosing(confirmed + 20000)) << confirmed;
    EXPECT_TRUE(model.ShouldAskBeforeClosing(confirmed + 20002)) << confirmed;
  }
  model.RecordCloseAnswer(false, 5000);
  EXPECT_TRUE(model.ShouldAskBeforeClosing(5001));
}

}  // namespace
}  // namespace orvanta
