// Tests of the main window's controls: captions, positions, the menu bar,
// tab order and access keys, key filters and focus rules, the dependent
// caption, enabled state and heights, and the check box values.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "testing/temp_dir.h"
#include "ui/about_box.h"
#include "ui/check_box.h"
#include "ui/desktop_app.h"
#include "ui/gui_main_window_fixture.h"
#include "ui/gui_test_support.h"
#include "ui/main_window.h"
#include "ui/placement.h"
#include "ui/progress_window.h"

namespace orvanta {
namespace {

TEST_F(MainWindowTest, CaptionsTextsAndPositions) {
  EXPECT_EQ(w_.objectName(), "frmOrvanta");
  EXPECT_EQ(w_.windowTitle(), "Orvanta Cataloger");
  EXPECT_EQ(Get<QLabel>("lblDirections")->text(),
            "The graphic files in the input folder will be processed to "
            "create an html-based photo gallery.");
  EXPECT_EQ(Get<QPushButton>("cmdSelectSourceFolder")->text(),
            "Select &Base Folder");
  EXPECT_EQ(Get<QPushButton>("cmdCreateOrvanta")->text(), "&Create Orvanta");
  EXPECT_EQ(Get<QGroupBox>("fraFileOptions")->title(), "Template File Options");
  EXPECT_EQ(Get<QGroupBox>("fraOptions")->title(), "Output Options");
  EXPECT_EQ(Get<QCheckBox>("chkUseIrfanview")->toolTip(),
            "Download IrfanView from https://www.irfanview.com/");
  EXPECT_EQ(Box("txtIrfanviewPath")->toolTip(),
            "Typical path is C:\\Program Files\\Irfanview\\I_View32.exe");
  EXPECT_EQ(Box("txtPictureFileExtensions")->toolTip(),
            "Separate extensions using a comma; do not include the . in the "
            "extension.  Example list: jpg, gif, bmp");
  EXPECT_EQ(Get<QComboBox>("cboTargetScreenResolution")->toolTip(),
            "Target Screen Resolution for Mid-Size Picture.  If the original "
            "image is smaller than these dimensions, then no mid-size picture "
            "will be included.");
  // Window-relative design positions, also inside frames.
  const QWidget* form = w_.centralWidget();
  QWidget* input = Box("txtInputFolder");
  EXPECT_EQ(input->geometry(), QRect(120, 32, 449, 19));
  QWidget* prefix = Box("txtThumbnailFilePrefix");
  EXPECT_EQ(prefix->mapTo(form, QPoint(0, 0)),
            QPoint(TwipsToPixels(2880), TwipsToPixels(4680)));
  auto* combo = Get<QComboBox>("cboCreateThumbnails");
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(1), "Create new thumbnails for files without them");
  auto* sizes = Get<QComboBox>("cboTargetScreenResolution");
  ASSERT_EQ(sizes->count(), 5);
  EXPECT_EQ(sizes->itemText(4), "1600x1200");
  EXPECT_EQ(sizes->currentIndex(), 2);  // after load, before any options
}

TEST_F(MainWindowTest, MenuBar) {
  EXPECT_EQ(Get<QAction>("mnuSelectFolder")->text(), "&Select Base Folder");
  EXPECT_EQ(Get<QAction>("mnuSaveDefaultOptions")->text(),
            "Save &Default Options");
  EXPECT_EQ(Get<QAction>("mnuRestoreDefaultOptions")->text(),
            "&Restore Default Options");
  EXPECT_EQ(Get<QAction>("mnuCreateFolderInfoFileExample")->text(),
            "&Create example Folder Info file");
  EXPECT_EQ(Get<QAction>("mnuExit")->text(), "E&xit");
  EXPECT_EQ(Get<QAction>("mnuAbout")->text(), "&About Program");
  EXPECT_TRUE(Get<QAction>("mnuFileSep2")->isSeparator());
  const QList<QAction*> menus = w_.menuBar()->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), "&File");
  EXPECT_EQ(menus[1]->text(), "&Help");
}

TEST_F(MainWindowTest, TabOrderAndAccessKeys) {
  SetCheckBoxValue(Get<QCheckBox>("chkUseIrfanview"), 1);
  ShowActive();
  const char* order[] = {
      "cmdSelectSourceFolder",    "txtInputFolder",
      "txtIndexTemplateFile",     "txtPictureTemplateFile",
      "txtDirectoryInfoFile",     "chkOverwriteExistingFiles",
      "chkRecurseSubFolders",     "chkIncludeJavascriptNavFunctions",
      "chkIncludeMidSizePicture", "cboTargetScreenResolution",
      "txtThumbnailsPerRow",      "txtThumbnailMaximumWidthOrHeight",
      "cboCreateThumbnails",      "cmdCreateOrvanta",
      "txtThumbnailFilePrefix",   "txtMovieFileThumbnailExtension",
      "chkIncludePictureFiles",   "chkIncludeMovieFiles",
      "txtPictureFileExtensions", "txtMovieFileExtensions",
      "chkUseIrfanview",          "txtIrfanviewPath"};
  Get(order[0])->setFocus(Qt::OtherFocusReason);
  for (size_t i = 1; i < std::size(order); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), order[i]);
  }
  QTest::keyClick(&w_, Qt::Key_T, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "txtIndexTemplateFile");
  QTest::keyClick(&w_, Qt::Key_P, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget()->objectName(),
            "txtPictureTemplateFile");
  QTest::keyClick(&w_, Qt::Key_N, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget()->objectName(),
            "txtThumbnailFilePrefix");
}

TEST_F(MainWindowTest, FileNameBoxesFilterKeys) {
  ShowActive();
  for (const char* name : {"txtIndexTemplateFile", "txtPictureTemplateFile",
                           "txtDirectoryInfoFile"}) {
    QLineEdit* box = Box(name);
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, "a\\:b,c.-_+$@ 1");
    EXPECT_EQ(box->text(), "abc.-_+$@ 1") << name;
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(box->selectedText(), box->text());
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "") << name;
  }
}

TEST_F(MainWindowTest, NumberBoxesTakeDigitsOnly) {
  ShowActive();
  for (const char* name :
       {"txtThumbnailsPerRow", "txtThumbnailMaximumWidthOrHeight"}) {
    QLineEdit* box = Box(name);
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, "1-.e 2a");
    EXPECT_EQ(box->text(), "12") << name;
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "1");
    QApplication::clipboard()->setText(QStringLiteral("x-y"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "1x-y") << "pasted text is not filtered";
  }
}

TEST_F(MainWindowTest, FocusRulesOnLeavingBoxes) {
  ShowActive();
  QLineEdit* prefix = Box("txtThumbnailFilePrefix");
  prefix->setText("");
  LeaveBox(prefix);
  EXPECT_EQ(prefix->text(), "t_");
  prefix->setText(" ");
  LeaveBox(prefix);
  EXPECT_EQ(prefix->text(), " ");
  struct {
    const char* name;
    const char* fallback;
  } empties[] = {{"txtIndexTemplateFile", "IndexTemplate.html"},
                 {"txtPictureTemplateFile", "PictureTemplate.html"},
                 {"txtDirectoryInfoFile", "DirInfo.txt"},
                 {"txtPictureFileExtensions", "jpg, jpeg, gif, png, bmp"},
                 {"txtMovieFileExtensions", "mov, avi"}};
  for (const auto& e : empties) {
    Box(e.name)->setText("");
    LeaveBox(Box(e.name));
    EXPECT_EQ(Box(e.name)->text(), e.fallback);
  }
  QLineEdit* extension = Box("txtMovieFileThumbnailExtension");
  extension->setText("  .png ");
  LeaveBox(extension);
  EXPECT_EQ(extension->text(), "png");
  extension->setText(".");
  LeaveBox(extension);
  EXPECT_EQ(extension->text(), "jpg");
  QLineEdit* size = Box("txtThumbnailMaximumWidthOrHeight");
  size->setText("4000abc");
  LeaveBox(size);
  EXPECT_EQ(size->text(), "4000abc");
  size->setText("9");
  LeaveBox(size);
  EXPECT_EQ(size->text(), "150");
  size->setText("");
  LeaveBox(size);
  EXPECT_EQ(size->text(), "150");
  QLineEdit* per_row = Box("txtThumbnailsPerRow");
  per_row->setText("0");
  LeaveBox(per_row);
  EXPECT_EQ(per_row->text(), "4");
  per_row->setText("1000");
  LeaveBox(per_row);
  EXPECT_EQ(per_row->text(), "1000");
  // The input folder has no rule.
  Box("txtInputFolder")->setText("");
  LeaveBox(Box("txtInputFolder"));
  EXPECT_EQ(Box("txtInputFolder")->text(), "");
}

TEST_F(MainWindowTest, DependentCaptionEnabledStateAndHeight) {
  auto* create = Get<QComboBox>("cboCreateThumbnails");
  auto* overwrite = Get<QCheckBox>("chkOverwriteExistingFiles");
  create->setCurrentIndex(2);
  EXPECT_EQ(overwrite->text(),
            "&Overwrite Existing Html and Thumbnail Files w/o Confirmation");
  create->setCurrentIndex(0);
  EXPECT_EQ(overwrite->text(),
            "&Overwrite Existing Html Files Without Confirmation");

  auto* mid = Get<QCheckBox>("chkIncludeMidSizePicture");
  auto* target = Get<QComboBox>("cboTargetScreenResolution");
  target->setCurrentIndex(4);
  SetCheckBoxValue(mid, 0);
  EXPECT_FALSE(target->isEnabled());
  EXPECT_EQ(target->currentIndex(), 4);
  SetCheckBoxValue(mid, 2);  // grey counts as not unchecked
  EXPECT_TRUE(target->isEnabled());

  ShowActive();
  auto* irfan = Get<QCheckBox>("chkUseIrfanview");
  EXPECT_EQ(w_.OuterHeightTwips(), 6705);  // 6700 twips = 447 pixels
  EXPECT_FALSE(Box("txtIrfanviewPath")->isVisible());
  EXPECT_FALSE(Get("lblIrfanviewPath")->isVisible());
  QTest::mouseClick(irfan, Qt::LeftButton);
  EXPECT_EQ(CheckBoxValue(irfan), 1);
  EXPECT_EQ(w_.OuterHeightTwips(), 7200);
  EXPECT_TRUE(Box("txtIrfanviewPath")->isVisible());
  EXPECT_TRUE(Get("lblIrfanviewPath")->isVisible());
  SetCheckBoxValue(irfan, 2);  // grey is not "checked"
  EXPECT_EQ(w_.OuterHeightTwips(), 6705);
  EXPECT_FALSE(Box("txtIrfanviewPath")->isVisible());
}

TEST_F(MainWindowTest, CheckBoxValuesMapOntoQtStates) {
  OptionControls controls = w_.ReadControls();
  controls.include_movie_files = 2;
  controls.recurse_subfolders = 0;
  controls.include_picture_files = 1;
  w_.WriteControls(controls);
  auto* movies = Get<QCheckBox>("chkIncludeMovieFiles");
  EXPECT_EQ(movies->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(Get<QCheckBox>("chkIncludePictureFiles")->checkState(),
            Qt::Checked);
  EXPECT_EQ(w_.ReadControls().include_movie_files, 2);
  EXPECT_EQ(w_.ReadControls().recurse_subfolders, 0);
  EXPECT_EQ(w_.ReadControls().include_picture_files, 1);
  ShowActive();
  QTest::mouseClick(movies, Qt::LeftButton);  // grey -> checked
  EXPECT_EQ(CheckBoxValue(movies), 1);
  QTest::mouseClick(movies, Qt::LeftButton);  // checked -> unchecked
  EXPECT_EQ(CheckBoxValue(movies), 0);
  QTest::mouseClick(movies, Qt::LeftButton);  // unchecked -> checked
  EXPECT_EQ(CheckBoxValue(movies), 1);
  EXPECT_EQ(ValueOfCheckState(Qt::PartiallyChecked), 2);
  EXPECT_EQ(CheckStateOfValue(1), Qt::Checked);
}

TEST_F(MainWindowTest, ControlsRoundTripThroughTheModel) {
  OptionControls c;
  c.input_folder = "/photos/2003";
  c.index_template_file = "A.html";
  c.thumbnails_per_row = "7";
  c.create_thumbnails_index = 2;
  c.target_screen_resolution_index = 0;
  c.use_irfanview = 1;
  c.irfanview_path = "/usr/bin/iview";
  c.movie_file_extensions = "mpg";
  w_.WriteControls(c);
  EXPECT_EQ(w_.ReadControls(), c);
  c.create_thumbnails_index = -1;  // a list without selection
  w_.WriteControls(c);
  EXPECT_EQ(w_.ReadControls().create_thumbnails_index, -1);
}

}  // namespace
}  // namespace orvanta
