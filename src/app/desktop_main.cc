// The desktop program's entry point: its arguments, the Qt application,
// then start-up and the main window until it closes.
#include <QApplication>
#include <iostream>
#include <string>

#include "options/command_line.h"
#include "ui/desktop_app.h"

namespace {

constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv) {
  // Before any window or display is needed.
  std::string error;
  switch (orvanta::ReadDesktopArguments(argc, argv, &error)) {
    case orvanta::DesktopStart::kUsage:
      std::cout << orvanta::DesktopUsage();
      return 0;
    case orvanta::DesktopStart::kUsageError:
      std::cerr << "orvanta: " << error << "\n" << orvanta::DesktopUsage();
      return kExitUsage;
    case orvanta::DesktopStart::kWindow:
      break;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvanta"));
  // The installed desktop entry's name (CMakeLists.txt): desktops match the
  // program's windows to its entry and icon by it.
  QGuiApplication::setDesktopFileName(QStringLiteral(ORVANTA_APP_ID));
  return orvanta::RunDesktopProgram(argc, argv);
}
