// The main window as a person uses it: start-up, the three-state boxes,
// what the text boxes accept and the rules on leaving them, Escape, its
// commands, and whole runs started from the create button.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "testing/gui_support.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"
#include "ui/about_box.h"
#include "ui/check_box.h"
#include "ui/desktop_app.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"

namespace orvanta::testing {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : app_(program_.path()), w_(app_.main_window()) {}
  void ShowActive() {
    w_.show();
    w_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w_));
  }
  template <typename T = QWidget>
  T* Get(const char* name) {
    T* widget = w_.findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLineEdit* Box(const char* name) { return Get<QLineEdit>(name); }
  // Types `text` into a box and moves on as the Tab key does.
  QString Leave(const char* name, const QString& text) {
    QLineEdit* box = Box(name);
    box->setText(text);
    box->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    Get("cmdSelectSourceFolder")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    return box->text();
  }
  void MakePhotos() {
    MakePicture(photos_.Path("Beach1.jpg"), 640, 480);
    MakePicture(photos_.Path("Sunset/Evening.jpg"), 800, 600);
    Box("txtInputFolder")->setText(QString::fromStdString(photos_.path()));
  }

  TempDir program_;
  TempDir photos_;
  DesktopApp app_;
  FrmOrvanta& w_;
};

TEST(StartUpTest, SplashHelpDefaultsThenOptionsFileThenMainWindow) {
  TempDir program;
  WriteFile(program.Path("info.ini"),
            "ThumbnailsPerRow=7\r\nUseIrfanview=True\r\n");
  BoxRecorder boxes;
  DesktopApp app(program.path());
  app.StartUp("/? /h /x");
  EXPECT_EQ(boxes.messages.size(), 2u);  // one box for each of /? and /h
  FrmOrvanta& w = app.main_window();
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(app.about_box().isVisible());
  EXPECT_EQ(w.ReadControls().thumbnails_per_row, "7");
  EXPECT_TRUE(w.findChild<QLineEdit*>("txtIrfanviewPath")->isVisible());
  EXPECT_FALSE(w.windowIcon().pixmap(32).isNull());  // the program's icon
}

// The splash has no OK button, so Escape leaves it up; it goes two ticks
// after start-up is done. The About box's texts can be copied, not edited.
TEST(AboutBoxTest, SplashGoesWhenLoadedAndTheAboutBoxOnItsOk) {
  FrmAboutBox box;
  box.ShowSplash();
  EXPECT_EQ(box.windowTitle(), "Loading");
  auto* ok = box.findChild<QPushButton*>("cmdOK");
  QTest::keyClick(&box, Qt::Key_Escape);
  EXPECT_TRUE(box.isVisible());
  box.set_tag("Loaded");
  while (box.tag() != "Hidden") {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  EXPECT_EQ(box.tick_count(), 2);
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.windowTitle(), "About");
  bool ok_shown = false, read_only = false;
  QTimer::singleShot(0, [&] {
    ok_shown = ok->isVisible();
    read_only = box.findChild<QPlainTextEdit*>("txtHTTP")->isReadOnly();
    box.close();  // only hides
    box.ShowSplash();
    QTest::keyClick(&box, Qt::Key_Escape);
  });
  box.ShowAbout();
  EXPECT_TRUE(ok_shown);
  EXPECT_TRUE(read_only);
  EXPECT_TRUE(box.isVisible());
}

TEST(StartUpTest, AnInstalledProgramOffersThePicturesFolderNotItsSettings) {
  TempDir home;
  const QByteArray old_home = qgetenv("HOME");
  qputenv("HOME", QByteArray::fromStdString(home.path()));
  const std::string settings = home.Path(".config/orvanta");
  MakeFolders(settings);
  EXPECT_EQ(DefaultInputFolder("/usr/bin", settings), "");
  MakeFolders(home.Path("Pictures"));
  const std::string offered = DefaultInputFolder("/usr/bin", settings);
  EXPECT_EQ(offered, home.Path("Pictures"));
  {
    DesktopApp app(settings, offered);
    app.StartUp("");
    EXPECT_EQ(app.main_window().ReadControls().input_folder, offered);
  }
  qputenv("HOME", old_home);
  EXPECT_NE(ReadFile(settings + "/info.ini").find("SourceDirectory=" + offered),
            std::string::npos);
}

TEST_F(MainWindowTest, CheckBoxesHaveThreeStatesAndTheControlsRoundTrip) {
  OptionControls c = w_.ReadControls();
  c.thumbnails_per_row = "7";
  c.create_thumbnails_index = 2;
  c.target_screen_resolution_index = 6;
  c.include_movie_files = 2;
  c.irfanview_path = "/usr/bin/iview";
  c.sort_by_date_taken = 1;
  w_.WriteControls(c);
  EXPECT_EQ(w_.ReadControls(), c);
  ShowActive();
  auto* movies = Get<QCheckBox>("chkIncludeMovieFiles");
  for (int expected : {1, 0, 1}) {  // grey -> checked -> unchecked -> checked
    QTest::mouseClick(movies, Qt::LeftButton);
    EXPECT_EQ(CheckBoxValue(movies), expected);
  }
}

TEST_F(MainWindowTest, TextBoxesFilterKeysAndApplyTheirRulesOnLeaving) {
  ShowActive();
  QLineEdit* name = Box("txtIndexTemplateFile");
  name->setFocus();
  name->clear();
  QTest::keyClicks(name, "a\\:b,c.-_+$@ 1");
  EXPECT_EQ(name->text(), "abc.-_+$@ 1");
  QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(name->text(), "");
  // The filters leave the box's other events alone: a double click still
  // selects a word.
  name->setText(QStringLiteral("word"));
  QTest::mouseDClick(name, Qt::LeftButton, {}, QPoint(8, name->height() / 2));
  EXPECT_EQ(name->selectedText(), "word");
  QLineEdit* number = Box("txtThumbnailsPerRow");
  number->setFocus();
  number->clear();
  QTest::keyClicks(number, "1-.e 0a");
  QTest::keyClick(number, Qt::Key_Home);  // keys without a character work
  QTest::keyClick(number, Qt::Key_2);
  EXPECT_EQ(number->text(), "210");
  QTest::keyClick(number, Qt::Key_End);
  QTest::keyClick(number, Qt::Key_Backspace);  // kept keys act as usual
  EXPECT_EQ(number->text(), "21");

  const struct {
    const char *box, *typed, *after;
  } rules[] = {
      {"txtThumbnailFilePrefix", "", "t_"},
      {"txtThumbnailFilePrefix", " ", " "},
      {"txtPictureFileExtensions", "", "jpg, jpeg, gif, png, bmp"},
      {"txtMovieFileThumbnailExtension", "  .png ", "png"},
      {"txtMovieFileThumbnailExtension", ".", "jpg"},
      {"txtThumbnailMaximumWidthOrHeight", "4000abc", "4000abc"},
      {"txtThumbnailMaximumWidthOrHeight", "9", "150"},
      {"txtThumbnailsPerRow", "0", "4"},
      {"txtInputFolder", "", ""},
      {"txtGalleryAddress", "https://example.org/a", ""},
      {"txtGalleryAddress", "https://example.org/a/", "https://example.org/a/"},
  };
  for (const auto& rule : rules) {
    EXPECT_EQ(Leave(rule.box, rule.typed), rule.after) << rule.box;
  }
}

TEST_F(MainWindowTest, ControlsThatFollowOtherControls) {
  auto* target = Get<QComboBox>("cboTargetScreenResolution");
  SetCheckBoxValue(Get<QCheckBox>("chkIncludeMidSizePicture"), 0);
  EXPECT_FALSE(target->isEnabled());
  EXPECT_FALSE(Get("chkCreateMidSizeFiles")->isEnabled());
  SetCheckBoxValue(Get<QCheckBox>("chkIncludeMidSizePicture"), 2);
  EXPECT_TRUE(target->isEnabled());  // grey is not unchecked
  EXPECT_TRUE(Get("chkCreateMidSizeFiles")->isEnabled());
  // The page style fills the boxes it needs, and follows the templates.
  auto* style = Get<QComboBox>("cboPageStyle");
  Box("txtMovieFileExtensions")->setText(QStringLiteral("mov,avi"));
  emit style->activated(1);
  EXPECT_EQ(w_.ReadControls().movie_file_extensions,
            "mov, avi, mp4, m4v, webm");
  EXPECT_EQ(w_.ReadControls().picture_template_file,
            "ModernPictureTemplate.html");
  EXPECT_EQ(w_.ReadControls().create_mid_size_files, 1);
  Box("txtIndexTemplateFile")->setText(QString(kDefaultIndexTemplate));
  EXPECT_EQ(style->currentIndex(), 0);
  ShowActive();
  auto* irfan = Get<QCheckBox>("chkUseIrfanview");
  EXPECT_FALSE(Box("txtIrfanviewPath")->isVisible());
  QTest::mouseClick(irfan, Qt::LeftButton);
  EXPECT_TRUE(Box("txtIrfanviewPath")->isVisible());
  EXPECT_FALSE(Get("chkCreateMidSizeFiles")->isEnabled());  // no copies
  const int taller = w_.height();
  SetCheckBoxValue(irfan, 2);  // grey is not checked
  EXPECT_FALSE(Box("txtIrfanviewPath")->isVisible());
  EXPECT_TRUE(Get("chkCreateMidSizeFiles")->isEnabled());
  EXPECT_LT(w_.height(), taller);
}

TEST_F(MainWindowTest, EscapeClosesTheProgramAndEveryWindow) {
  app_.about_box().show();
  app_.progress().InitializeForm("task", 0, 10, false, false, true);
  ShowActive();
  QTest::keyClick(Get("cboCreateThumbnails"), Qt::Key_Escape);
  EXPECT_TRUE(app_.quit_requested());
  EXPECT_FALSE(w_.isVisible());
  EXPECT_FALSE(app_.about_box().isVisible());
  EXPECT_FALSE(app_.progress().isVisible());
}

TEST_F(MainWindowTest, EscapeInAnOpenListClosesOnlyTheList) {
  ShowActive();
  Get<QComboBox>("cboTargetScreenResolution")->showPopup();
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  // As a person's key comes: to the window that has the focus.
  QTest::keyClick(QApplication::focusWindow(), Qt::Key_Escape);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_FALSE(app_.quit_requested());
  EXPECT_TRUE(w_.isVisible());
}

TEST_F(MainWindowTest, FolderPickerAndTheExampleInformationFile) {
  {
    FolderChooser chooser("/chosen/folder");
    Get<QAction>("mnuSelectFolder")->trigger();
  }
  EXPECT_EQ(Box("txtInputFolder")->text(), "/chosen/folder");
  {
    FolderChooser chooser("/srv/www");
    Get<QPushButton>("cmdSelectOutputFolder")->click();
  }
  EXPECT_EQ(w_.ReadControls().output_folder, "/srv/www");
  // An output folder is always pruned: the box for in place is off.
  EXPECT_FALSE(Get("chkRemoveStaleFiles")->isEnabled());
  FolderChooser chooser(photos_.path());
  BoxRecorder boxes;
  QAction* command = Get<QAction>("mnuCreateFolderInfoFileExample");
  command->trigger();
  const std::string path = photos_.Path("DirInfo.txt");
  const std::string sample = ReadFile(path);
  EXPECT_TRUE(sample.starts_with("[Directory Information]\r\nDirectoryTitle="));
  WriteFile(path, "old content");
  boxes.answers = {Answer::kNo};
  command->trigger();
  EXPECT_EQ(ReadFile(path), "old content");
  EXPECT_EQ(boxes.messages.at(0).title, "File Exists");
  boxes.answers = {Answer::kYes};
  command->trigger();
  EXPECT_EQ(ReadFile(path), sample);
  EXPECT_EQ(ReadFile(path + ".old"), "old content");
}

TEST_F(MainWindowTest, SaveAndRestoreFromTheMenus) {
  BoxRecorder boxes;
  Box("txtThumbnailsPerRow")->setText("9");
  Get<QAction>("mnuSaveDefaultOptions")->trigger();
  EXPECT_NE(ReadFile(program_.Path("info.ini")).find("ThumbnailsPerRow=9\r\n"),
            std::string::npos);
  Get<QAction>("mnuRestoreDefaultOptions")->trigger();
  EXPECT_EQ(Box("txtThumbnailsPerRow")->text(), "4");
  EXPECT_EQ(Box("txtInputFolder")->text().toStdString(), program_.path());
  EXPECT_EQ(boxes.Transcript(), "");
  std::filesystem::remove(program_.Path("info.ini"));
  MakeFolders(program_.Path("info.ini"));
  Get<QAction>("mnuSaveDefaultOptions")->trigger();
  EXPECT_EQ(boxes.messages.at(0).title, "Error");
  WhenModalShown([](QWidget* about) { about->close(); });
  Get<QAction>("mnuAbout")->trigger();
  EXPECT_FALSE(app_.about_box().isVisible());
  Get<QAction>("mnuExit")->trigger();
  EXPECT_TRUE(app_.quit_requested());
}

TEST_F(MainWindowTest, WholeRunFromTheCreateButton) {
  MakePhotos();
  BoxRecorder boxes;
  bool create_enabled = true, save_enabled = true, controls_shown = false;
  double bar = 0;  // the most of its box that the overall bar filled
  QTimer::singleShot(0, [&] {
    create_enabled = Get("cmdCreateOrvanta")->isEnabled();
    save_enabled = Get<QAction>("mnuSaveDefaultOptions")->isEnabled();
    w_.CreateOrvanta();  // a nested run is refused
  });
  QTimer watch;  // looks at every yield of the run
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QWidget* fill = app_.progress().findChild<QWidget*>("pbarProgress");
    QWidget* box = app_.progress().findChild<QWidget*>("pbarProgressBox");
    if (app_.progress().isVisible()) {
      // A prefix typed during the run does not change the run.
      Box("txtThumbnailFilePrefix")->setText("x_");
      bar = std::max(bar, 1.0 * fill->width() / box->width());
      controls_shown |=
          app_.progress().findChild<QWidget*>("cmdPause")->isVisible() &&
          app_.progress().findChild<QWidget*>("lblTimeStats")->isVisible();
    }
  });
  watch.start(0);
  Get<QPushButton>("cmdCreateOrvanta")->click();
  watch.stop();
  EXPECT_FALSE(create_enabled);
  EXPECT_FALSE(save_enabled);
  EXPECT_GT(bar, 0.5);          // the progress window showed the run advance
  EXPECT_TRUE(controls_shown);  // with its time line and pause button
  EXPECT_EQ(boxes.Transcript(),
            "Gallery created: Orvanta created.  Processed "
            "2 image files in 2 folders.\n");
  EXPECT_EQ(boxes.messages.back().open_page, photos_.Path("index.html"));
  EXPECT_TRUE(PathExists(photos_.Path("Sunset/t_Evening.jpg")));
  EXPECT_FALSE(PathExists(photos_.Path("Sunset/x_Evening.jpg")));
  EXPECT_FALSE(app_.progress().isVisible());
  EXPECT_TRUE(Get<QAction>("mnuSaveDefaultOptions")->isEnabled());
}

TEST_F(MainWindowTest, FailedRunsPutTheWindowsBackInOrder) {
  MakePhotos();
  BoxRecorder boxes;
  Box("txtInputFolder")->setText("");
  Get<QPushButton>("cmdCreateOrvanta")->click();
  EXPECT_EQ(boxes.Transcript(),
            "Missing Folder: Please specify an input folder.\n");
  // A progress window left up and the busy pointer on, then a run that
  // fails in the options snapshot (a per-row box that is no number).
  boxes.messages.clear();
  MakePhotos();
  app_.progress().InitializeForm("left over", 0, 10, false, false, true);
  app_.progress().SetBusy(true);
  Box("txtThumbnailsPerRow")->setText("abc");
  Get<QPushButton>("cmdCreateOrvanta")->click();
  EXPECT_EQ(w_.last_outcome(), RunOutcome::kFailed);
  EXPECT_FALSE(app_.progress().isVisible());
  EXPECT_NE(w_.cursor().shape(), Qt::WaitCursor);
  EXPECT_TRUE(Get("cmdCreateOrvanta")->isEnabled());
}

TEST_F(MainWindowTest, ClosingTheWindowDuringARunAsksFirst) {
  MakePhotos();
  BoxRecorder boxes;
  boxes.answers = {Answer::kNo};  // the run goes on, the window stays
  QTimer::singleShot(0, [&] { w_.close(); });
  Get<QPushButton>("cmdCreateOrvanta")->click();
  EXPECT_EQ(w_.last_outcome(), RunOutcome::kCompleted);
  EXPECT_TRUE(boxes.Transcript().starts_with("Cancel Task: "));
  EXPECT_EQ(boxes.messages[0].default_button, 2);  // No preselected
  EXPECT_FALSE(app_.quit_requested());
  boxes.answers = {Answer::kYes};  // abandons the run, then closes
  QTimer::singleShot(0, [&] { w_.close(); });
  Get<QPushButton>("cmdCreateOrvanta")->click();
  EXPECT_TRUE(app_.quit_requested());
  EXPECT_NE(w_.last_outcome(), RunOutcome::kCompleted);
  EXPECT_FALSE(app_.progress().isVisible());
}

}  // namespace
}  // namespace orvanta::testing
