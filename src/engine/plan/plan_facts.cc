// Facts, sizes, order and work of the planned files.
#include "engine/plan/plan_facts.h"

#include <algorithm>
#include <atomic>
#include <ctime>

#include "common/ordered_work.h"
#include "common/path_utils.h"
#include "engine/plan/output_names.h"
#include "engine/plan/plan_web_videos.h"

namespace orvanta {
namespace {

// A JPEG's metadata sits in its first bytes.
constexpr size_t kMetadataStart = 64 * 1024;

void ReadOne(FileSystem& fs, ImageTool& tool, bool facts, bool positions,
             const std::string& path, EntryPlan* entry) {
  if (facts) {
    entry->facts = std::make_unique<PictureFacts>();
    entry->facts->modified_ns = fs.Status(path).modified_ns;
  }
  if (entry->movie) return;
  try {
    entry->size = tool.PictureSize(path);
  } catch (const Error& e) {
    if (e.kind() != ErrorKind::kImageData) {
      entry->unreadable = std::make_unique<Error>(e);
    }
  }
  if (!facts && !positions) return;
  try {
    bool whole = false;
    std::string bytes = fs.ReadFile(path, kMetadataStart, &whole);
    if (!whole && !HoldsAllMetadata(bytes.data(), bytes.size())) {
      bytes = fs.ReadFile(path);
    }
    PictureMetadata metadata = ReadPictureMetadata(bytes.data(), bytes.size());
    entry->has_position = metadata.has_position;
    // Only a flag when the facts are not wanted: a big gallery stays small.
    if (facts) entry->facts->metadata = std::move(metadata);
  } catch (const Error&) {
    // Nothing to say: the thumbnail or the page reports the trouble.
  }
}

// A clip's date taken: when it was recorded, as ffprobe tells it (in the
// run that planned its web copy or player, else in one of its own); none
// without ffprobe.
void ReadClipDate(const WebVideoPlanning& web, const std::string& path,
                  EntryPlan* entry) {
  std::optional<ClipFacts> clip;
  if (entry->web && entry->web->clip) {
    clip = entry->web->clip;
  } else if (!web.no_ffprobe) {
    try {
      clip = ProbeClip(web.fs, path, web.time_limit);
      if (!clip) web.no_ffprobe = true;
    } catch (const Error&) {
      // Not a clip ffprobe can read: its thumbnail or page tells.
    }
  }
  if (clip) entry->facts->metadata.taken = clip->recorded;
}

void OrderByDateTaken(std::vector<EntryPlan>* entries) {
  std::vector<std::pair<double, EntryPlan>> keyed;
  for (EntryPlan& entry : *entries) {
    keyed.emplace_back(TakenSeconds(entry.facts.get()), std::move(entry));
  }
  std::stable_sort(
      keyed.begin(), keyed.end(),
      [](const auto& a, const auto& b) { return a.first < b.first; });
  entries->clear();
  for (auto& [seconds, entry] : keyed) entries->push_back(std::move(entry));
}

// Whether the picture needs a copy: browsers cannot show it, or it is
// larger than the bounds (a size that cannot be read means no: its
// thumbnail reports the picture's trouble).
bool NeedsCopy(const GalleryOptions& options, const EntryPlan& entry) {
  if (entry.movie || !options.create_mid_size_files) return false;
  if (!BrowsersShowFile(entry.name)) return true;
  return entry.size && LargerThanCopyBounds(options, *entry.size);
}

// The work the create mode asks for: mode 2 everything, mode 1 what is
// missing (a copy also when older than its picture); a movie's thumbnail
// only when movie thumbnails are asked for.
void DecideWork(RunContext& ctx, int mode, const FolderPlan& folder,
                EntryPlan* entry) {
  const GalleryOptions& options = ctx.options;
  if (mode != kAllThumbnails && mode != kMissingThumbnails) return;
  entry->make_thumbnail =
      (!entry->movie || options.create_movie_thumbnails) &&
      (mode == kAllThumbnails ||
       ExistingThumbnail(ctx.fs, options, folder, *entry).empty());
  if (entry->copy.empty()) return;
  if (mode == kAllThumbnails) {
    entry->make_copy = true;
    return;
  }
  const int64_t picture =
      ctx.fs.Status(folder.folder_path + entry->name).modified_ns;
  // Both copies come from one decode: either missing or old remakes both.
  for (const std::string& name :
       {entry->copy, HalfCopyName(options, folder, *entry)}) {
    if (name.empty()) continue;
    const FileStatus copy = ctx.fs.Status(folder.output_path + name);
    entry->make_copy |= !copy.is_file || copy.modified_ns < picture;
  }
}

// The sidebar picture's thumbnail, when the pages show it through one and
// the picture exists: made in mode 2, and in mode 1 when it is missing.
void PlanSidebarThumbnail(RunContext& ctx, int mode, FolderPlan* folder) {
  if (folder->sidebar_thumbnail.empty()) return;
  if (!ctx.fs.FileExists(folder->folder_path + folder->sidebar_picture_name)) {
    folder->sidebar_thumbnail.clear();
    return;
  }
  folder->make_sidebar_thumbnail =
      mode == kAllThumbnails ||
      (mode == kMissingThumbnails &&
       !ctx.fs.FileExists(folder->output_path + folder->sidebar_thumbnail));
}

// With an output folder: the file `name` of `folder` as it is now, and
// whether it is published again: it is missing there, or the record does
// not say that the file there was published from it as it is now, with
// the location as the options want it.
Original PlanOriginal(RunContext& ctx, const FolderPlan& folder,
                      const std::string& name) {
  const FileStatus source = ctx.fs.Status(folder.folder_path + name);
  Original original{source.size, source.modified_ns, false};
  if (!source.is_file) return original;
  const FileStatus target = ctx.fs.Status(folder.output_path + name);
  const std::optional<RecordLine> line =
      ctx.previous_record.Find(folder.relative + name);
  const SourceStamp now{source.size, source.modified_ns,
                        ctx.options.remove_location};
  original.publish = !target.is_file || !line || line->size != target.size ||
                     line->source != now;
  return original;
}

}  // namespace

std::tm CalendarFields(const DateTaken& taken) {
  std::tm when{};
  when.tm_year = taken.year - 1900;
  when.tm_mon = taken.month - 1;
  when.tm_mday = taken.day;
  when.tm_hour = taken.hour;
  when.tm_min = taken.minute;
  when.tm_sec = taken.second;
  return when;
}

double TakenSeconds(const PictureFacts* read) {
  if (read == nullptr) return 0;  // nothing could be read of it
  const PictureFacts& facts = *read;
  if (!facts.metadata.taken) return facts.modified_ns / 1e9;
  const DateTaken& taken = *facts.metadata.taken;
  std::tm when = CalendarFields(taken);
  if (!taken.offset_minutes) {
    when.tm_isdst = -1;
    return static_cast<double>(std::mktime(&when));
  }
  return static_cast<double>(timegm(&when)) - *taken.offset_minutes * 60.0;
}

void ReadEntryFacts(RunContext& ctx, ImageTool& tool,
                    const PlanReading& reading, GalleryPlan* plan) {
  // Where each folder's entries start when all are counted in a row.
  std::vector<size_t> starts;
  size_t count = 0;
  for (const FolderPlan& folder : plan->folders) {
    starts.push_back(count);
    count += folder.entries.size();
  }
  FileSystem& fs = ctx.fs;
  std::atomic<bool> no_ffprobe{false};
  const WebVideoPlanning web{fs,
                             ctx.options,
                             ctx.settings.controls.create_thumbnails_index,
                             ctx.settings.converter_time_limit_seconds,
                             reading.players,
                             no_ffprobe};
  ParallelFor(
      static_cast<int>(count), reading.workers,
      [&](int i) {
        const size_t f = std::upper_bound(starts.begin(), starts.end(),
                                          static_cast<size_t>(i)) -
                         starts.begin() - 1;
        const FolderPlan* folder = &plan->folders[f];
        EntryPlan* entry = &plan->folders[f].entries[i - starts[f]];
        try {
          ReadOne(fs, tool, reading.facts, reading.positions,
                  folder->folder_path + entry->name, entry);
          if (entry->movie &&
              (ctx.options.create_web_videos || reading.players)) {
            PlanWebVideo(web, *folder, entry);
          }
          if (entry->movie && entry->facts) {
            ReadClipDate(web, folder->folder_path + entry->name, entry);
          }
        } catch (...) {
          // Nothing known of it (memory ran out): the pages manage.
        }
      },
      [&] { ctx.ui.KeepAlive(); });
  plan->no_ffprobe = no_ffprobe;
  if (!ctx.options.sort_by_date_taken) return;
  for (FolderPlan& folder : plan->folders) OrderByDateTaken(&folder.entries);
}

void PlanPictureWork(RunContext& ctx, GalleryPlan* plan) {
  const int mode = ctx.settings.controls.create_thumbnails_index;
  for (size_t f = 0; f < plan->folders.size(); ++f) {
    FolderPlan& folder = plan->folders[f];
    folder.work_begin = static_cast<int>(plan->work.size());
    for (size_t e = 0; plan->elsewhere && e < folder.entries.size(); ++e) {
      EntryPlan& entry = folder.entries[e];
      entry.original = PlanOriginal(ctx, folder, entry.name);
      if (entry.original.publish) {
        plan->work.push_back({static_cast<int>(f), static_cast<int>(e), true});
      }
    }
    const std::string& sidebar = folder.sidebar_picture_name;
    if (plan->elsewhere && !sidebar.empty() && FileNameOf(sidebar) == sidebar) {
      folder.sidebar = PlanOriginal(ctx, folder, sidebar);
    }
    folder.publish_end = static_cast<int>(plan->work.size());
    PlanSidebarThumbnail(ctx, mode, &folder);
    if (folder.make_sidebar_thumbnail) {
      plan->work.push_back({static_cast<int>(f), -1, false, false, true});
    }
    for (size_t e = 0; e < folder.entries.size(); ++e) {
      EntryPlan& entry = folder.entries[e];
      if (NeedsCopy(ctx.options, entry)) {
        entry.copy = MidSizeCopyName(ctx.options, folder, entry.name);
      }
      DecideWork(ctx, mode, folder, &entry);
      if (entry.make_thumbnail || entry.make_copy) {
        plan->work.push_back({static_cast<int>(f), static_cast<int>(e)});
      }
    }
    // The web copies of movies last: the pictures are made meanwhile.
    for (size_t e = 0; e < folder.entries.size(); ++e) {
      const WebVideoPlan* web = folder.entries[e].web.get();
      if (web == nullptr || !web->make) continue;
      plan->work.push_back(
          {static_cast<int>(f), static_cast<int>(e), false, true});
      plan->web_video_units += web->units;
    }
    folder.work_end = static_cast<int>(plan->work.size());
  }
  // Folders are planned depth first: a subtree's work ends where the work
  // of the next folder at the same depth or above begins.
  for (size_t f = plan->folders.size(); f-- > 0;) {
    FolderPlan& folder = plan->folders[f];
    folder.subtree_work_end = folder.work_end;
    for (const SubfolderLink& sub : folder.subfolders) {
      folder.subtree_work_end = std::max(
          folder.subtree_work_end, plan->folders[sub.folder].subtree_work_end);
    }
  }
}

}  // namespace orvanta
