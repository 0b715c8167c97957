// The desktop program as one object: the program's folder, the file
// system, the image tool and the knobs of a run, the windows (loaded on
// first use), and the start-up sequence that shows the splash, reads the
// command line, puts the default and saved options into the main window
// and shows it.
#ifndef ORVANTA_UI_DESKTOP_APP_H_
#define ORVANTA_UI_DESKTOP_APP_H_

#include <memory>
#include <optional>
#include <string>

#include "common/file_system.h"
#include "engine/gallery_run.h"

namespace orvanta {

class FrmAboutBox;
class FrmOrvanta;
class FrmProgress;

class DesktopApp {
 public:
  // `program_folder` holds the templates and info.ini; the defaults'
  // input folder is `default_input_folder` (the program folder when
  // none is given). A QApplication must exist for the whole life of this
  // object.
  explicit DesktopApp(std::string program_folder,
                      std::optional<std::string> default_input_folder = {});
  ~DesktopApp();
  DesktopApp(const DesktopApp&) = delete;
  DesktopApp& operator=(const DesktopApp&) = delete;

  const std::string& program_folder() const { return program_folder_; }
  const std::string& default_input_folder() const {
    return default_input_folder_;
  }
  FileSystem& fs() { return *fs_; }
  const ImageToolFactory& image_tool_factory() const { return make_tool_; }
  // The knobs of the runs (time limits, workers); each run adds the
  // controls and the program folder.
  RunSettings& run_settings() { return run_settings_; }

  // The windows; each is loaded the first time it is asked for.
  FrmOrvanta& main_window();
  FrmProgress& progress();
  FrmAboutBox& about_box();

  // The start-up sequence; returns once the main window is shown.
  // `command_line` is the text after the program's name.
  void StartUp(const std::string& command_line);

  // The main window is closing: a run still going winds down unseen.
  void BeginShutdown();
  bool shutting_down() const { return shutting_down_; }
  // Ends the event loop when the program runs one; otherwise only notes
  // that the program asked to end.
  void Quit();
  bool quit_requested() const { return quit_requested_; }
  void set_in_event_loop(bool running) { in_event_loop_ = running; }

 private:
  std::string program_folder_;
  std::string default_input_folder_;
  std::unique_ptr<FileSystem> fs_;
  ImageToolFactory make_tool_;
  RunSettings run_settings_;
  bool shutting_down_ = false;
  bool quit_requested_ = false;
  bool in_event_loop_ = false;
  // Destroyed in reverse order: the main window last.
  std::unique_ptr<FrmOrvanta> main_window_;
  std::unique_ptr<FrmAboutBox> about_box_;
  std::unique_ptr<FrmProgress> progress_;
};

// The input folder the defaults give a program in `program_folder` whose
// settings live in `settings_folder`: the program's own folder when its
// settings lie beside it (a program used where it lies); otherwise, as
// for an installed program, the person's pictures folder when there is
// one, else none: never the settings folder.
std::string DefaultInputFolder(const std::string& program_folder,
                               const std::string& settings_folder);

// The whole desktop program after the QApplication is made: start-up, then
// the event loop until the main window closes. Returns the exit code.
int RunDesktopProgram(int argc, char** argv);

}  // namespace orvanta

#endif  // ORVANTA_UI_DESKTOP_APP_H_
