// orvanta-cli: makes a gallery without a window, over the same engine as
// the desktop program.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli_args.h"
#include "app/console_ui.h"
#include "common/error.h"
#include "common/file_system.h"
#include "common/text_utils.h"
#include "engine/gallery_run.h"
#include "imagetools/image_tool.h"
#include "options/options_file.h"
#include "options/settings_folder.h"

namespace orvanta {
namespace {

constexpr int kExitCompleted = 0;
constexpr int kExitStopped = 1;
constexpr int kExitUsage = 2;
constexpr int kExitAbandoned = 3;

// First Ctrl+C: ask the run to wind down. Second: end at once.
void OnInterrupt(int) {
  if (ConsoleUi::abort_request().exchange(kAbortRequested) == kAbortRequested) {
    static const char kMessage[] = "\nInterrupted.\n";
    ssize_t ignored = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    (void)ignored;
    _exit(130);
  }
}

std::string ExecutableFolder() {
  std::vector<char> buffer(4096);
  ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0) return ".";
  std::string path(buffer.data(), static_cast<size_t>(length));
  size_t slash = path.rfind('/');
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Each folder level keeps its page open: allow as many open files as the
// system lets us.
void RaiseOpenFileLimit() {
  rlimit limit;
  if (getrlimit(RLIMIT_NOFILE, &limit) == 0 &&
      limit.rlim_cur < limit.rlim_max) {
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
  }
}

// Applies one --set; false with a reason for an unknown key or bad value.
bool ApplySetting(const std::string& setting, OptionControls* controls,
                  ExtensionTable* table, std::string* error) {
  const std::string key = setting.substr(0, setting.find('='));
  const std::string value = setting.substr(setting.find('=') + 1);
  // An extension list given on the command line replaces that list.
  if (EqualsIgnoreCase(key, "PictureFilesToMatch")) {
    controls->picture_file_extensions = value;
    return true;
  }
  if (EqualsIgnoreCase(key, "MovieFilesToMatch")) {
    controls->movie_file_extensions = value;
    return true;
  }
  try {
    if (ApplyOptionLine(setting, controls, table)) return true;
    *error = "unknown option key \"" + key + "\"";
  } catch (const Error& e) {
    *error = "bad value for " + key + ": " + e.what();
  }
  return false;
}

int Main(int argc, char** argv) {
  CliArgs args;
  std::string error;
  if (!ParseCliArgs(std::vector<std::string>(argv + 1, argv + argc), &args,
                    &error)) {
    std::cerr << "orvanta-cli: " << error << "\n" << CliUsage();
    return kExitUsage;
  }
  if (args.help) {
    std::cout << CliUsage();
    return kExitCompleted;
  }
  if (args.version) {
    std::cout << "orvanta-cli 1.44 (build 66)\n";
    return kExitCompleted;
  }
  RaiseOpenFileLimit();
  PosixFileSystem fs;
  ProgramState program;
  program.program_folder = args.program_folder.empty()
                               ? SettingsFolder(ExecutableFolder(), fs)
                               : args.program_folder;
  const bool terminal = isatty(STDERR_FILENO) && isatty(STDIN_FILENO);
  ConsoleUi ui(std::cin, std::cout, std::cerr, terminal,
               isatty(STDERR_FILENO) && !args.quiet);
  SetDefaultOptions(program.program_folder, &ui.controls, &program.options);
  LoadOptions(program.program_folder, &ui.controls, &program.options, fs, ui);
  for (const std::string& setting : args.settings) {
    if (!ApplySetting(setting, &ui.controls, &program.options.known_extensions,
                      &error)) {
      std::cerr << "orvanta-cli: " << error << "\n";
      return kExitUsage;
    }
  }
  if (args.has_input_folder) {
    ui.controls.input_folder = args.input_folder;
  } else if (ui.controls.input_folder == program.program_folder) {
    // Only the default is left: the program's own folder. Making a gallery
    // of it by accident helps nobody.
    std::cerr << "orvanta-cli: no input folder given (on the command line or "
                 "as SourceDirectory in info.ini)\n"
              << CliUsage();
    return kExitUsage;
  }

  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);

  switch (CreateGallery(ui, fs, program, CreateMagickImageTool)) {
    case RunOutcome::kCompleted:
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
