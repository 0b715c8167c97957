// The web copies' thread (one request at a time, the seams, the progress it
// shares) and the run thread's side (waiting, progress, the error list).
#include "engine/work/web_video_work.h"

#include <atomic>
#include <exception>
#include <optional>

#include "common/error.h"
#include "common/ordered_work.h"
#include "common/path_utils.h"
#include "imagetools/web_video.h"

namespace orvanta {

// What happened to one movie's web copy.
struct WebVideoOutcome {
  std::optional<Error> error;     // it could not be made
  std::optional<PixelSize> kept;  // a larger video at its place was kept
  bool no_ffmpeg = false;         // ffmpeg could not be started
};

// What the thread shares with the run's: fixed sizes, the seams, the stop
// request, and how far the copy being made got.
struct WebVideoShared {
  FileSystem& fs;
  UserInterface& ui;  // its abort request only, which any thread may read
  PixelSize bounds;
  int threads = 1;
  int32_t stall_seconds = 30;
  std::atomic<bool> stop{false};
  std::atomic<bool> no_ffmpeg{false};
  std::atomic<int> item{-1};    // the work item being made
  std::atomic<double> done{0};  // and the share of it done
};

namespace {

// Makes the copy of one movie, on the thread. Whatever goes wrong ends up
// in the outcome.
WebVideoOutcome MakeOne(WebVideoShared& shared, const FolderPlan& folder,
                        const EntryPlan& entry, int index) {
  WebVideoOutcome outcome;
  const WebVideoPlan& web = *entry.web;
  if (web.unreadable) {
    outcome.error = *web.unreadable;
    return outcome;
  }
  outcome.kept = web.kept;
  outcome.no_ffmpeg = shared.no_ffmpeg;
  if (outcome.kept || outcome.no_ffmpeg || shared.stop) return outcome;
  shared.done = 0;
  shared.item = index;
  WebVideoRequest request{folder.folder_path + entry.name,
                          folder.output_path + web.name,
                          *web.clip,
                          shared.bounds,
                          shared.threads,
                          shared.stall_seconds,
                          [&shared](double done) {
                            shared.done = done;
                            return !shared.stop && !shared.ui.AbortRequested();
                          }};
  try {
    if (MakeWebVideo(shared.fs, request) == WebVideo::kNoFfmpeg) {
      outcome.no_ffmpeg = shared.no_ffmpeg = true;
    }
  } catch (const Error& e) {
    outcome.error = e;
  } catch (const std::exception& e) {
    outcome.error = Error(std::string("unexpected failure (") + e.what() + ")",
                          ErrorKind::kImageData);
  }
  shared.item = -1;
  return outcome;
}

}  // namespace

void ListNoFfmpegForWebVideos(RunContext& ctx) {
  if (ctx.state.no_ffmpeg_for_web_videos) return;
  ctx.state.no_ffmpeg_for_web_videos = true;
  ctx.ListError(kNoFfmpegForWebVideos);
}

WebVideoWork::WebVideoWork(RunContext& ctx, const GalleryPlan& plan, int limit)
    : ctx_(ctx),
      shared_(new WebVideoShared{ctx.fs, ctx.ui,
                                 PixelSize{ctx.options.mid_size_maximum_width,
                                           ctx.options.mid_size_maximum_height},
                                 WorkerCount(ctx.settings),
                                 ctx.settings.converter_time_limit_seconds}) {
  shared_->no_ffmpeg = ctx.state.no_ffmpeg_for_web_videos;
  const int count = static_cast<int>(plan.work.size());
  const GalleryPlan* planned = &plan;
  std::shared_ptr<WebVideoShared> shared = shared_;
  work_ = std::make_unique<OrderedWork<WebVideoOutcome>>(
      count, 1,
      [shared, planned](int i) {
        const WorkItem& item = planned->work[i];
        if (!item.web_video) return WebVideoOutcome();
        const FolderPlan& folder = planned->folders[item.folder];
        return MakeOne(*shared, folder, folder.entries[item.entry], i);
      },
      limit, count, true);
}

WebVideoWork::~WebVideoWork() { Stop(); }

void WebVideoWork::OpenUpTo(int end) { work_->OpenUpTo(end); }

void WebVideoWork::SkipTo(int index) { work_->SkipTo(index); }

void WebVideoWork::Stop() {
  shared_->stop = true;
  work_->Stop();
}

bool WebVideoWork::Take(int index, const FolderPlan& folder,
                        const EntryPlan& entry, double files_done) {
  const double units = entry.web->units;
  const double units_done = ctx_.state.web_video_units_done;
  const WebVideoOutcome outcome = work_->Take(index, [&] {
    if (shared_->item == index) {
      const double done = shared_->done;
      ctx_.ui.ShowFileProgress(entry.name, done);
      ctx_.ShowProgress(files_done + units_done + done * units);
    }
    ctx_.ui.KeepAlive();
  });
  ctx_.ui.ShowFileProgress("", 0);
  ctx_.state.web_video_units_done += entry.web->units;
  ctx_.ShowProgress(files_done + ctx_.state.web_video_units_done);
  const std::string file =
      PathBelow(folder.folder_path + entry.name, ctx_.input_folder, false);
  if (outcome.no_ffmpeg) ListNoFfmpegForWebVideos(ctx_);
  if (outcome.kept) {
    ctx_.ListError("Error Creating Web Copies: " + file + ": " +
                   entry.web->name + " was kept (at " +
                   std::to_string(outcome.kept->width) + " x " +
                   std::to_string(outcome.kept->height) +
                   " it is larger than a web copy, so it is not one this "
                   "program made)");
  }
  if (outcome.error && outcome.error->kind() == ErrorKind::kNotRegularFile) {
    ctx_.ListNotRegular(*outcome.error);
  } else if (outcome.error) {
    ctx_.ListError("Error Creating Web Copies: " + file + ": " +
                   outcome.error->what());
  }
  return !ctx_.AbortRequested() && !shared_->stop;
}

}  // namespace orvanta
