// orvanta-cli: makes a gallery without a window, over the same engine as
// the desktop program.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli_args.h"
#include "app/console_ui.h"
#include "app/open_in_browser.h"
#include "common/dry_run_file_system.h"
#include "common/error.h"
#include "common/file_system.h"
#include "common/platform.h"
#include "common/text_utils.h"
#include "common/version.h"
#include "engine/gallery_run.h"
#include "engine/styles/page_style.h"
#include "imagetools/process_runner.h"
#include "options/options_file.h"
#include "options/settings_folder.h"

namespace orvanta {
namespace {

constexpr int kExitCompleted = 0;
constexpr int kExitStopped = 1;
constexpr int kExitUsage = 2;
constexpr int kExitAbandoned = 3;

// The interface the Ctrl+C handler asks to abort.
ConsoleUi* interrupted_ui = nullptr;

// First Ctrl+C: ask the run to wind down (ffmpeg is stopped at once).
// Second: end at once, and ffmpeg with it.
void OnInterrupt(int) {
  if (interrupted_ui->RequestAbort()) {
    KillRunningPrograms();
    static const char kMessage[] = "\nInterrupted.\n";
    ssize_t ignored = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    (void)ignored;
    _exit(130);
  }
}

void CatchInterrupts(ConsoleUi* ui) {
  interrupted_ui = ui;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

// A usage error: the reason, with the usage text when it helps.
class UsageError : public Error {
 public:
  explicit UsageError(const std::string& reason, bool show_usage = false)
      : Error(reason), show_usage_(show_usage) {}
  int Report() const {
    std::cerr << "orvanta-cli: " << what() << "\n";
    if (show_usage_) std::cerr << CliUsage();
    return kExitUsage;
  }

 private:
  bool show_usage_;
};

// A run stopped before anything was written (exit 1).
class StoppedError : public Error {
 public:
  using Error::Error;
};

bool IsPageStyleSetting(const std::string& setting) {
  return EqualsIgnoreCase(TrimBlanks(setting.substr(0, setting.find('='))),
                          "PageStyle");
}

// The settings of the run: the defaults, info.ini, the --set options and
// the input folder, in that order.
RunSettings TakeSettings(const CliArgs& args, FileSystem& fs, ConsoleUi& ui) {
  RunSettings settings;
  settings.program_folder = args.program_folder.empty()
                                ? SettingsFolder(ExecutableFolder(), fs)
                                : args.program_folder;
  try {
    PrepareSettingsFolder(settings.program_folder, fs);
  } catch (const Error& e) {
    throw StoppedError(e.what());
  }
  OptionControls& controls = settings.controls;
  SetDefaultOptions(settings.program_folder, &controls);
  try {
    LoadOptions(settings.program_folder, &controls, fs);
  } catch (const Error& e) {
    ui.ShowMessage({"Error", e.what(), Buttons::kOk, Icon::kWarning, 1});
  }
  if (!args.style.empty()) {
    const PageStyle* style = FindPageStyle(args.style);
    if (style == nullptr) {
      throw UsageError("--style takes " + PageStyleNames() + ", not \"" +
                       args.style + "\"");
    }
    ApplyPageStyle(*style, &controls);
  }
  for (const std::string& setting : args.settings) {
    try {
      ApplyOptionSetting(setting, &controls);
      // A style chosen by name brings what it needs, as --style does.
      if (IsPageStyleSetting(setting) && !controls.page_style.empty()) {
        const PageStyle* style = FindPageStyle(controls.page_style);
        if (style == nullptr)
          throw Error("PageStyle takes " + PageStyleNames());
        ApplyPageStyle(*style, &controls);
      }
    } catch (const Error& e) {
      throw UsageError("--set " + setting + ": " + e.what());
    }
  }
  if (args.has_output_folder) controls.output_folder = args.output_folder;
  if (args.prune) controls.remove_stale_files = 1;
  settings.dry_run = args.dry_run;
  if (args.has_input_folder) {
    controls.input_folder = args.input_folder;
  } else if (controls.input_folder == settings.program_folder) {
    // Only the default is left: the program's own folder. Making a gallery
    // of it by accident helps nobody.
    throw UsageError(
        "no input folder given (on the command line or as SourceDirectory "
        "in info.ini)",
        true);
  }
  return settings;
}

int Main(int argc, char** argv) {
  CliArgs args;
  try {
    args = ParseCliArgs(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const Error& e) {
    return UsageError(e.what(), true).Report();
  }
  if (args.help) {
    std::cout << CliHelp();
    return kExitCompleted;
  }
  if (args.version) {
    std::cout << "orvanta-cli " << kVersion << " (build " << kBuildNumber
              << ")\n";
    return kExitCompleted;
  }
  PosixFileSystem real;
  // A dry run writes nothing, not even the settings of a first start.
  DryRunFileSystem dry(real);
  FileSystem& fs = args.dry_run ? static_cast<FileSystem&>(dry) : real;
  const bool terminal = isatty(STDERR_FILENO) && isatty(STDIN_FILENO);
  ConsoleUi ui(std::cin, std::cout, std::cerr, terminal,
               isatty(STDERR_FILENO) && !args.quiet);
  RunSettings settings;
  try {
    settings = TakeSettings(args, fs, ui);
  } catch (const StoppedError& e) {
    std::cerr << "orvanta-cli: " << e.what() << "\n";
    return kExitStopped;
  } catch (const UsageError& e) {
    return e.Report();
  }
  CatchInterrupts(&ui);
  switch (CreateGallery(ui, fs, settings).outcome) {
    case RunOutcome::kCompleted:
      if (args.open && !ui.gallery_address().empty()) {
        const std::string failure = OpenInBrowser(ui.gallery_address());
        if (!failure.empty()) {
          std::cerr << "orvanta-cli: --open: the gallery could not be opened ("
                    << failure << ")\n";
        }
      }
      return kExitCompleted;
    case RunOutcome::kAborted:
    case RunOutcome::kCancelled:
      return kExitAbandoned;
    case RunOutcome::kStopped:
    case RunOutcome::kFailed:
      break;
  }
  return kExitStopped;
}

}  // namespace
}  // namespace orvanta

int main(int argc, char** argv) { return orvanta::Main(argc, argv); }
