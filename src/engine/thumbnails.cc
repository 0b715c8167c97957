// Thumbnail creation, for pictures and (when asked for) movies. The image
// work runs on worker threads; the results are handled here, on the run's
// thread, in file order.
#include "engine/thumbnails.h"

#include <atomic>
#include <exception>
#include <optional>
#include <thread>

#include "common/error.h"
#include "common/path_utils.h"
#include "engine/folder_scan.h"
#include "engine/mid_size.h"
#include "engine/ordered_work.h"
#include "imagetools/movie_thumbnail.h"

namespace orvanta {
namespace {

constexpr char kSubtask[] = "Creating thumbnail files";
constexpr char kNoFfmpegLine[] =
    "Movie thumbnails need ffmpeg (Debian: apt-get install ffmpeg)";

// What happened to one file.
struct Outcome {
  std::optional<Error> error;       // the thumbnail could not be made
  std::optional<Error> copy_error;  // the mid-size copy could not be made
  bool no_ffmpeg = false;  // a movie's frame needs ffmpeg, which is missing
  std::optional<PixelSize> kept;       // a larger file at its place was kept
  std::optional<PixelSize> kept_copy;  // the same at the copy's place
  std::string incomplete;              // the picture's data ends early
};

int WorkerCount(const RunSettings& settings) {
  if (settings.thumbnail_workers > 0) return settings.thumbnail_workers;
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

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

// The size of a file found where a thumbnail or copy is to go, when it is
// larger than `bounds`: then it is not one of ours (a photo named
// t_bar.jpg or m_bar.jpg) and is kept.
std::optional<PixelSize> LargerThanOurs(RunContext& ctx,
                                        const std::string& path,
                                        PixelSize bounds) {
  if (!ctx.fs.FileExists(path)) return std::nullopt;
  try {
    const std::optional<PixelSize> size = ctx.image_tool->PictureSize(path);
    if (size && (size->width > bounds.width || size->height > bounds.height)) {
      return size;
    }
  } catch (const Error&) {
    // Not a picture that can be read: no photo of anybody's, replaced.
  }
  return std::nullopt;
}

// Makes a picture's thumbnail and mid-size copy, as `work` asks, from one
// decode.
void MakePictureFiles(RunContext& ctx, const FolderInfo& info, int mode,
                      const FileWork& work, Outcome* outcome) {
  const int size = ctx.options.thumbnail_maximum_width_or_height;
  PictureRequest request{info.folder_path + work.name, "", size, "",
                         PixelSize{ctx.options.mid_size_maximum_width,
                                   ctx.options.mid_size_maximum_height}};
  if (work.thumbnail) {
    request.thumbnail =
        info.folder_path + PictureThumbnailName(ctx.options, info, work.name);
    if (mode == kAllThumbnails) {
      outcome->kept =
          LargerThanOurs(ctx, request.thumbnail, PixelSize{size, size});
      if (outcome->kept) request.thumbnail.clear();
    }
  }
  if (work.copy) {
    request.copy =
        info.folder_path + MidSizeCopyName(ctx.options, info, work.name);
    outcome->kept_copy = LargerThanOurs(ctx, request.copy, request.copy_bounds);
    if (outcome->kept_copy) request.copy.clear();
  }
  if (request.thumbnail.empty() && request.copy.empty()) return;
  PictureResult result = ctx.image_tool->MakePictureFiles(request);
  outcome->incomplete = std::move(result.incomplete);
  outcome->error = std::move(result.thumbnail_error);
  // A picture that cannot be read is listed once.
  if (result.copy_error &&
      (!outcome->error ||
       std::string(outcome->error->what()) != result.copy_error->what())) {
    outcome->copy_error = std::move(result.copy_error);
  }
}

// Makes what `work` asks of one file, on a worker thread. Whatever goes
// wrong, even an exception nobody expected, ends up in the outcome.
Outcome MakeOne(RunContext& ctx, const FolderInfo& info, int mode,
                const FileWork& work, std::atomic<bool>& no_ffmpeg) {
  Outcome outcome;
  const std::string source = info.folder_path + work.name;
  try {
    if (!ctx.options.known_extensions.IsMovieFile(work.name)) {
      MakePictureFiles(ctx, info, mode, work, &outcome);
    } else if (no_ffmpeg ||
               MakeMovieThumbnail(
                   ctx.fs, source,
                   info.folder_path +
                       MovieThumbnailName(ctx.options, info, work.name),
                   ctx.options.thumbnail_maximum_width_or_height,
                   ctx.settings.converter_time_limit_seconds) ==
                   MovieThumbnail::kNoFfmpeg) {
      outcome.no_ffmpeg = no_ffmpeg = true;
    }
  } catch (const Error& e) {
    outcome.error = e;
  } catch (const std::exception& e) {
    outcome.error = Error(std::string("unexpected failure (") + e.what() + ")",
                          ErrorKind::kImageData);
  } catch (...) {
    outcome.error = Error("unexpected failure", ErrorKind::kImageData);
  }
  return outcome;
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
Next HandleOutcome(RunContext& ctx, const FolderInfo& info,
                   const std::string& name, const Outcome& outcome) {
  if (outcome.no_ffmpeg) {
    if (!ctx.state.no_ffmpeg) {
      ctx.state.no_ffmpeg = true;
      ctx.state.thumbnail_error_list += kNoFfmpegLine + std::string(kCrLf);
    }
    return Next::kGoOn;
  }
  const std::string file = info.folder_path + name;
  if (outcome.kept) {
    ListKept(ctx, file, PictureThumbnailName(ctx.options, info, name),
             *outcome.kept, "a thumbnail");
  }
  if (outcome.kept_copy) {
    ListKept(ctx, file, MidSizeCopyName(ctx.options, info, name),
             *outcome.kept_copy, "a web-size copy");
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

}  // namespace

void CreateThumbnails(RunContext& ctx, const FolderInfo& info,
                      int32_t other_file_count) {
  const std::vector<FileWork>& work = info.work;
  const int count = static_cast<int>(work.size());
  if (count < 1) return;
  ctx.ui.InitializeSubtask(kSubtask, 0, count);
  std::atomic<bool> no_ffmpeg = ctx.state.no_ffmpeg;
  const int mode = ctx.CreateMode();
  OrderedWork<Outcome> pool(count, WorkerCount(ctx.settings), [&](int i) {
    return MakeOne(ctx, info, mode, work[i], no_ffmpeg);
  });
  for (int i = 0; i < count; ++i) {
    ctx.ui.UpdateCurrentSubTask(kSubtask + std::string(kCrLf) + work[i].name);
    const Outcome outcome = pool.Take(i, [&] { ctx.ui.KeepAlive(); });
    if (HandleOutcome(ctx, info, work[i].name, outcome) == Next::kLeave) {
      break;
    }
    ctx.ui.UpdateSubtaskProgressBar(i + 1, true);
    ctx.ui.UpdateProgressBar(
        ctx.state.image_files_processed + other_file_count + i + 1, false);
    if (ctx.AbortRequested()) {
      ctx.state.abort_processing = true;
      break;
    }
  }
  pool.Stop();
}

}  // namespace orvanta
