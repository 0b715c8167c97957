// The run's picture work: thumbnails and web-size copies of every planned
// file, and the originals published into an output folder, made by one
// pool of workers across all folders, in the order the pages need them, and
// the web copies of movies beside them (web_video_work.h). Each worker gets
// only its request and the thread-safe seams (the image tool, the file
// system, ffmpeg); the results are handled on the run's thread, folder by
// folder in file order, with the questions, the error list and the progress
// display.
#ifndef ORVANTA_ENGINE_WORK_PICTURE_WORK_H_
#define ORVANTA_ENGINE_WORK_PICTURE_WORK_H_

#include <atomic>
#include <memory>

#include "engine/plan/gallery_plan.h"
#include "engine/run_context.h"
#include "engine/work/web_video_work.h"
#include "imagetools/image_tool.h"

namespace orvanta {

struct WorkOutcome;
struct WorkerSetup;
template <typename Result>
class OrderedWork;

class PictureWork {
 public:
  // Starts the workers over plan.work: the first folder's work at once,
  // each further folder's once the folder before it was handed over (when
  // pages may be asked about, overwriting being off, only in
  // MakeFolder()).
  PictureWork(RunContext& ctx, const GalleryPlan& plan, ImageTool& tool);
  ~PictureWork();
  PictureWork(const PictureWork&) = delete;
  PictureWork& operator=(const PictureWork&) = delete;

  // Publishes the folder's sidebar picture and hands over its published
  // originals in file order; those not published go to the error list. An abort
  // request sets abort_processing.
  void PublishFolder(const FolderPlan& folder);
  // Hands over the folder's thumbnails and copies in file order: picture
  // errors go to the error list; other failures ask whether to go on;
  // Cancel or an abort request sets abort_processing.
  void MakeFolder(const FolderPlan& folder);
  // The folder and the folders below it get no work (the person declined
  // its page).
  void SkipFolder(const FolderPlan& folder);

 private:
  // Lets the workers start the work of the next folder after folder
  // `index` that has any.
  void OpenAfter(int index);
  void TakePictureFiles(const FolderPlan& folder);
  void OpenUpTo(int end);
  void SkipTo(int index);
  void Stop();

  RunContext& ctx_;
  const GalleryPlan& plan_;
  const bool gated_;
  const bool dry_;  // a dry run: no work at all
  std::atomic<bool> no_ffmpeg_{false};
  std::atomic<bool> thumbnails_off_{false};
  bool told_no_ffmpeg_ = false;  // that movies cannot be published
  std::shared_ptr<WorkerSetup> setup_;
  std::unique_ptr<OrderedWork<WorkOutcome>> pool_;
  std::unique_ptr<WebVideoWork> web_videos_;  // when the plan has any
};

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_WORK_PICTURE_WORK_H_
