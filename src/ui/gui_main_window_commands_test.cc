// Tests of the main window's commands: Escape and closing the program,
// the folder picker, the example folder information file and the default
// options.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "testing/temp_dir.h"
#include "ui/about_box.h"
#include "ui/desktop_app.h"
#include "ui/gui_main_window_fixture.h"
#include "ui/gui_test_support.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"

namespace orvanta {
namespace {

using ::orvanta::testing::BoxRecorder;
using ::orvanta::testing::FolderChooser;
using ::orvanta::testing::ReadFile;
using ::orvanta::testing::TempDir;
using ::orvanta::testing::WriteFile;

TEST(MainWindowEscapeTest, EscapeInAnyControlClosesTheProgram) {
  const char* controls[] = {
      "cmdSelectSourceFolder",     "txtInputFolder",
      "txtIndexTemplateFile",      "chkOverwriteExistingFiles",
      "cboTargetScreenResolution", "txtThumbnailsPerRow",
      "cboCreateThumbnails",       "cmdCreateOrvanta",
      "txtMovieFileExtensions",    "chkUseIrfanview"};
  for (const char* name : controls) {
    TempDir dir;
    DesktopApp app(dir.path());
    FrmOrvanta& w = app.main_window();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QWidget* control = w.findChild<QWidget*>(QLatin1String(name));
    control->setFocus();
    QTest::keyClick(control, Qt::Key_Escape);
    EXPECT_TRUE(app.quit_requested()) << name;
    EXPECT_FALSE(w.isVisible()) << name;
  }
}

TEST_F(MainWindowTest, ClosingUnloadsEveryOtherWindow) {
  ShowActive();
  app_.about_box().show();
  app_.progress().InitializeForm("task", 0, 10);
  ASSERT_TRUE(app_.progress().isVisible());
  Get<QAction>("mnuExit")->trigger();
  EXPECT_FALSE(w_.isVisible());
  EXPECT_FALSE(app_.about_box().isVisible());
  EXPECT_FALSE(app_.progress().isVisible());
  EXPECT_TRUE(app_.shutting_down());
  EXPECT_EQ(w_.KeyPressAbortProcess(), 2);
  MessageBox box{"t", "x", Buttons::kYesNoCancel, Icon::kQuestion, 1};
  EXPECT_EQ(w_.ShowMessage(box), Answer::kCancel);  // answered quietly
}

TEST_F(MainWindowTest, SelectInputFolderUsesThePicker) {
  Box("txtInputFolder")->setText("/start");
  {
    FolderChooser chooser("/chosen/folder");
    Get<QPushButton>("cmdSelectSourceFolder")->click();
    ASSERT_EQ(chooser.prompts.size(), 1u);
    EXPECT_EQ(chooser.prompts[0], "Select Input Folder");
    EXPECT_EQ(chooser.starts[0], "/start");
  }
  EXPECT_EQ(Box("txtInputFolder")->text(), "/chosen/folder");
  FolderChooser cancel("");
  Get<QAction>("mnuSelectFolder")->trigger();
  EXPECT_EQ(Box("txtInputFolder")->text(), "/chosen/folder");
}

TEST_F(MainWindowTest, ExampleFolderInformationFile) {
  TempDir target;
  FolderChooser chooser(target.path());
  BoxRecorder boxes;
  QAction* command = Get<QAction>("mnuCreateFolderInfoFileExample");
  command->trigger();
  EXPECT_EQ(chooser.prompts.at(0),
            "Select Folder to create Folder Information file in");
  const std::string path = target.Path("DirInfo.txt");
  const std::string sample =
      "[Directory Information]\r\nDirectoryTitle=June 2003 Beach Trip\r\n"
      "DirectoryDescription=Family trip to the southern California beach.\r\n"
      "SidebarPictureName=Sunset.jpg\r\n"
      "SidebarPictureCaption=Sunset over the ocean\r\n\r\n"
      "[Photo specific descriptions]\r\nOceanSideView.jpg=Pacific Ocean\r\n"
      "OldLighthouse.jpg=Lighthouse from 1893\r\n";
  EXPECT_EQ(ReadFile(path), sample);
  EXPECT_TRUE(boxes.boxes.empty());

  WriteFile(path, "old content");
  boxes.answers = {Answer::kNo, Answer::kCancel};
  command->trigger();
  command->trigger();
  EXPECT_EQ(ReadFile(path), "old content");
  EXPECT_FALSE(::orvanta::testing::PathExists(path + ".old"));
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[0].title, "File Exists");
  EXPECT_EQ(boxes.boxes[0].text,
            "A file named DirInfo.txt exists in the selected folder (" +
                target.path() + "/).  Overwrite it?");
  EXPECT_EQ(boxes.boxes[0].buttons, Buttons::kYesNoCancel);
  EXPECT_EQ(boxes.boxes[0].icon, Icon::kQuestion);

  boxes.answers = {Answer::kYes};
  command->trigger();
  EXPECT_EQ(ReadFile(path), sample);
  EXPECT_EQ(ReadFile(path + ".old"), "old content");
}

TEST_F(MainWindowTest, ExampleFileFailureIsReported) {
  FolderChooser chooser(dir_.Path("no/such/folder"));
  BoxRecorder boxes;
  w_.CreateFolderInfoFileExample();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].title, "Aborting");
  EXPECT_EQ(boxes.boxes[0].text.rfind(
                "Error occurred in CreateFolderInfoFileExample: ", 0),
            0u);
  EXPECT_EQ(boxes.boxes[0].icon, Icon::kWarning);
}

TEST_F(MainWindowTest, SaveAndRestoreDefaultOptions) {
  BoxRecorder boxes;
  Get<QAction>("mnuRestoreDefaultOptions")->trigger();
  EXPECT_EQ(Box("txtInputFolder")->text().toStdString(), dir_.path());
  EXPECT_EQ(Get<QCheckBox>("chkOverwriteExistingFiles")->checkState(),
            Qt::Checked);
  Box("txtThumbnailsPerRow")->setText("9");
  Get<QAction>("mnuSaveDefaultOptions")->trigger();
  const std::string saved = ReadFile(dir_.Path("info.ini"));
  EXPECT_NE(saved.find("ThumbnailsPerRow=9\r\n"), std::string::npos);
  EXPECT_NE(saved.find("SourceDirectory=" + dir_.path() + "\r\n"),
            std::string::npos);
  EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
}  // namespace orvanta
