// The main window from the keyboard: its access keys, the tab chain, where
// the focus is after a run; and where the progress window shows run after
// run.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <map>
#include <vector>

#include "testing/gui_support.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"
#include "ui/check_box.h"
#include "ui/desktop_app.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"

namespace orvanta::testing {
namespace {

class WindowKeysTest : public ::testing::Test {
 protected:
  WindowKeysTest() : app_(program_.path()), w_(app_.main_window()) {
    w_.show();
    w_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w_));
  }
  QWidget* Get(const char* name) {
    QWidget* widget = w_.findChild<QWidget*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  TempDir program_;
  DesktopApp app_;
  FrmOrvanta& w_;
};

// The text a control shows, with its access key marked.
QString MarkedText(const QWidget* widget) {
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    return button->text();
  }
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* frame = qobject_cast<const QGroupBox*>(widget)) {
    return frame->title();
  }
  return QString();
}

// Whether `a` comes before `b` as the window reads: compared are the two
// controls, or the frames that hold them, within the one container; side
// by side (more than half of the lower one level with the other) the left
// one first, else the upper one.
bool ReadsBefore(const QWidget* a, const QWidget* b) {
  while (!a->parentWidget()->isAncestorOf(b)) a = a->parentWidget();
  while (b->parentWidget() != a->parentWidget()) b = b->parentWidget();
  const QRect ra = a->geometry(), rb = b->geometry();
  const int level =
      std::min(ra.bottom(), rb.bottom()) - std::max(ra.top(), rb.top());
  if (level > std::min(ra.height(), rb.height()) / 2) {
    return ra.left() < rb.left();
  }
  return ra.top() < rb.top();
}

TEST_F(WindowKeysTest, NoTwoAccessKeysAreTheSameMenuTitlesIncluded) {
  std::map<QString, QString> keys;  // Alt+letter: the text that has it
  auto take = [&keys](const QString& text) {
    const QString key = QKeySequence::mnemonic(text).toString();
    if (key.isEmpty()) return;
    const auto [it, added] = keys.emplace(key, text);
    EXPECT_TRUE(added) << key.toStdString() << ": " << text.toStdString()
                       << " and " << it->second.toStdString();
  };
  for (QAction* menu : w_.menuBar()->actions()) take(menu->text());
  for (QWidget* widget : w_.findChildren<QWidget*>()) take(MarkedText(widget));
  EXPECT_GT(keys.size(), 15u);
}

TEST_F(WindowKeysTest, TabWalksEveryControlInTheOrderTheyRead) {
  for (int converter : {0, 1}) {  // its path box shows only when ticked
    SetCheckBoxValue(w_.findChild<QCheckBox*>("chkUseIrfanview"), converter);
    QWidget* first = Get("cmdSelectSourceFolder");
    first->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> walk{first};
    while (walk.size() < 100) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      if (QApplication::focusWidget() == first) break;
      walk.push_back(QApplication::focusWidget());
    }
    const auto reachable = std::ranges::count_if(
        w_.findChildren<QWidget*>(), [](const QWidget* widget) {
          return widget->isVisible() && widget->isEnabled() &&
                 (widget->focusPolicy() & Qt::TabFocus) != 0;
        });
    EXPECT_EQ(std::ssize(walk), reachable);
    for (size_t i = 1; i < walk.size(); ++i) {
      EXPECT_TRUE(ReadsBefore(walk[i - 1], walk[i]))
          << walk[i - 1]->objectName().toStdString() << " before "
          << walk[i]->objectName().toStdString();
    }
  }
}

TEST_F(WindowKeysTest, RunsLeaveTheFocusOnCreateAndShowProgressInOnePlace) {
  TempDir photos;
  MakePicture(photos.Path("Beach1.jpg"), 640, 480);
  w_.findChild<QLineEdit*>("txtInputFolder")
      ->setText(QString::fromStdString(photos.path()));
  BoxRecorder boxes;
  std::vector<QPoint> places;  // where each run's progress window stood
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const FrmProgress& progress = app_.progress();
    if (progress.isVisible() && places.size() < boxes.messages.size() + 1) {
      places.push_back(progress.frameGeometry().topLeft());
    }
  });
  watch.start(0);
  QWidget* create = Get("cmdCreateOrvanta");
  for (int run = 0; run < 3; ++run) {
    create->setFocus(Qt::TabFocusReason);
    QTest::keyClick(create, Qt::Key_Space);
    EXPECT_EQ(w_.focusWidget(), create) << run;
    // As the window system may tell of a hidden window (an X window
    // manager that took it off the screen): it stands in the corner.
    app_.progress().move(0, 0);
  }
  ASSERT_EQ(places.size(), 3u) << boxes.Transcript();
  EXPECT_EQ(places[1], places[0]);
  EXPECT_EQ(places[2], places[0]);
}

}  // namespace
}  // namespace orvanta::testing
