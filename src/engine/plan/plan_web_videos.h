// Planning the web copies of movies: which clips browsers play as they
// are (asked of ffprobe), which get a copy made, and which copy a page
// shows. Run by the plan's readers, several movies at once.
#ifndef ORVANTA_ENGINE_PLAN_PLAN_WEB_VIDEOS_H_
#define ORVANTA_ENGINE_PLAN_PLAN_WEB_VIDEOS_H_

#include <atomic>
#include <cstdint>

#include "common/file_system.h"
#include "engine/plan/gallery_plan.h"
#include "options/options.h"

namespace orvanta {

// What planning a web copy needs besides the movie, fixed for a run.
struct WebVideoPlanning {
  FileSystem& fs;
  const GalleryOptions& options;
  int create_mode = 0;            // as for the thumbnails and the copies
  int32_t time_limit = 30;        // for each ffprobe run
  bool sizes = false;             // the pages play movies, at their sizes
  std::atomic<bool>& no_ffprobe;  // set once ffprobe cannot be started
};

// Fills entry->web for a movie. With web copies on: mode 1 keeps a copy
// that is not older than its clip, mode 2 makes every one again, mode 0
// makes none; a copy is made only for a clip that browsers do not play as
// it is. With them off: whether the clip plays, and its size.
void PlanWebVideo(const WebVideoPlanning& planning, const FolderPlan& folder,
                  EntryPlan* entry);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PLAN_PLAN_WEB_VIDEOS_H_
