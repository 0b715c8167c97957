// The desktop program's entry point: its arguments, the Qt application,
// then start-up and the main window until it closes.
#include <QApplication>
#include <iostream>
#include <string>

#include "common/error.h"
#include "options/command_line.h"
#include "ui/desktop_app.h"

namespace {

constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv) {
  // Before any window or display is needed.
  try {
    if (orvanta::ReadDesktopArguments(argc, argv) ==
        orvanta::DesktopStart::kUsage) {
      std::cout << orvanta::DesktopUsage();
      return 0;
    }
  } catch (const orvanta::Error& e) {
    std::cerr << "orvanta: " << e.what() << "\n" << orvanta::DesktopUsage();
    return kExitUsage;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvanta"));
  // The installed desktop entry's name (CMakeLists.txt): desktops match the
  // program's windows to its entry and icon by it.
  QGuiApplication::setDesktopFileName(QStringLiteral(ORVANTA_APP_ID));
  return orvanta::RunDesktopProgram(argc, argv);
}
