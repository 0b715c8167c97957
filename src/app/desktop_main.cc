// The desktop program's entry point: the Qt application, then start-up and
// the main window until it closes.
#include <QApplication>
#include <iostream>

#include "options/command_line.h"
#include "ui/desktop_app.h"

int main(int argc, char** argv) {
  // Before any window or display is needed.
  if (orvanta::AsksForUsage(argc, argv)) {
    std::cout << orvanta::DesktopUsage();
    return 0;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvanta"));
  return orvanta::RunDesktopProgram(argc, argv);
}
