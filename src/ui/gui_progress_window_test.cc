// Tests of the progress window: ranges and clamping as drawn, the time
// line, the layouts with and without the sub-task bar, the pause state
// machine with a task held inside an update call, Escape, the close rule,
// always-on-top and placement.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/gui_test_support.h"
#include "ui/placement.h"
#include "ui/progress_window.h"
#include "ui/window_placement.h"

namespace orvanta {
namespace {

using ::orvanta::testing::BoxRecorder;

class ProgressWindowTest : public ::testing::Test {
 protected:
  ProgressWindowTest() : w_(&abort_) {}
  QWidget* Get(const char* name) {
    QWidget* widget = w_.findChild<QWidget*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QString Text(const char* name) {
    return static_cast<QLabel*>(Get(name))->text();
  }
  int Fill() { return Get("pbarProgress")->width(); }
  int SubFill() { return Get("pbarSubProgress")->width(); }
  int Full() { return Get("pbarProgressBox")->width(); }

  int abort_ = 7;
  FrmProgress w_;
};

TEST_F(ProgressWindowTest, DesignAndLoad) {
  EXPECT_EQ(w_.objectName(), "frmProgress");
  EXPECT_EQ(w_.windowTitle(), "Progress");
  EXPECT_EQ(Text("lblOverallProgress"), "Overall Progress");
  EXPECT_EQ(Text("lblSubtaskProgress"), "Current Task Progress");
  EXPECT_EQ(Text("lblTimeStats"), "Elapsed/remaining time");
  EXPECT_EQ(Text("lblPressEscape"), "(Press Escape to abort)");
  EXPECT_EQ(static_cast<QPushButton*>(Get("cmdPause"))->text(),
            "Click to Pause");
  EXPECT_EQ(Full(), TwipsToPixels(2775));
  EXPECT_FALSE(w_.TaskInProgress());
  EXPECT_FLOAT_EQ(w_.GetElapsedTime(), 0.0f);  // no ":" in the caption
  // Placed in the lower third at load.
  const QSize screen = ScreenSizeTwips(&w_);
  PlacementInput in;
  in.screen_width = screen.width();
  in.screen_height = screen.height();
  in.window_width = OuterRectTwips(&w_).width();
  in.window_height = OuterRectTwips(&w_).height();
  in.mode = kLowerThird;
  EXPECT_EQ(OuterRectTwips(&w_).height(), 2805);  // 2800 twips, 187 pixels
  const PlacementResult where = ComputePlacement(in);
  EXPECT_EQ(w_.pos(),
            QPoint(TwipsToPixels(where.left), TwipsToPixels(where.top)));
}

TEST_F(ProgressWindowTest, InitializeFormNormalisesAndShows) {
  int32_t lo = 0, hi = 0;
  w_.InitializeForm("Counting", 10, 5);
  w_.GetProgressBarValue(&lo, &hi);
  EXPECT_EQ(lo, 5);
  EXPECT_EQ(hi, 10);
  EXPECT_EQ(abort_, 0);
  EXPECT_TRUE(w_.isVisible());
  EXPECT_TRUE(w_.TaskInProgress());
  EXPECT_EQ(w_.cursor().shape(), Qt::WaitCursor);
  EXPECT_EQ(Text("lblCurrentTask"), "Counting");
  EXPECT_EQ(Text("lblCurrentSubTask"), "");
  w_.InitializeForm("x", -3, -1);
  w_.GetProgressBarValue(&lo, &hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 1);
  w_.InitializeForm("x", 0, 0);
  w_.GetProgressBarValue(&lo, &hi);
  EXPECT_EQ(hi, 1);
  w_.GetSubTaskProgressBarValue(&lo, &hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 1);
  abort_ = 2;
  w_.HideForm(false);
  EXPECT_EQ(abort_, 2);
  EXPECT_FALSE(w_.isVisible());
  EXPECT_FALSE(w_.TaskInProgress());
  w_.HideForm();
  EXPECT_EQ(abort_, 0);
}

TEST_F(ProgressWindowTest, BarsClampAndFill) {
  w_.InitializeForm("t", 0, 10, true, true);
  int32_t lo, hi;
  w_.UpdateProgressBar(25);
  EXPECT_EQ(Fill(), Full());
  EXPECT_DOUBLE_EQ(w_.GetProgressBarValue(&lo, &hi), 10);
  w_.UpdateProgressBar(0);
  EXPECT_EQ(Fill(), 0);
  w_.UpdateProgressBar(5);
  EXPECT_EQ(Fill(), (Full() + 1) / 2);
  w_.InitializeSubtask("file 1 of 4", 1, 4);
  EXPECT_EQ(Text("lblCurrentSubTask"), "file 1 of 4");
  EXPECT_EQ(SubFill(), 0);
  w_.UpdateSubtaskProgressBar(4);
  EXPECT_EQ(SubFill(), Full());
  EXPECT_EQ(Fill(), static_cast<int>(Full() * 0.6 + 0.5));  // 5 + 1 of 10
  EXPECT_DOUBLE_EQ(w_.GetProgressBarValue(&lo, &hi), 5);    // not stored
  EXPECT_DOUBLE_EQ(w_.GetSubTaskProgressBarValue(&lo, &hi), 4);
  w_.UpdateSubtaskProgressBar(-9, false);
  EXPECT_EQ(SubFill(), 0);
  EXPECT_DOUBLE_EQ(w_.GetSubTaskProgressBarValue(&lo, &hi), 1);
}

TEST_F(ProgressWindowTest, TimeLine) {
  double now = 1000;
  w_.SetClock([&now] { return now; });
  w_.InitializeForm("t", 0, 4, true);
  now += 90000;
  w_.UpdateProgressBar(1);
  EXPECT_EQ(Text("lblTimeStats"), "1.50 : 4.50 min. elapsed/remaining");
  EXPECT_FLOAT_EQ(w_.GetElapsedTime(), 1.5f);
  now += -60000;
  w_.UpdateProgressBar(0);
  EXPECT_EQ(Text("lblTimeStats"), "0.50 : -0.50 min. elapsed/remaining");
  ProgressTexts texts;
  texts.minutes_elapsed_remaining = "Min.";
  texts.press_escape_to_abort = "(Esc)";
  w_.SetStandardCaptionText(texts);
  EXPECT_EQ(Text("lblPressEscape"), "(Esc)");
  w_.UpdateProgressBar(2, true);
  EXPECT_EQ(Text("lblTimeStats"), "0.00 : 0.00 Min.");
}

TEST_F(ProgressWindowTest, LayoutFollowsTheSubtaskBar) {
  w_.InitializeForm("t", 0, 10, true, true, true);
  EXPECT_EQ(OuterRectTwips(&w_).height(), 2805);
  EXPECT_EQ(Get("lblTimeStats")->y(), TwipsToPixels(1800));
  EXPECT_EQ(Get("fraControls")->pos(),
            QPoint(TwipsToPixels(3840), TwipsToPixels(1650)));
  EXPECT_TRUE(Get("pbarSubProgressBox")->isVisible());
  EXPECT_TRUE(Get("cmdPause")->isVisible());
  w_.InitializeForm("t", 0, 10, false, false, false);
  EXPECT_EQ(OuterRectTwips(&w_).height(), 2355);  // 2350 twips, 157 pixels
  EXPECT_EQ(Get("lblTimeStats")->y(), TwipsToPixels(800));
  EXPECT_EQ(Get("fraControls")->pos(),
            QPoint(TwipsToPixels(240), TwipsToPixels(1190)));
  EXPECT_FALSE(Get("pbarSubProgressBox")->isVisible());
  EXPECT_FALSE(Get("lblSubtaskProgress")->isVisible());
  EXPECT_FALSE(Get("lblTimeStats")->isVisible());
  EXPECT_FALSE(Get("cmdPause")->isVisible());
}

TEST_F(ProgressWindowTest, PauseHoldsTheTaskUntilResumed) {
  w_.InitializeForm("t", 0, 10, true, true, true);
  auto* button = static_cast<QPushButton*>(Get("cmdPause"));
  button->click();
  EXPECT_EQ(w_.model().pause_state(), PauseState::kPauseRequested);
  EXPECT_EQ(button->text(), "Preparing to Pause");
  button->click();  // a second quick click is ignored
  EXPECT_EQ(w_.model().pause_state(), PauseState::kPauseRequested);
  // While the task is held: Escape sets the abort request but the task
  // stays held; only the button ends the wait.
  bool saw_paused = false;
  QString paused_caption;
  Qt::CursorShape paused_cursor = Qt::WaitCursor;
  QTimer::singleShot(250, [&] {
    saw_paused = w_.model().pause_state() == PauseState::kPaused;
    paused_caption = button->text();
    paused_cursor = w_.cursor().shape();
    w_.PressEscape();
  });
  QTimer::singleShot(600, [&] {
    EXPECT_EQ(abort_, 2);
    EXPECT_EQ(w_.model().pause_state(), PauseState::kPaused);
    button->click();
    EXPECT_EQ(button->text(), "Resuming");
  });
  QElapsedTimer held;
  held.start();
  w_.UpdateProgressBar(3);  // held here
  EXPECT_GE(held.elapsed(), 550);
  EXPECT_TRUE(saw_paused);
  EXPECT_EQ(paused_caption, "Paused");
  EXPECT_EQ(paused_cursor, Qt::ArrowCursor);
  EXPECT_EQ(w_.model().pause_state(), PauseState::kRunning);
  EXPECT_EQ(button->text(), "Click to Pause");
  EXPECT_EQ(w_.cursor().shape(), Qt::WaitCursor);
  EXPECT_EQ(abort_, 2);  // the task sees the abort after resuming
}

TEST_F(ProgressWindowTest, PendingPauseHoldsTheNextTaskToo) {
  w_.InitializeForm("t", 0, 10);
  auto* button = static_cast<QPushButton*>(Get("cmdPause"));
  button->click();  // after the task's last update
  EXPECT_EQ(w_.model().pause_state(), PauseState::kPauseRequested);
  QTimer::singleShot(200, [&] { button->click(); });
  QElapsedTimer held;
  held.start();
  w_.InitializeForm("again", 0, 10);  // its first update waits
  EXPECT_GE(held.elapsed(), 150);
  EXPECT_EQ(w_.model().pause_state(), PauseState::kRunning);
  EXPECT_EQ(button->text(), "Click to Pause");
  EXPECT_EQ(Text("lblCurrentTask"), "again");
}

TEST_F(ProgressWindowTest, EscapeAbortsAndMovesTheWindowDown) {
  w_.InitializeForm("t", 0, 10);
  w_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w_));
  QTest::keyClick(Get("cmdPause"), Qt::Key_Escape);
  EXPECT_EQ(abort_, 2);
  const QSize screen = ScreenSizeTwips(&w_);
  PlacementInput in;
  in.screen_width = screen.width();
  in.screen_height = screen.height();
  in.window_width = OuterRectTwips(&w_).width();
  in.window_height = OuterRectTwips(&w_).height();
  in.mode = kBottomCentre;
  EXPECT_EQ(w_.y(), TwipsToPixels(ComputePlacement(in).top));
  EXPECT_TRUE(w_.isVisible());
}

TEST_F(ProgressWindowTest, CloseRequestIsConfirmedOnceEveryTwentySeconds) {
  BoxRecorder boxes;
  w_.InitializeForm("t", 0, 10);
  boxes.answers = {Answer::kNo};
  EXPECT_FALSE(w_.close());
  EXPECT_TRUE(w_.isVisible());
  EXPECT_EQ(abort_, 0);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  const MessageBox& box = boxes.boxes[0];
  EXPECT_EQ(box.title, "Cancel Task");
  EXPECT_EQ(box.text,
            "It appears that a task is currently in progress.  Do you really "
            "want to close the progress window?  If yes, this will cancel the "
            "currently running task.");
  EXPECT_EQ(box.buttons, Buttons::kYesNo);
  EXPECT_EQ(box.icon, Icon::kQuestion);
  EXPECT_EQ(box.default_button, 2);
  boxes.answers = {Answer::kYes};
  EXPECT_FALSE(w_.close());  // asked again after a No
  EXPECT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(abort_, 2);
  EXPECT_TRUE(w_.isVisible());
  EXPECT_TRUE(w_.close());  // within 20 s of the Yes: closes unasked
  EXPECT_EQ(boxes.boxes.size(), 2u);
  EXPECT_FALSE(w_.isVisible());
}

TEST_F(ProgressWindowTest, AlwaysOnTopAndWasteTime) {
  const Qt::WindowFlags before = w_.windowFlags();
  w_.ToggleAlwaysOnTop(false);  // already false: nothing
  EXPECT_EQ(w_.windowFlags(), before);
  EXPECT_FALSE(w_.stays_on_top());
  w_.ToggleAlwaysOnTop(true);
  EXPECT_TRUE(w_.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(w_.stays_on_top());
  w_.ToggleAlwaysOnTop(false);
  EXPECT_FALSE(w_.windowFlags() & Qt::WindowStaysOnTopHint);
  QElapsedTimer timer;
  timer.start();
  w_.WasteTime(60);
  EXPECT_GE(timer.elapsed(), 59);
}

}  // namespace
}  // namespace orvanta
