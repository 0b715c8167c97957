// One item of picture work as a worker does it: a file's thumbnail and
// web-size copies from one decode, a movie's thumbnail, or an original
// published without its location. A worker gets only its item and the
// thread-safe seams; whatever goes wrong ends up in the outcome, which the
// run's thread handles in file order (picture_work.h).
#ifndef ORVANTA_ENGINE_WORK_PICTURE_JOBS_H_
#define ORVANTA_ENGINE_WORK_PICTURE_JOBS_H_

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "common/error.h"
#include "engine/output/written_record.h"
#include "engine/plan/gallery_plan.h"
#include "imagetools/image_tool.h"
#include "options/options.h"

namespace orvanta {

// What happened to one file.
struct WorkOutcome {
  std::optional<Error> error;       // the thumbnail could not be made
  std::optional<Error> copy_error;  // the mid-size copy could not be made
  bool no_ffmpeg = false;  // a movie's frame needs ffmpeg, which is missing
  std::optional<PixelSize> kept;       // a larger file at its place was kept
  std::optional<PixelSize> kept_copy;  // the same at the copy's place
  std::optional<PixelSize> kept_half;  // or at the half-size copy's
  std::string incomplete;              // the picture's data ends early
};

// What a worker needs besides its item: the seams and the run's fixed
// sizes, copied when the work starts.
struct WorkerSetup {
  ImageTool& tool;
  FileSystem& fs;
  std::atomic<bool>& no_ffmpeg;
  std::atomic<bool>& thumbnails_off;  // the person declined further ones
  int box = 150;                      // thumbnails fit inside box x box
  PixelSize copy_bounds;              // copies fit inside these
  bool guard_thumbnails = false;      // mode 2: keep larger files found there
  int32_t time_limit = 30;            // for ffmpeg
  bool remove_location = true;        // from published originals
  // What earlier runs wrote here: files it names are ours, whatever size.
  const WrittenRecord* written = nullptr;
  const GalleryOptions* options = nullptr;  // the run's, for output names
};

// Makes what the plan asks of one file (its thumbnail and copies, or a
// movie's thumbnail). Never throws.
WorkOutcome MakeOne(const WorkerSetup& setup, const FolderPlan& folder,
                    const EntryPlan& entry);
// Publishes an original into the output folder; one that could not be
// published with its location removed leaves no older copy behind (that
// one might carry it). Never throws.
WorkOutcome PublishOne(const WorkerSetup& setup, const FolderPlan& folder,
                       const EntryPlan& entry);
// The folder's sidebar picture as an entry whose thumbnail the run makes.
EntryPlan SidebarEntry(const FolderPlan& folder);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_WORK_PICTURE_JOBS_H_
