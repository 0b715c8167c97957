// What a worker does for one item of picture work.
#include "engine/work/picture_jobs.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "common/path_utils.h"
#include "engine/plan/output_names.h"
#include "imagetools/movie_thumbnail.h"
#include "imagetools/published_files.h"

namespace orvanta {
namespace {

// The size of a file found where a thumbnail or copy `name` of `folder` is
// to go, when it is larger than `bounds` and no earlier run wrote it: then
// it is not one of ours (a photo named t_bar.jpg or m_bar.jpg) and is kept.
std::optional<PixelSize> LargerThanOurs(const WorkerSetup& setup,
                                        const FolderPlan& folder,
                                        const std::string& name,
                                        PixelSize bounds) {
  const std::string path = folder.output_path + name;
  if (!setup.fs.FileExists(path)) return std::nullopt;
  std::string relative = folder.relative + name;
  std::replace(relative.begin(), relative.end(), kPathSeparator, '/');
  if (setup.written != nullptr && setup.written->Contains(relative)) {
    return std::nullopt;
  }
  try {
    const std::optional<PixelSize> size = setup.tool.PictureSize(path);
    if (size && (size->width > bounds.width || size->height > bounds.height)) {
      return size;
    }
  } catch (const Error&) {
    // Not a picture that can be read: no photo of anybody's, replaced.
  }
  return std::nullopt;
}

// Makes a picture's thumbnail and web-size copy, as the plan asks, from
// one decode.
void MakePictureFiles(const WorkerSetup& setup, const FolderPlan& folder,
                      const EntryPlan& entry, WorkOutcome* outcome) {
  const int box = setup.box;
  PictureRequest request{
      folder.folder_path + entry.name, "", box, "", setup.copy_bounds, ""};
  if (entry.make_thumbnail) {
    request.thumbnail = folder.output_path + entry.thumbnail;
    if (setup.guard_thumbnails) {
      outcome->kept =
          LargerThanOurs(setup, folder, entry.thumbnail, PixelSize{box, box});
      if (outcome->kept) request.thumbnail.clear();
    }
  }
  if (entry.make_copy) {
    request.copy = folder.output_path + entry.copy;
    outcome->kept_copy =
        LargerThanOurs(setup, folder, entry.copy, setup.copy_bounds);
    const std::string half = HalfCopyName(*setup.options, folder, entry);
    if (!half.empty()) {
      request.half = folder.output_path + half;
      outcome->kept_half =
          LargerThanOurs(setup, folder, half, setup.copy_bounds);
    }
    // The half is made from the copy's pixels, with it or not at all.
    if (outcome->kept_copy || outcome->kept_half) {
      request.copy.clear();
      request.half.clear();
    }
  }
  if (request.thumbnail.empty() && request.copy.empty()) return;
  PictureResult result = setup.tool.MakePictureFiles(request);
  outcome->incomplete = std::move(result.incomplete);
  outcome->error = std::move(result.thumbnail_error);
  // A picture that cannot be read is listed once.
  if (result.copy_error &&
      (!outcome->error ||
       std::string(outcome->error->what()) != result.copy_error->what())) {
    outcome->copy_error = std::move(result.copy_error);
  }
}

}  // namespace

// Makes what the plan asks of one file, on a worker thread. Whatever goes
// wrong, even an exception nobody expected, ends up in the outcome.
WorkOutcome MakeOne(const WorkerSetup& setup, const FolderPlan& folder,
                    const EntryPlan& entry) {
  WorkOutcome outcome;
  try {
    if (!entry.movie) {
      MakePictureFiles(setup, folder, entry, &outcome);
    } else if (setup.no_ffmpeg ||
               MakeMovieThumbnail(setup.fs, folder.folder_path + entry.name,
                                  folder.output_path + entry.thumbnail,
                                  setup.box, setup.time_limit) ==
                   MovieThumbnail::kNoFfmpeg) {
      outcome.no_ffmpeg = setup.no_ffmpeg = true;
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

// Publishes an original, on a worker thread. A file that could not be
// published with its location removed leaves no older copy behind: that
// one might carry it.
WorkOutcome PublishOne(const WorkerSetup& setup, const FolderPlan& folder,
                       const EntryPlan& entry) {
  WorkOutcome outcome;
  const std::string target = folder.output_path + entry.name;
  try {
    const std::string source = folder.folder_path + entry.name;
    if (entry.movie) {
      outcome.no_ffmpeg =
          PublishMovie(setup.fs, source, target, setup.remove_location,
                       setup.time_limit) == Published::kNoFfmpeg;
    } else {
      PublishPicture(setup.fs, source, target, setup.remove_location);
    }
  } catch (const Error& e) {
    outcome.error = e;
  } catch (const std::exception& e) {
    outcome.error = Error(std::string("unexpected failure (") + e.what() + ")");
  }
  if ((outcome.error || outcome.no_ffmpeg) && setup.remove_location) {
    try {
      setup.fs.RemoveFile(target);
    } catch (const Error&) {
      // A folder in its place, or no permission: nothing was published.
    }
  }
  return outcome;
}

// The folder's sidebar picture as an entry whose thumbnail the run makes.
EntryPlan SidebarEntry(const FolderPlan& folder) {
  EntryPlan sidebar;
  sidebar.name = folder.sidebar_picture_name;
  sidebar.thumbnail = folder.sidebar_thumbnail;
  sidebar.make_thumbnail = true;
  return sidebar;
}

}  // namespace orvanta
