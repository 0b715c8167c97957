// The run's web copies of movies: made one at a time by a thread of their
// own, in the order the pages need them, while the picture workers go on;
// ffmpeg bounded to the run's number of workers. The run's thread waits
// for a movie's copy only when its folder's pages need it, showing the
// copy's own progress; an abort request stops ffmpeg at once, and nothing
// is left of a copy not made.
#ifndef ORVANTA_ENGINE_WORK_WEB_VIDEO_WORK_H_
#define ORVANTA_ENGINE_WORK_WEB_VIDEO_WORK_H_

#include <memory>

#include "engine/plan/gallery_plan.h"
#include "engine/run_context.h"

namespace orvanta {

struct WebVideoOutcome;
struct WebVideoShared;
template <typename Result>
class OrderedWork;

// The line listed once when ffmpeg or ffprobe is missing.
inline constexpr char kNoFfmpegForWebVideos[] =
    "ffmpeg was not found; movies get no web copies";

class WebVideoWork {
 public:
  // Starts the thread over plan.work (it passes over the picture work);
  // items from `limit` on wait for OpenUpTo().
  WebVideoWork(RunContext& ctx, const GalleryPlan& plan, int limit);
  // Stops ffmpeg at once and waits for the thread.
  ~WebVideoWork();
  WebVideoWork(const WebVideoWork&) = delete;
  WebVideoWork& operator=(const WebVideoWork&) = delete;

  void OpenUpTo(int end);
  void SkipTo(int index);
  // Makes no more copies; ffmpeg is stopped at once.
  void Stop();

  // Waits for the web copy of work item `index`, showing its progress (the
  // overall bar from `files_done`), then lists what went wrong. Returns
  // false when the run is being abandoned.
  bool Take(int index, const FolderPlan& folder, const EntryPlan& entry,
            double files_done);

 private:
  RunContext& ctx_;
  std::shared_ptr<WebVideoShared> shared_;
  std::unique_ptr<OrderedWork<WebVideoOutcome>> work_;
};

// Lists kNoFfmpegForWebVideos, once a run.
void ListNoFfmpegForWebVideos(RunContext& ctx);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_WORK_WEB_VIDEO_WORK_H_
