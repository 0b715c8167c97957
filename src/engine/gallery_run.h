// One gallery run, from its checks to its summary: the entry point that the
// desktop window and the command line call.
#ifndef ORVANTA_ENGINE_GALLERY_RUN_H_
#define ORVANTA_ENGINE_GALLERY_RUN_H_

#include <functional>
#include <memory>
#include <string>

#include "common/file_system.h"
#include "engine/user_interface.h"
#include "imagetools/image_tool.h"
#include "options/options.h"

namespace orvanta {

// What outlives a run: the program's folder (templates, info.ini) and the
// last options record with its extension table.
struct ProgramState {
  std::string program_folder;
  GalleryOptions options;
};

// How a run ended.
enum class RunOutcome {
  kCompleted,  // "Orvanta created."
  kAborted,    // "Orvanta creation aborted."
  kCancelled,  // "Processing cancelled." while counting
  kStopped,    // ended at a check before the walk (its message was shown)
  kFailed,     // an unexpected error ended it (its message was shown)
};

// Makes the image tool for a run; null (with the reason) when it cannot.
using ImageToolFactory =
    std::function<std::unique_ptr<ImageTool>(std::string* error)>;

// Knobs that are not options of the person's.
struct RunSettings {
  int converter_time_limit_seconds = 30;
  int thumbnail_workers = 0;  // 0: one per processor core
};

// Runs one whole gallery run for the options the interface shows now. All
// messages, questions and progress go through `ui`; every failure is
// reported there, nothing is thrown.
RunOutcome CreateGallery(UserInterface& ui, FileSystem& fs,
                         ProgramState& program,
                         const ImageToolFactory& make_image_tool,
                         const RunSettings& settings = {});

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_GALLERY_RUN_H_
