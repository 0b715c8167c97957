// The desktop program object and its start-up sequence.
#include "ui/desktop_app.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>

#include "common/error.h"
#include "options/command_line.h"
#include "options/options.h"
#include "options/options_file.h"
#include "options/settings_folder.h"
#include "ui/about_box.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/progress_window.h"

namespace orvanta {

DesktopApp::DesktopApp(std::string program_folder,
                       std::optional<std::string> default_input_folder)
    : program_folder_(std::move(program_folder)),
      default_input_folder_(default_input_folder.value_or(program_folder_)),
      fs_(std::make_unique<PosixFileSystem>()),
      make_tool_(CreateMagickImageTool) {
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/orvanta.svg")));
}

DesktopApp::~DesktopApp() = default;

FrmOrvanta& DesktopApp::main_window() {
  if (!main_window_) main_window_ = std::make_unique<FrmOrvanta>(this);
  return *main_window_;
}

FrmProgress& DesktopApp::progress() {
  if (!progress_) {
    progress_ = std::make_unique<FrmProgress>();
    progress_->set_owner(&main_window());
  }
  return *progress_;
}

FrmAboutBox& DesktopApp::about_box() {
  if (!about_box_) about_box_ = std::make_unique<FrmAboutBox>();
  return *about_box_;
}

void DesktopApp::StartUp(const std::string& command_line) {
  FrmAboutBox& splash = about_box();
  splash.ShowSplash();
  QCoreApplication::processEvents();
  for (int i = CountHelpRequests(command_line); i > 0; --i) {
    ShowMessageBox(nullptr, HelpMessage());
  }
  FrmOrvanta& window = main_window();
  OptionControls controls = window.ReadControls();
  SetDefaultOptions(default_input_folder_, &controls);
  window.WriteControls(controls);
  try {
    LoadOptions(program_folder_, &controls, fs());
  } catch (const Error& e) {
    window.ShowMessage({"Error", e.what(), Buttons::kOk, Icon::kWarning, 1});
  }
  window.WriteControls(controls);
  QCoreApplication::processEvents();
  splash.set_tag(QStringLiteral("Loaded"));
  while (splash.tag() != QLatin1String("Hidden")) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  window.show();
}

void DesktopApp::BeginShutdown() {
  shutting_down_ = true;
  if (progress_) progress_->WindDown();
}

void DesktopApp::Quit() {
  quit_requested_ = true;
  if (in_event_loop_) QCoreApplication::exit(0);
}

std::string DefaultInputFolder(const std::string& program_folder,
                               const std::string& settings_folder) {
  if (settings_folder == program_folder) return program_folder;
  const QString pictures =
      QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return !pictures.isEmpty() && QFileInfo(pictures).isDir()
             ? pictures.toStdString()
             : std::string();
}

int RunDesktopProgram(int argc, char** argv) {
  PosixFileSystem fs;
  const std::string program_folder =
      QCoreApplication::applicationDirPath().toStdString();
  const std::string settings = SettingsFolder(program_folder, fs);
  DesktopApp app(settings, DefaultInputFolder(program_folder, settings));
  app.StartUp(CommandLineText(argc, argv));
  if (app.quit_requested()) return 0;
  app.set_in_event_loop(true);
  const int code = QApplication::exec();
  app.set_in_event_loop(false);
  return code;
}

}  // namespace orvanta
