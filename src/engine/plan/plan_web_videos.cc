// Deciding each movie's web copy from what ffprobe tells of it.
#include "engine/plan/plan_web_videos.h"

#include <cmath>
#include <limits>

#include "engine/plan/output_names.h"

namespace orvanta {
namespace {

// A second of 1080p decoded and a second of its copy encoded weigh about
// as much as twenty photos' thumbnails: a unit per this many pixels.
constexpr double kPixelsPerUnit = 4.5e6;

PixelSize Bounds(const GalleryOptions& options) {
  return {options.mid_size_maximum_width, options.mid_size_maximum_height};
}

// The shown size of a video on disk; none when it cannot be told.
std::optional<PixelSize> ProbedSize(const WebVideoPlanning& planning,
                                    const std::string& path) {
  try {
    const std::optional<ClipFacts> facts =
        ProbeClip(planning.fs, path, planning.time_limit);
    if (facts) return facts->shown;
    planning.no_ffprobe = true;
  } catch (const Error&) {
    // Not a video that can be read: no size.
  }
  return std::nullopt;
}

bool Larger(const std::optional<PixelSize>& size, PixelSize bounds) {
  return size && (size->width > bounds.width || size->height > bounds.height);
}

// What making the copy weighs: the pixels decoded and encoded.
int32_t Units(const ClipFacts& clip, PixelSize copy, bool keeps_video) {
  if (keeps_video) return 1;
  const double pixels =
      static_cast<double>(clip.stored.width) * clip.stored.height +
      static_cast<double>(copy.width) * copy.height;
  const double frames = clip.duration * std::max(clip.frame_rate, 1.0);
  return std::max<int32_t>(
      1, static_cast<int32_t>(std::lround(frames * pixels / kPixelsPerUnit)));
}

// A copy to make of a clip that browsers do not play as it is; the clip
// itself when they do; an unreadable clip to list.
void PlanFromClip(const WebVideoPlanning& planning, const std::string& clip,
                  const std::string& copy, bool copy_exists,
                  WebVideoPlan* web) {
  const PixelSize bounds = Bounds(planning.options);
  try {
    web->clip = ProbeClip(planning.fs, clip, planning.time_limit);
    if (!web->clip) {
      planning.no_ffprobe = true;
      web->name.clear();
      return;
    }
  } catch (const Error& e) {
    web->unreadable = e;
    web->make = true;
    return;
  }
  const ClipFacts& facts = *web->clip;
  if (PlaysInBrowsers(facts, bounds)) {
    web->name.clear();
    web->played_type = PlayedType(facts);
    web->size = facts.shown;
    return;
  }
  web->make = true;
  if (copy_exists) {
    const std::optional<PixelSize> found = ProbedSize(planning, copy);
    if (Larger(found, bounds)) {
      web->kept = found;
      return;
    }
  }
  const bool keeps = KeepsVideo(facts, bounds);
  web->size = keeps ? facts.shown : WebVideoSize(facts, bounds);
  web->units = Units(facts, *web->size, keeps);
}

// Without web copies: whether browsers play the clip as it is (at any
// size; the page keeps the thumbnail's); nothing when ffprobe cannot
// tell, so the page goes by its name.
void PlanPlayer(const WebVideoPlanning& planning, const std::string& clip,
                EntryPlan* entry) {
  if (planning.no_ffprobe) return;
  auto web = std::make_unique<WebVideoPlan>();
  try {
    web->clip = ProbeClip(planning.fs, clip, planning.time_limit);
  } catch (const Error&) {
    return;  // ffprobe cannot read it: the page goes by its name
  }
  if (!web->clip) {
    planning.no_ffprobe = true;
    return;
  }
  // Played as it is, a clip whose index comes last only starts later.
  ClipFacts played = *web->clip;
  played.index_first = true;
  const PixelSize any{std::numeric_limits<int>::max(),
                      std::numeric_limits<int>::max()};
  if (PlaysInBrowsers(played, any)) web->played_type = PlayedType(played);
  entry->web = std::move(web);
}

}  // namespace

void PlanWebVideo(const WebVideoPlanning& planning, const FolderPlan& folder,
                  EntryPlan* entry) {
  FileSystem& fs = planning.fs;
  auto web = std::make_unique<WebVideoPlan>();
  web->name = WebVideoName(planning.options, folder, entry->name);
  const std::string clip = folder.folder_path + entry->name;
  if (!planning.options.create_web_videos) {
    PlanPlayer(planning, clip, entry);
    return;
  }
  const std::string copy = folder.output_path + web->name;
  const FileStatus found = fs.Status(copy);
  const int mode = planning.create_mode;
  const bool fresh =
      found.is_file && found.modified_ns >= fs.Status(clip).modified_ns;
  if ((mode != kMissingThumbnails && mode != kAllThumbnails) ||
      (mode == kMissingThumbnails && fresh)) {
    // The copy there is shown, unless it is somebody's larger video.
    if (!found.is_file) return;
    if (planning.sizes) web->size = ProbedSize(planning, copy);
    if (Larger(web->size, Bounds(planning.options))) return;
  } else if (!planning.no_ffprobe) {
    PlanFromClip(planning, clip, copy, found.is_file, web.get());
  } else {
    return;
  }
  entry->web = std::move(web);
}

}  // namespace orvanta
