// The desktop program's entry point: the Qt application, then start-up and
// the main window until it closes.
#include <QApplication>

#include "ui/desktop_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvanta"));
  return orvanta::RunDesktopProgram(argc, argv);
}
