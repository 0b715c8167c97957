// The picture work of a run on the run thread's side: the pool over the
// plan's work, the outcomes in file order, questions, progress (what one
// worker does is in picture_jobs.cc).
#include "engine/work/picture_work.h"

#include <string>

#include "common/error.h"
#include "common/ordered_work.h"
#include "common/path_utils.h"
#include "engine/plan/output_names.h"
#include "engine/work/picture_jobs.h"

namespace orvanta {
namespace {

constexpr char kSubtask[] = "Creating thumbnail files";
constexpr char kNoFfmpegLine[] =
    "Movie thumbnails need ffmpeg (Debian: apt-get install ffmpeg)";
constexpr char kNoFfmpegToPublishLine[] =
    "Movies are published without their location by ffmpeg, which is "
    "missing (Debian: apt-get install ffmpeg)";
// How many items each worker may run ahead of the pages: enough to keep
// the workers busy while a folder's pages are written.
constexpr int kAheadPerWorker = 8;

// The person's answer to a failure that is not a picture error.
enum class Next { kGoOn, kLeave };

// No thumbnails for the rest of the run; with `abort` the run is
// abandoned too.
Next SwitchOff(RunContext& ctx, bool abort) {
  ctx.state.thumbnails_switched_off = true;
  if (abort) ctx.state.abort_processing = true;
  return Next::kLeave;
}

Next AskAfterFailure(RunContext& ctx, const std::string& message) {
  Answer answer = ctx.ui.ShowMessage(
      {"Error",
       message + kCrLf +
           "Continue creating thumbnails for the files in this "
           "folder?",
       Buttons::kYesNoCancel, Icon::kWarning, 1});
  if (answer == Answer::kYes) return Next::kGoOn;
  if (answer == Answer::kCancel) return SwitchOff(ctx, true);
  answer = ctx.ui.ShowMessage(
      {"Error", "Try to create thumbnails for files on other folders?",
       Buttons::kYesNoCancel, Icon::kWarning, 1});
  if (answer == Answer::kYes) return Next::kLeave;
  return SwitchOff(ctx, answer == Answer::kCancel);
}

Next AskAfterConverterFailure(RunContext& ctx, const std::string& command) {
  if (ctx.state.suppress_error_prompts) return Next::kGoOn;
  const Answer answer = ctx.ui.ShowMessage(
      {"Error",
       "Error calling IrfanView using command line: " + std::string(kCrLf) +
           command + kCrLf + kCrLf +
           "Skipping this picture.  Prompt on additional errors?",
       Buttons::kYesNoCancel, Icon::kQuestion, 1});
  if (answer == Answer::kCancel) return SwitchOff(ctx, true);
  if (answer == Answer::kNo) ctx.state.suppress_error_prompts = true;
  return Next::kGoOn;
}

// Handles one failed file: picture errors go to the list, the converter's
// failures and others ask. Says which file failed (its path below the
// gallery's root) and why.
Next HandleError(RunContext& ctx, const Error& error, const std::string& file) {
  if (error.kind() == ErrorKind::kConverter) {
    return AskAfterConverterFailure(ctx, error.what());
  }
  if (error.kind() == ErrorKind::kNotRegularFile) {
    ctx.ListNotRegular(error);
    return Next::kGoOn;
  }
  const std::string message =
      "Error Creating Thumbnails: " + PathBelow(file, ctx.input_folder, false) +
      ": " + error.what();
  if (error.kind() == ErrorKind::kImageData) {
    ctx.state.thumbnail_error_list += message + kCrLf;
    return Next::kGoOn;
  }
  return AskAfterFailure(ctx, message);
}

// Lists an original that was not published, on the run's thread.
void ListNotPublished(RunContext& ctx, const std::string& file,
                      const WorkOutcome& outcome, bool* told_no_ffmpeg) {
  if (outcome.error && outcome.error->kind() == ErrorKind::kNotRegularFile) {
    return ctx.ListNotRegular(*outcome.error);
  }
  if (outcome.no_ffmpeg && !*told_no_ffmpeg) {
    *told_no_ffmpeg = true;
    ctx.ListError(kNoFfmpegToPublishLine);
  }
  const std::string reason = outcome.error ? outcome.error->what()
                                           : "its location could not be "
                                             "removed";
  ctx.ListError(ctx.Shown(file) + ": " + reason + "; not published");
}

// Lists a file kept at the place of one of ours because it is larger.
void ListKept(RunContext& ctx, const std::string& file,
              const std::string& kept_name, PixelSize size, const char* what) {
  ctx.ListError(
      "Error Creating Thumbnails: " + PathBelow(file, ctx.input_folder, false) +
      ": " + kept_name + " was kept (at " + std::to_string(size.width) + " x " +
      std::to_string(size.height) + " it is larger than " + what +
      ", so it is not one this program made)");
}

// Handles the outcome of one file on the run's thread.
Next HandleOutcome(RunContext& ctx, const FolderPlan& folder,
                   const EntryPlan& entry, const WorkOutcome& outcome) {
  if (outcome.no_ffmpeg) {
    if (!ctx.state.no_ffmpeg) {
      ctx.state.no_ffmpeg = true;
      ctx.state.thumbnail_error_list += kNoFfmpegLine + std::string(kCrLf);
    }
    return Next::kGoOn;
  }
  const std::string file = folder.folder_path + entry.name;
  if (outcome.kept) {
    ListKept(ctx, file, entry.thumbnail, *outcome.kept, "a thumbnail");
  }
  if (outcome.kept_copy) {
    ListKept(ctx, file, entry.copy, *outcome.kept_copy, "a web-size copy");
  }
  if (outcome.kept_half) {
    ListKept(ctx, file, HalfCopyName(ctx.options, folder, entry),
             *outcome.kept_half, "a web-size copy");
  }
  if (!outcome.incomplete.empty()) {
    ctx.state.thumbnail_error_list += PathBelow(file, ctx.input_folder, false) +
                                      ": the picture is incomplete (" +
                                      outcome.incomplete + ")" + kCrLf;
  }
  if (outcome.error && HandleError(ctx, *outcome.error, file) == Next::kLeave) {
    return Next::kLeave;
  }
  if (outcome.copy_error) return HandleError(ctx, *outcome.copy_error, file);
  return Next::kGoOn;
}

bool HasWebVideos(const GalleryPlan& plan) {
  for (const WorkItem& item : plan.work) {
    if (item.web_video) return true;
  }
  return false;
}

}  // namespace

PictureWork::PictureWork(RunContext& ctx, const GalleryPlan& plan,
                         ImageTool& tool)
    : ctx_(ctx),
      plan_(plan),
      gated_(!ctx.options.overwrite_existing_files),
      dry_(ctx.settings.dry_run) {
  no_ffmpeg_ = ctx.state.no_ffmpeg;
  auto setup = setup_ = std::make_shared<WorkerSetup>(WorkerSetup{
      tool, ctx.fs, no_ffmpeg_, thumbnails_off_,
      ctx.options.thumbnail_maximum_width_or_height,
      PixelSize{ctx.options.mid_size_maximum_width,
                ctx.options.mid_size_maximum_height},
      ctx.settings.controls.create_thumbnails_index == kAllThumbnails,
      ctx.settings.converter_time_limit_seconds, ctx.options.remove_location,
      &ctx.previous_record, &ctx.options});
  const GalleryPlan* planned = &plan;
  pool_ = std::make_unique<OrderedWork<WorkOutcome>>(
      dry_ ? 0 : static_cast<int>(plan.work.size()), WorkerCount(ctx.settings),
      [setup, planned](int i) {
        const WorkItem& item = planned->work[i];
        const FolderPlan& folder = planned->folders[item.folder];
        if (item.sidebar) {
          if (setup->thumbnails_off) return WorkOutcome{};
          return MakeOne(*setup, folder, SidebarEntry(folder));
        }
        const EntryPlan& entry = folder.entries[item.entry];
        if (item.web_video) return WorkOutcome();  // made by web_videos_
        if (item.publish) return PublishOne(*setup, folder, entry);
        if (setup->thumbnails_off) return WorkOutcome{};
        return MakeOne(*setup, folder, entry);
      },
      0, kAheadPerWorker);
  if (!dry_ && HasWebVideos(plan)) {
    web_videos_ = std::make_unique<WebVideoWork>(ctx, plan, 0);
  }
  if (!gated_ && !dry_ && !plan.folders.empty()) OpenAfter(-1);
}

PictureWork::~PictureWork() = default;

// The workers go on with the next folder that has work while this one's
// pages are written; a folder's files are not made before every answer
// about the folders before it was given.
void PictureWork::OpenAfter(int index) {
  for (size_t f = index + 1; f < plan_.folders.size(); ++f) {
    const FolderPlan& next = plan_.folders[f];
    if (next.work_end > next.work_begin) {
      OpenUpTo(next.work_end);
      return;
    }
  }
}

void PictureWork::OpenUpTo(int end) {
  pool_->OpenUpTo(end);
  if (web_videos_) web_videos_->OpenUpTo(end);
}

void PictureWork::SkipTo(int index) {
  pool_->SkipTo(index);
  if (web_videos_) web_videos_->SkipTo(index);
}

void PictureWork::Stop() {
  pool_->Stop();
  if (web_videos_) web_videos_->Stop();
}

void PictureWork::SkipFolder(const FolderPlan& folder) {
  if (!dry_) SkipTo(folder.subtree_work_end);
}

void PictureWork::PublishFolder(const FolderPlan& folder) {
  if (dry_) return;
  if (folder.sidebar.publish) {
    // One picture: on this thread.
    EntryPlan sidebar;
    sidebar.name = folder.sidebar_picture_name;
    const WorkOutcome outcome = PublishOne(*setup_, folder, sidebar);
    if (outcome.error || outcome.no_ffmpeg) {
      ListNotPublished(ctx_, folder.folder_path + sidebar.name, outcome,
                       &told_no_ffmpeg_);
    }
  }
  if (folder.publish_end == folder.work_begin) return;
  if (gated_) OpenUpTo(folder.work_end);
  for (int i = folder.work_begin; i < folder.publish_end; ++i) {
    const EntryPlan& entry = folder.entries[plan_.work[i].entry];
    const WorkOutcome outcome = pool_->Take(i, [this] { ctx_.ui.KeepAlive(); });
    if (outcome.error || outcome.no_ffmpeg) {
      ListNotPublished(ctx_, folder.folder_path + entry.name, outcome,
                       &told_no_ffmpeg_);
    }
    if (ctx_.AbortRequested()) {
      ctx_.state.abort_processing = true;
      return;
    }
  }
}

void PictureWork::MakeFolder(const FolderPlan& folder) {
  if (dry_ || folder.work_end == folder.work_begin) return;
  if (gated_) OpenUpTo(folder.work_end);
  if (!ctx_.state.thumbnails_switched_off && !ctx_.state.abort_processing) {
    TakePictureFiles(folder);
  }
  if (ctx_.state.abort_processing) {
    Stop();
    return;
  }
  // Declined: the workers leave the thumbnails and copies still to come.
  thumbnails_off_ = ctx_.state.thumbnails_switched_off;
  SkipTo(folder.work_end);  // what a "no" left of this folder
  if (!gated_) OpenAfter(static_cast<int>(&folder - plan_.folders.data()));
}

void PictureWork::TakePictureFiles(const FolderPlan& folder) {
  int begin = folder.publish_end;
  if (folder.make_sidebar_thumbnail) {
    const WorkOutcome outcome =
        pool_->Take(begin++, [this] { ctx_.ui.KeepAlive(); });
    if (HandleOutcome(ctx_, folder, SidebarEntry(folder), outcome) ==
        Next::kLeave) {
      return;
    }
  }
  const int count = folder.work_end - begin;
  if (count < 1) return;
  int pictures = 0;  // the web copies of movies come after them
  while (pictures < count && !plan_.work[begin + pictures].web_video) {
    ++pictures;
  }
  const int32_t others = static_cast<int32_t>(folder.entries.size()) - pictures;
  if (pictures > 0) ctx_.ui.InitializeSubtask(kSubtask, 0, pictures);
  for (int i = 0; i < count; ++i) {
    const int index = begin + i;
    const EntryPlan& entry = folder.entries[plan_.work[index].entry];
    const double files_done = ctx_.state.image_files_processed + others + i;
    if (i >= pictures) {
      if (web_videos_->Take(index, folder, entry, files_done)) continue;
      if (ctx_.AbortRequested()) ctx_.state.abort_processing = true;
      break;
    }
    ctx_.ui.UpdateCurrentSubTask(kSubtask + std::string(kCrLf) + entry.name);
    const WorkOutcome outcome =
        pool_->Take(index, [this] { ctx_.ui.KeepAlive(); });
    if (HandleOutcome(ctx_, folder, entry, outcome) == Next::kLeave) break;
    ctx_.ui.UpdateSubtaskProgressBar(i + 1, true);
    ctx_.ShowProgress(files_done + 1 + ctx_.state.web_video_units_done);
    if (ctx_.AbortRequested()) {
      ctx_.state.abort_processing = true;
      break;
    }
  }
}

}  // namespace orvanta
