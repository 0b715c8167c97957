// Entry point of the window tests: one QApplication for all of them, run
// headless unless QT_QPA_PLATFORM says otherwise. A modal window that no
// test answers would hold the run for ever: after ten seconds it fails the
// test and is closed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  QWidget* modal = nullptr;
  QElapsedTimer open_for;
  QTimer watchdog;
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    if (QApplication::activeModalWidget() != modal) {
      modal = QApplication::activeModalWidget();
      open_for.restart();
    } else if (modal != nullptr && open_for.elapsed() > 10000) {
      ADD_FAILURE() << "a window was left open: "
                    << modal->windowTitle().toStdString();
      modal->close();
    }
  });
  watchdog.start(500);
  return RUN_ALL_TESTS();
}
