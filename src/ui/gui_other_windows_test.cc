// Tests of the about box and splash hand-shake, the text report window,
// the real message boxes and folder dialog, window placement once per run
// and unloading the windows.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "testing/temp_dir.h"
#include "ui/about_box.h"
#include "ui/folder_picker.h"
#include "ui/gui_test_support.h"
#include "ui/message_boxes.h"
#include "ui/show_text_window.h"
#include "ui/window_placement.h"

namespace orvanta {
namespace {

using ::orvanta::testing::TempDir;
using ::orvanta::testing::WaitUntil;
using ::orvanta::testing::WhenModalShown;

QString LabelText(QWidget* window, const char* name) {
  return window->findChild<QLabel*>(QLatin1String(name))->text();
}

TEST(AboutBoxTest, Texts) {
  FrmAboutBox box;
  EXPECT_EQ(box.windowTitle(), "About");
  EXPECT_EQ(LabelText(&box, "lblProgramTitle"), "Orvanta Cataloger");
  EXPECT_EQ(LabelText(&box, "lblOS"), "for Windows 9x/ME/NT/00/XP");
  EXPECT_EQ(LabelText(&box, "lblVersion"), "Version 1.44");
  EXPECT_EQ(LabelText(&box, "lblBuild"), "(Build 66)");
  EXPECT_EQ(LabelText(&box, "lblAuthor"), "by Orvanta developers");
  EXPECT_EQ(LabelText(&box, "lblDate"), "May 3, 2004");
  EXPECT_EQ(LabelText(&box, "lblFreeware"), "");
  auto* mail = box.findChild<QPlainTextEdit*>(QStringLiteral("txtEMail"));
  EXPECT_TRUE(mail->toPlainText().contains("  and  "));
  EXPECT_EQ(box.ok_button()->text(), "&OK");
  EXPECT_EQ(box.splash_timer()->interval(), 250);
  EXPECT_FALSE(box.splash_timer()->isActive());
}

TEST(AboutBoxTest, SplashWaitsForTheSecondTick) {
  FrmAboutBox box;
  QElapsedTimer timer;
  timer.start();
  box.ShowSplash();
  EXPECT_EQ(box.windowTitle(), "Loading");
  EXPECT_FALSE(box.ok_button()->isVisible());
  EXPECT_TRUE(box.isVisible());
  box.set_tag(QStringLiteral("Loaded"));  // loading done at once
  ASSERT_TRUE(WaitUntil([&] { return box.tag() == "Hidden"; }));
  EXPECT_GE(timer.elapsed(), 450);
  EXPECT_EQ(box.tick_count(), 2);
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.windowTitle(), "About");
  EXPECT_FALSE(box.splash_timer()->isActive());
}

TEST(AboutBoxTest, SplashHidesAtTheFirstTickAfterLoading) {
  FrmAboutBox box;
  box.ShowSplash();
  ASSERT_TRUE(WaitUntil([&] { return box.tick_count() >= 4; }));
  // The close box only hides the splash; the hand-shake goes on.
  box.close();
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.tag(), "");
  QElapsedTimer timer;
  timer.start();
  const int ticks = box.tick_count();
  box.set_tag(QStringLiteral("Loaded"));
  ASSERT_TRUE(WaitUntil([&] { return box.tag() == "Hidden"; }));
  EXPECT_LE(timer.elapsed(), 400);
  EXPECT_EQ(box.tick_count(), ticks + 1);
  box.set_tag(QStringLiteral("loaded"));  // exact comparison only
  box.SplashTimerTick();
  EXPECT_EQ(box.tag(), "loaded");
}

TEST(AboutBoxTest, AboutIsModalWithItsOkButton) {
  FrmAboutBox box;
  bool was_modal = false;
  WhenModalShown([&](QWidget* modal) {
    was_modal = modal == &box && box.ok_button()->isVisible();
    box.ok_button()->click();
  });
  box.ShowAbout();
  EXPECT_TRUE(was_modal);
  EXPECT_FALSE(box.isVisible());
  WhenModalShown(
      [&](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
  box.ShowAbout();  // Escape hides it as well; the second time looks the same
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(LabelText(&box, "lblVersion"), "Version 1.44");
  EXPECT_FALSE(box.splash_timer()->isActive());
}

TEST(ShowTextWindowTest, LayoutSelectAllAndClose) {
  FrmShowText window;
  EXPECT_EQ(window.windowTitle(), "Info");
  window.SetText("first line\r\nsecond line");
  EXPECT_EQ(window.text_box()->toPlainText(), "first line\nsecond line");
  EXPECT_TRUE(window.text_box()->isReadOnly());
  window.resize(600, 400);
  window.show();
  const TextReportLayout l = LayoutTextReport(
      9000, 6000, PixelsToTwips(window.close_button()->width()),
      PixelsToTwips(window.close_button()->height()));
  EXPECT_EQ(
      window.text_box()->geometry(),
      QRect(8, 8, TwipsToPixels(l.text_width), TwipsToPixels(l.text_height)));
  window.resize(80, 80);  // smaller than the minimums
  QApplication::processEvents();
  EXPECT_EQ(window.text_box()->width(), TwipsToPixels(1000));
  EXPECT_EQ(window.close_button()->x(), 8);
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.text_box()->setFocus();
  QTest::keyClick(window.text_box(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(window.text_box()->textCursor().selectedText(),
            QString("first line") + QChar(0x2029) + "second line");
  window.close_button()->click();
  EXPECT_FALSE(window.isVisible());
}

TEST(ShowTextWindowTest, ReportIsModalUntilClosed) {
  bool shown = false;
  WhenModalShown([&](QWidget* modal) {
    auto* window = dynamic_cast<FrmShowText*>(modal);
    shown =
        window != nullptr && window->text_box()->toPlainText() == "error list";
    if (window != nullptr) window->close_button()->click();
  });
  ShowTextReport(nullptr, "error list");
  EXPECT_TRUE(shown);
}

TEST(MessageBoxTest, RealBoxCarriesTitleTextButtonsIconAndDefault) {
  MessageBox box{"Warning", "Line one\r\nLine two", Buttons::kYesNoCancel,
                 Icon::kQuestion, 3};
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButton preselected = QMessageBox::NoButton;
  int buttons = 0;
  WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    text = dialog->text();
    icon = dialog->icon();
    buttons = dialog->buttons().size();
    preselected = dialog->standardButton(dialog->defaultButton());
    dialog->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(ShowMessageBox(nullptr, box), Answer::kNo);
  EXPECT_EQ(title, "Warning");
  EXPECT_EQ(text, "Line one\nLine two");
  EXPECT_EQ(icon, QMessageBox::Question);
  EXPECT_EQ(buttons, 3);
  EXPECT_EQ(preselected, QMessageBox::Cancel);

  WhenModalShown(
      [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
  EXPECT_EQ(ShowMessageBox(nullptr, box), Answer::kCancel);
  MessageBox ok{"Gallery created", "Done.", Buttons::kOk, Icon::kInformation,
                1};
  WhenModalShown(
      [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
  EXPECT_EQ(ShowMessageBox(nullptr, ok), Answer::kOk);
  QMessageBox dialog;
  ConfigureMessageBox(MessageBox{"t", "x", Buttons::kYesNo, Icon::kWarning, 2},
                      &dialog);
  EXPECT_EQ(dialog.standardButton(dialog.defaultButton()), QMessageBox::No);
  EXPECT_EQ(dialog.icon(), QMessageBox::Warning);
}

TEST(FolderPickerTest, CancelLeavesTheStartFolder) {
  TempDir dir;
  std::string start = dir.path();
  bool folders_only = true;
  QString title, opened_on;
  WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    opened_on = dialog->directory().absolutePath();
    dialog->reject();
  });
  EXPECT_EQ(BrowseForFolder(nullptr, &start, "Select Input Folder",
                            &folders_only, "All", "*.*"),
            "");
  EXPECT_EQ(start, dir.path());
  EXPECT_EQ(title, "Select Input Folder");
  EXPECT_EQ(opened_on.toStdString(), dir.path());
}

TEST(FolderPickerTest, ChosenFolderIsReturnedAndStored) {
  TempDir dir;
  ::orvanta::testing::MakeFolders(dir.Path("Beach"));
  std::string start = dir.path();
  bool folders_only = true;
  WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->setDirectory(QString::fromStdString(dir.Path("Beach")));
    static_cast<QDialog*>(dialog)->accept();  // the Choose button
  });
  const std::string chosen =
      BrowseForFolder(nullptr, &start, "Pick", &folders_only, "All", "*.*");
  EXPECT_EQ(chosen, dir.Path("Beach"));
  EXPECT_EQ(start, chosen);
}

TEST(PlacementWindowTest, OncePerRunLeavesAMovedWindowAlone) {
  QWidget window;
  window.setObjectName(QStringLiteral("frmPlacementOnce"));
  SizeAndCenterWindow(&window, kTopLeft, 3000, 1500, true, kCurrentMonitor);
  EXPECT_EQ(window.pos(), QPoint(0, 0));
  EXPECT_EQ(window.size(), QSize(200, 100));
  window.move(33, 44);
  SizeAndCenterWindow(&window, kTopLeft, 6000, 3000, true, kCurrentMonitor);
  EXPECT_EQ(window.pos(), QPoint(33, 44));
  EXPECT_EQ(window.size(), QSize(200, 100));
  SizeAndCenterWindow(&window, kTopRight, -1, 0, false, kCurrentMonitor);
  EXPECT_EQ(window.size(), QSize(200, 100));
  EXPECT_EQ(window.x() + 200, TwipsToPixels(ScreenSizeTwips(&window).width()));
}

TEST(PlacementWindowTest, UnloadAllFormsExceptOne) {
  QWidget keep, other, not_ours;
  keep.setObjectName(QStringLiteral("frmKeep"));
  other.setObjectName(QStringLiteral("frmOther"));
  not_ours.setObjectName(QStringLiteral("helper"));
  for (QWidget* w : {&keep, &other, &not_ours}) w->show();
  UnloadAllFormsExcept(QStringLiteral("frmKeep"));
  EXPECT_TRUE(keep.isVisible());
  EXPECT_FALSE(other.isVisible());
  EXPECT_TRUE(IsUnloading(&other));
  EXPECT_TRUE(not_ours.isVisible());
}

}  // namespace
}  // namespace orvanta
