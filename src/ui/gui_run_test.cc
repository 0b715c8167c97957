// Tests of the start-up sequence and of whole gallery runs started from
// the create button on real folders, with the message boxes answered by
// the test.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "testing/temp_dir.h"
#include "testing/test_pictures.h"
#include "ui/about_box.h"
#include "ui/desktop_app.h"
#include "ui/gui_test_support.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"

namespace orvanta {
namespace {

using ::orvanta::testing::BoxRecorder;
using ::orvanta::testing::MakePicture;
using ::orvanta::testing::PathExists;
using ::orvanta::testing::ReadFile;
using ::orvanta::testing::TempDir;
using ::orvanta::testing::WriteFile;

template <typename T>
T* Find(QWidget* window, const char* name) {
  T* widget = window->findChild<T*>(QLatin1String(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

TEST(StartUpTest, SplashHelpDefaultsOptionsFileThenMainWindow) {
  TempDir program;
  WriteFile(program.Path("info.ini"),
            "; Info.ini\r\nThumbnailsPerRow=7\r\nUseIrfanview=True\r\n");
  BoxRecorder boxes;
  DesktopApp app(program.path());
  app.StartUp("/? /h /x");
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[0].title, "Orvanta");
  EXPECT_EQ(boxes.boxes[0].text,
            "This program is used to create an Orvanta.  There are no "
            "command line options.");
  EXPECT_EQ(boxes.boxes[0].icon, Icon::kInformation);
  FrmOrvanta& w = app.main_window();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(app.about_box().tag(), "Hidden");
  EXPECT_FALSE(app.about_box().isVisible());
  EXPECT_GE(app.about_box().tick_count(), 2);
  EXPECT_EQ(app.key_press_abort_process(), 0);
  // Defaults first, then the file over them.
  EXPECT_EQ(Find<QLineEdit>(&w, "txtInputFolder")->text().toStdString(),
            program.path());
  EXPECT_EQ(Find<QLineEdit>(&w, "txtThumbnailsPerRow")->text(), "7");
  EXPECT_EQ(Find<QCheckBox>(&w, "chkOverwriteExistingFiles")->checkState(),
            Qt::Checked);
  // The change handlers followed the loaded values.
  EXPECT_EQ(w.OuterHeightTwips(), 7200);
  EXPECT_TRUE(Find<QLineEdit>(&w, "txtIrfanviewPath")->isVisible());
  EXPECT_FALSE(PathExists(program.Path("info.BAK")));
}

class GalleryRunTest : public ::testing::Test {
 protected:
  GalleryRunTest() : app_(program_.path()) {
    MakePicture(photos_.Path("Beach1.jpg"), 640, 480);
    MakePicture(photos_.Path("Beach2.png"), 300, 400);
    MakePicture(photos_.Path("Sunset/Evening.jpg"), 800, 600);
    BoxRecorder quiet;
    app_.StartUp("");
    w_ = &app_.main_window();
    Find<QLineEdit>(w_, "txtInputFolder")
        ->setText(QString::fromStdString(photos_.path()));
  }
  QPushButton* CreateButton() {
    return Find<QPushButton>(w_, "cmdCreateOrvanta");
  }

  TempDir program_;
  TempDir photos_;
  DesktopApp app_;
  FrmOrvanta* w_ = nullptr;
};

TEST_F(GalleryRunTest, WholeRunFromTheCreateButton) {
  BoxRecorder boxes;
  bool checked_during_run = false;
  bool enabled_during_run = true;
  bool saving_enabled_during_run = true;
  bool progress_shown = false;
  QTimer::singleShot(0, [&] {
    checked_during_run = w_->run_in_progress();
    enabled_during_run = CreateButton()->isEnabled();
    saving_enabled_during_run =
        Find<QAction>(w_, "mnuSaveDefaultOptions")->isEnabled() ||
        Find<QAction>(w_, "mnuRestoreDefaultOptions")->isEnabled();
    w_->CreateOrvanta();  // a nested run is refused
  });
  QTimer watch;  // looks at every yield of the run
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    progress_shown = progress_shown || app_.progress().isVisible();
  });
  watch.start();
  CreateButton()->click();
  watch.stop();
  EXPECT_TRUE(checked_during_run);
  EXPECT_FALSE(enabled_during_run);
  EXPECT_FALSE(saving_enabled_during_run);
  EXPECT_TRUE(progress_shown);

  EXPECT_EQ(w_->last_outcome(), RunOutcome::kCompleted);
  ASSERT_FALSE(boxes.boxes.empty());
  const MessageBox& summary = boxes.boxes.back();
  EXPECT_EQ(summary.title, "Gallery created");
  EXPECT_EQ(summary.text,
            "Orvanta created.  Processed 3 image files in 2 folders.");
  EXPECT_EQ(boxes.boxes.size(), 1u) << boxes.boxes[0].title;
  EXPECT_TRUE(PathExists(photos_.Path("index.html")));
  EXPECT_TRUE(PathExists(photos_.Path("Beach1.html")));
  EXPECT_TRUE(PathExists(photos_.Path("t_Beach1.jpg")));
  EXPECT_TRUE(PathExists(photos_.Path("NavFunctions.js")));
  EXPECT_TRUE(PathExists(photos_.Path("Sunset/index.html")));
  EXPECT_TRUE(PathExists(photos_.Path("Sunset/t_Evening.jpg")));
  EXPECT_TRUE(PathExists(program_.Path("IndexTemplate.html")));
  EXPECT_NE(ReadFile(photos_.Path("index.html")).find("Sunset"),
            std::string::npos);
  EXPECT_FALSE(app_.progress().isVisible());
  EXPECT_NE(w_->cursor().shape(), Qt::WaitCursor);
  EXPECT_TRUE(CreateButton()->isEnabled());
  EXPECT_TRUE(Find<QAction>(w_, "mnuSaveDefaultOptions")->isEnabled());
  EXPECT_FALSE(w_->run_in_progress());
}

TEST_F(GalleryRunTest, MissingFolderStopsWithItsMessage) {
  BoxRecorder boxes;
  Find<QLineEdit>(w_, "txtInputFolder")->setText("");
  CreateButton()->click();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].title, "Missing Folder");
  EXPECT_EQ(boxes.boxes[0].text, "Please specify an input folder.");
  EXPECT_EQ(w_->last_outcome(), RunOutcome::kStopped);
  EXPECT_FALSE(PathExists(photos_.Path("index.html")));
}

TEST_F(GalleryRunTest, UnexpectedErrorHidesProgressAndRestoresPointer) {
  BoxRecorder boxes;
  // A progress window left up and the busy pointer on, then a run that
  // fails in the options snapshot (a per-row box that is no number).
  app_.progress().InitializeForm("left over", 0, 10);
  w_->SetBusy(true);
  Find<QLineEdit>(w_, "txtThumbnailsPerRow")->setText("abc");
  CreateButton()->click();
  EXPECT_EQ(w_->last_outcome(), RunOutcome::kFailed);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].title, "Error");
  EXPECT_EQ(boxes.boxes[0].text.rfind("Error Creating Photo Gallery: ", 0), 0u);
  EXPECT_FALSE(app_.progress().isVisible());
  EXPECT_FALSE(app_.progress().TaskInProgress());
  EXPECT_NE(w_->cursor().shape(), Qt::WaitCursor);
  EXPECT_TRUE(CreateButton()->isEnabled());
}

TEST_F(GalleryRunTest, ClosingTheWindowDuringARunEndsItQuietly) {
  BoxRecorder boxes;
  QTimer::singleShot(0, [&] { w_->close(); });
  CreateButton()->click();
  EXPECT_TRUE(app_.quit_requested());
  EXPECT_FALSE(w_->isVisible());
  EXPECT_FALSE(app_.progress().isVisible());
  EXPECT_NE(w_->last_outcome(), RunOutcome::kCompleted);
  EXPECT_TRUE(boxes.boxes.empty());  // answered quietly, nothing shown
}

}  // namespace
}  // namespace orvanta
