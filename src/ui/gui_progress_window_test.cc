// The progress window, the error list and the real message boxes: what
// only a window shows or does.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "testing/gui_support.h"
#include "ui/progress_window.h"
#include "ui/show_text_window.h"

namespace orvanta::testing {
namespace {

class ProgressWindowTest : public ::testing::Test {
 protected:
  ProgressWindowTest() = default;
  QWidget* Get(const char* name) {
    QWidget* widget = w_.findChild<QWidget*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QString Text(const char* name) {
    return static_cast<QLabel*>(Get(name))->text();
  }
  QPushButton* Pause() { return static_cast<QPushButton*>(Get("cmdPause")); }
  // The fill of a bar as a share of its box, in hundredths.
  int Fill(const char* bar, const char* box) {
    return 100 * Get(bar)->width() / Get(box)->width();
  }

  FrmProgress w_;
};

TEST_F(ProgressWindowTest, BarsFollowTheirRangesAndTheTimeLine) {
  double now = 1000;
  w_.SetClock([&now] { return now; });
  w_.RequestAbort();
  w_.InitializeForm("Counting", 0, 10, true, true, true);
  EXPECT_FALSE(w_.AbortRequested());
  EXPECT_TRUE(w_.isVisible());
  now += 90000;
  w_.UpdateProgressBar(5, false);
  EXPECT_EQ(Fill("pbarProgress", "pbarProgressBox"), 50);
  EXPECT_EQ(Text("lblTimeStats"), "1.50 : 1.50 min. elapsed/remaining");
  w_.InitializeSubtask("file 1 of 4", 1, 4);
  w_.UpdateSubtaskProgressBar(4, true);  // the overall bar moves a step
  EXPECT_EQ(Fill("pbarSubProgress", "pbarSubProgressBox"), 100);
  EXPECT_EQ(Fill("pbarProgress", "pbarProgressBox"), 60);
  w_.RequestAbort();
  w_.HideForm(false);
  EXPECT_TRUE(w_.AbortRequested());
  EXPECT_FALSE(w_.isVisible());
  w_.HideForm(true);
  EXPECT_FALSE(w_.AbortRequested());
}

// The window shows only what the task uses; a movie's web copy shows its
// own share; once the program winds down the window takes no more.
TEST_F(ProgressWindowTest, EachTaskShowsWhatItUsesUntilTheProgramCloses) {
  QWidget owner;
  w_.set_owner(&owner);
  w_.InitializeForm("Counting", 0, 100, false, false, false);
  const int short_height = w_.height();
  for (const char* part : {"lblTimeStats", "pbarSubProgress", "cmdPause"}) {
    EXPECT_FALSE(Get(part)->isVisible()) << part;
  }
  w_.InitializeForm("Creating", 0, 100, true, true, true);
  EXPECT_GT(w_.height(), short_height);
  EXPECT_TRUE(w_.TaskInProgress());
  for (const char* part : {"lblTimeStats", "pbarSubProgress", "cmdPause"}) {
    EXPECT_TRUE(Get(part)->isVisible()) << part;
  }
  w_.InitializeSubtask("Processing", 0, 4);
  EXPECT_EQ(Text("lblCurrentSubTask"), "Processing");
  w_.UpdateSubtaskProgressBar(2, false);
  EXPECT_EQ(Fill("pbarSubProgress", "pbarSubProgressBox"), 50);
  EXPECT_EQ(Fill("pbarProgress", "pbarProgressBox"), 0);
  w_.ShowFileProgress("clip.mov", 0.42);
  EXPECT_EQ(Text("lblCurrentSubTask"),
            "Making a web copy of the movie\nclip.mov (42 %)");
  EXPECT_EQ(Fill("pbarSubProgress", "pbarSubProgressBox"), 42);
  w_.ShowFileProgress("", 0);
  EXPECT_EQ(Text("lblCurrentSubTask"), "");
  EXPECT_EQ(Fill("pbarSubProgress", "pbarSubProgressBox"), 0);
  w_.SetBusy(true);
  EXPECT_EQ(owner.cursor().shape(), Qt::WaitCursor);
  w_.SetBusy(false);
  EXPECT_NE(owner.cursor().shape(), Qt::WaitCursor);
  BoxRecorder boxes;
  w_.WindDown();
  EXPECT_FALSE(w_.isVisible());
  EXPECT_TRUE(w_.AbortRequested());
  EXPECT_EQ(w_.ShowMessage(CancelTaskQuestion()), Answer::kNo);
  w_.InitializeForm("Again", 0, 10, true, true, true);
  w_.HideForm(true);
  EXPECT_FALSE(w_.isVisible());
  EXPECT_TRUE(w_.AbortRequested());
  EXPECT_TRUE(boxes.messages.empty());
  w_.setParent(nullptr);  // before the owner goes
}

TEST_F(ProgressWindowTest, PauseHoldsTheTaskUntilResumed) {
  w_.InitializeForm("t", 0, 10, true, true, true);
  Pause()->click();
  // While the task is held, Escape sets the abort request but the task
  // stays held; only the button ends the wait.
  Qt::CursorShape paused_cursor = Qt::WaitCursor;
  QString paused_caption;
  QTimer::singleShot(250, [&] {
    paused_cursor = w_.cursor().shape();
    paused_caption = Pause()->text();
    w_.PressEscape();
  });
  bool aborted_while_held = false;
  QTimer::singleShot(600, [&] {
    aborted_while_held = w_.AbortRequested();
    Pause()->click();
  });
  w_.UpdateProgressBar(3, false);  // held here until the second click
  EXPECT_TRUE(aborted_while_held);
  EXPECT_EQ(paused_cursor, Qt::ArrowCursor);
  EXPECT_EQ(paused_caption, "Paused");  // the button says what goes on
  EXPECT_EQ(Pause()->text(), "Click to Pause");
  EXPECT_EQ(w_.cursor().shape(), Qt::WaitCursor);
}

TEST_F(ProgressWindowTest, EveryTaskShowsTheWindowWholeOnTheScreen) {
  for (const QPoint lost :
       {QPoint(-3000, -3000), QPoint(0, 0), QPoint(40000, 30000)}) {
    FrmProgress window;
    window.move(lost);
    window.InitializeForm("Creating photo gallery", 0, 10, true, true, true);
    const QRect room = window.screen()->availableGeometry();
    EXPECT_TRUE(room.contains(window.frameGeometry())) << lost.x();
  }
  w_.InitializeForm("Creating photo gallery", 0, 10, true, true, true);
  // No remaining time before there is an estimate; a long folder path
  // stays on its line.
  EXPECT_EQ(Text("lblTimeStats"), "0.00 : -- min. elapsed/remaining");
  w_.UpdateCurrentTask("Creating photo gallery\r\n/" + std::string(150, 'x') +
                       "/Holiday/Beach");
  const QLabel* task = w_.findChild<QLabel*>("lblCurrentTask");
  const QStringList lines = task->text().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[1].endsWith(QStringLiteral("Beach")));
  for (const QString& line : lines) {
    EXPECT_LE(task->fontMetrics().horizontalAdvance(line), task->width());
  }
}

TEST_F(ProgressWindowTest, EscapeAbortsAndMovesTheWindowDown) {
  w_.InitializeForm("t", 0, 10, false, false, true);
  w_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w_));
  const int top = w_.y();
  QTest::keyClick(Pause(), Qt::Key_Escape);
  EXPECT_TRUE(w_.AbortRequested());
  EXPECT_GT(w_.y(), top);
  EXPECT_TRUE(w_.isVisible());
}

TEST_F(ProgressWindowTest, CloseRequestIsConfirmedOnceEveryTwentySeconds) {
  BoxRecorder boxes;
  w_.InitializeForm("t", 0, 10, false, false, true);
  boxes.answers = {Answer::kNo, Answer::kYes};
  EXPECT_FALSE(w_.close());
  EXPECT_FALSE(w_.AbortRequested());
  EXPECT_FALSE(w_.close());  // asked again after a No
  EXPECT_TRUE(w_.AbortRequested());
  EXPECT_TRUE(w_.isVisible());
  EXPECT_TRUE(w_.close());  // within 20 s of the Yes: closes unasked
  EXPECT_FALSE(w_.isVisible());
  ASSERT_EQ(boxes.messages.size(), 2u);  // asked twice, No preselected
  EXPECT_EQ(boxes.messages[0].title, "Cancel Task");
  EXPECT_EQ(boxes.messages[0].default_button, 2);
}

// The error list: its lines as given, read only; the text box and the
// Close button follow the window's size; Close ends it.
TEST(ShowTextTest, TheListFollowsTheWindowUntilClosed) {
  FrmShowText w;
  w.SetText("a.jpg: broken\r\nb.jpg: empty");
  auto* text = w.findChild<QPlainTextEdit*>("txtInfo");
  auto* close = w.findChild<QPushButton*>("cmdClose");
  EXPECT_EQ(text->toPlainText(), "a.jpg: broken\nb.jpg: empty");
  EXPECT_TRUE(text->isReadOnly());
  w.show();
  int last_width = 0;
  for (const QSize size : {QSize(500, 400), QSize(900, 700)}) {
    w.resize(size);
    EXPECT_GT(text->width(), last_width);
    last_width = text->width();
    EXPECT_TRUE(w.rect().contains(close->geometry()));
    EXPECT_LT(text->geometry().bottom(), close->y());
    EXPECT_GT(text->geometry().bottom(), size.height() - 3 * close->height());
  }
  close->click();
  EXPECT_FALSE(w.isVisible());
}

TEST(MessageBoxTest, ShowsTheBoxAndWaitsForItsAnswer) {
  MessageBox box{"Warning", "Line one\r\nLine two", Buttons::kYesNoCancel,
                 Icon::kQuestion, 3};
  QString shown;
  WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(dialog, nullptr);
    const bool cancel_preselected =
        dialog->standardButton(dialog->defaultButton()) == QMessageBox::Cancel;
    shown = dialog->windowTitle() + "|" + dialog->text() +
            (cancel_preselected ? "|Cancel" : "|other");
    dialog->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(ShowMessageBox(nullptr, box), Answer::kNo);
  EXPECT_EQ(shown, "Warning|Line one\nLine two|Cancel");
}

TEST(MessageBoxTest, ARunsSummaryOffersToOpenTheGallery) {
  QMessageBox dialog;
  ConfigureMessageBox({"Gallery created", "Done", Buttons::kOk,
                       Icon::kInformation, 1, true, "/g/index.html"},
                      &dialog);
  auto* open = dialog.findChild<QPushButton*>(kOpenGalleryButton);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->text(), "Open gallery");
  EXPECT_EQ(dialog.standardButton(dialog.defaultButton()), QMessageBox::Ok);
}

}  // namespace
}  // namespace orvanta::testing
