// One gallery run, from its checks to its summary: the entry point that the
// desktop window and the command line call. A run works from one settings
// value taken when it starts; it talks to the person only through the
// UserInterface and to the disk only through the FileSystem.
#ifndef ORVANTA_ENGINE_GALLERY_RUN_H_
#define ORVANTA_ENGINE_GALLERY_RUN_H_

#include <string>

#include "common/file_system.h"
#include "engine/user_interface.h"
#include "imagetools/image_tool.h"
#include "options/options.h"

namespace orvanta {

// The settings of one run, taken when it starts. The run never looks at
// the window again and never changes them.
struct RunSettings {
  // The option controls as the person left them: the input folder, the
  // converter, the thumbnail prefix and create mode and every other option.
  OptionControls controls;
  // The folder of the program's files (the page templates).
  std::string program_folder;
  // Knobs that are not options of the person's.
  int converter_time_limit_seconds = 30;
  int thumbnail_workers = 0;  // 0: one per processor core
  // Plans the run and lists the files it would write and remove, writing
  // nothing at all.
  bool dry_run = false;
};

// How a run ended.
enum class RunOutcome {
  kCompleted,  // "Orvanta created."
  kAborted,    // "Orvanta creation aborted."
  kCancelled,  // "Processing cancelled." while counting
  kStopped,    // ended at a check before the walk (its message was shown)
  kFailed,     // an unexpected error ended it (its message was shown)
};

struct RunResult {
  RunOutcome outcome = RunOutcome::kFailed;
  // A template named in the settings was missing and the default name was
  // used instead; a window shows the default name in its box.
  bool index_template_reset = false;
  bool picture_template_reset = false;
};

// Runs one whole gallery run. All messages, questions and progress go
// through `ui`; every failure is reported there, nothing is thrown.
// `make_image_tool` makes the picture tool when no external converter is
// chosen.
RunResult CreateGallery(
    UserInterface& ui, FileSystem& fs, const RunSettings& settings,
    const ImageToolFactory& make_image_tool = CreateMagickImageTool);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_GALLERY_RUN_H_
