// The main window test fixture: a program in a temporary folder with its
// main window loaded, and helpers to find controls and move the focus.
#ifndef ORVANTA_UI_GUI_MAIN_WINDOW_FIXTURE_H_
#define ORVANTA_UI_GUI_MAIN_WINDOW_FIXTURE_H_

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "testing/temp_dir.h"
#include "ui/desktop_app.h"
#include "ui/main_window.h"

namespace orvanta {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : app_(dir_.path()), w_(app_.main_window()) {}

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
  // Moves the focus from `box` to the next control as the Tab key does.
  void LeaveBox(QLineEdit* box) {
    box->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    Get("cmdSelectSourceFolder")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
  }

  ::orvanta::testing::TempDir dir_;
  DesktopApp app_;
  FrmOrvanta& w_;
};

}  // namespace orvanta

#endif  // ORVANTA_UI_GUI_MAIN_WINDOW_FIXTURE_H_
