// Thumbnail creation, for pictures and (when asked for) movies. The image
// work runs on worker threads; the results are handled here, on the run's
// thread, in file order.
#include "engine/thumbnails.h"

#include <atomic>
#include <optional>
#include <thread>

#include "common/error.h"
#include "common/path_utils.h"
#include "engine/folder_scan.h"
#include "engine/ordered_work.h"
#include "imagetools/movie_thumbnail.h"
#include "imagetools/process_runner.h"

namespace orvanta {
namespace {

constexpr char kSubtask[] = "Creating thumbnail files";
constexpr char kNoFfmpegLine[] =
    "Movie thumbnails need ffmpeg (Debian: apt-get install ffmpeg)";

// What happened to one picture.
struct Outcome {
  std::optional<Error> copy_error;    // copying the picture failed
  std::optional<Error> shrink_error;  // shrinking the copy failed
  bool converter_ok = true;           // the converter ran in time
  std::string command_line;
  bool no_ffmpeg = false;  // a movie's frame needs ffmpeg, which is missing
};

int WorkerCount(const RunSettings& settings) {
  if (settings.thumbnail_workers > 0) return settings.thumbnail_workers;
  unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

// The person's answer to a failure that is not a picture error.
enum class Next { kGoOn, kLeave };

Next AskAfterFailure(RunContext& ctx, const std::string& message) {
  Answer answer = ctx.ui.ShowMessage(
      {"Error",
       message + kCrLf +
           "Continue creating thumbnails for the files in this "
           "folder?",
       Buttons::kYesNoCancel, Icon::kWarning, 1});
  if (answer == Answer::kYes) return Next::kGoOn;
  if (answer == Answer::kNo) {
    answer = ctx.ui.ShowMessage(
        {"Error", "Try to create thumbnails for files on other folders?",
         Buttons::kYesNoCancel, Icon::kWarning, 1});
    if (answer == Answer::kYes) return Next::kLeave;
    ctx.state.thumbnails_switched_off = true;
    ctx.options.thumbnail_create_mode = kNoThumbnails;
    if (answer == Answer::kCancel) ctx.state.abort_processing = true;
    return Next::kLeave;
  }
  ctx.state.thumbnails_switched_off = true;
  ctx.options.thumbnail_create_mode = kNoThumbnails;
  ctx.state.abort_processing = true;
  return Next::kLeave;
}

// Handles one failed step: picture errors go to the list, others ask.
// Says which picture failed (its path below the gallery's root) and why.
Next HandleError(RunContext& ctx, const Error& error,
                 const std::string& picture) {
  std::string message = "Error Creating Thumbnails: " +
                        PathBelow(picture, ctx.input_folder, false) + ": " +
                        error.what();
  if (error.kind() == ErrorKind::kImageData) {
    ctx.state.thumbnail_error_list += message + kCrLf;
    return Next::kGoOn;
  }
  return AskAfterFailure(ctx, message);
}

Next HandleConverterFailure(RunContext& ctx, const Outcome& outcome) {
  if (outcome.converter_ok || ctx.state.suppress_error_prompts) {
    return Next::kGoOn;
  }
  Answer answer = ctx.ui.ShowMessage(
      {"Error",
       "Error calling IrfanView using command line: " + std::string(kCrLf) +
           outcome.command_line + kCrLf + kCrLf +
           "Skipping this picture.  Prompt on additional errors?",
       Buttons::kYesNoCancel, Icon::kQuestion, 1});
  if (answer == Answer::kCancel) {
    ctx.state.thumbnails_switched_off = true;
    ctx.options.thumbnail_create_mode = kNoThumbnails;
    ctx.state.abort_processing = true;
    return Next::kLeave;
  }
  if (answer == Answer::kNo) ctx.state.suppress_error_prompts = true;
  return Next::kGoOn;
}

}  // namespace

void CreateThumbnails(RunContext& ctx, const FolderInfo& info,
                      int32_t other_file_count) {
  const std::vector<std::string>& names = info.thumbnails_to_create;
  const int count = static_cast<int>(names.size());
  if (count < 1) return;
  ctx.ui.InitializeSubtask(kSubtask, 0, count);
  const int size = ctx.options.thumbnail_maximum_width_or_height;
  const std::string folder = info.folder_path;
  const std::string prefix = ctx.options.thumbnail_file_prefix;
  const bool use_image_magick = ctx.use_image_magick;
  ImageTool* tool = ctx.image_tool;
  FileSystem& fs = ctx.fs;
  const std::string converter = ctx.irfanview_path;
  const int limit = ctx.settings.converter_time_limit_seconds;
  const ExtensionTable& extensions = ctx.options.known_extensions;
  std::atomic<bool> no_ffmpeg = ctx.state.no_ffmpeg;

  auto work = [&](int i) {
    Outcome outcome;
    const std::string source = folder + names[i];
    const std::string thumbnail = folder + prefix + names[i];
    if (extensions.IsMovieFile(names[i])) {
      try {
        outcome.no_ffmpeg =
            no_ffmpeg ||
            MakeMovieThumbnail(
                source, folder + MovieThumbnailName(ctx.options, names[i]),
                size, limit) == MovieThumbnail::kNoFfmpeg;
        if (outcome.no_ffmpeg) no_ffmpeg = true;
      } catch (const Error& e) {
        outcome.shrink_error = e;
      }
    } else if (use_image_magick) {
      // The thumbnail is written straight from the picture. When the
      // picture cannot be shrunk, a full-size copy stands in as its
      // thumbnail, as a copy-then-shrink would have left it.
      try {
        tool->MakeThumbnail(source, thumbnail, size);
      } catch (const Error& e) {
        if (e.kind() == ErrorKind::kImageData) {
          try {
            fs.CopyFile(source, thumbnail);
          } catch (const Error& copy_error) {
            outcome.copy_error = copy_error;
            return outcome;
          }
        }
        outcome.shrink_error = e;
      }
    } else {
      outcome.command_line =
          BuildConverterCommandLine(converter, source, thumbnail, size);
      // The converter's exit status says nothing reliable, but a converter
      // that ended without leaving the thumbnail (it crashed or refused
      // the picture) has failed all the same.
      outcome.converter_ok = RunProgramAndWait(outcome.command_line, limit) &&
                             fs.FileExists(thumbnail);
    }
    return outcome;
  };
  OrderedWork<Outcome> pool(count, WorkerCount(ctx.settings), work);

  for (int i = 0; i < count; ++i) {
    ctx.ui.UpdateCurrentSubTask(kSubtask + std::string(kCrLf) + names[i]);
    Outcome outcome = pool.Take(i, [&] { ctx.ui.KeepAlive(); });
    Next next = Next::kGoOn;
    if (outcome.no_ffmpeg) {
      if (!ctx.state.no_ffmpeg) {
        ctx.state.no_ffmpeg = true;
        ctx.state.thumbnail_error_list += kNoFfmpegLine + std::string(kCrLf);
      }
    } else if (outcome.copy_error) {
      next = HandleError(ctx, *outcome.copy_error, folder + names[i]);
    } else if (outcome.shrink_error) {
      next = HandleError(ctx, *outcome.shrink_error, folder + names[i]);
    } else if (!use_image_magick && !extensions.IsMovieFile(names[i])) {
      next = HandleConverterFailure(ctx, outcome);
    }
    if (next == Next::kLeave) break;
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
