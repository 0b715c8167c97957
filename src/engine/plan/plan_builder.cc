// The walk over the gallery's folders that builds its plan.
#include "engine/plan/plan_builder.h"

#include <unordered_map>
#include <unordered_set>

#include "common/path_utils.h"
#include "common/replacement_file.h"
#include "common/text_utils.h"
#include "engine/plan/folder_info.h"
#include "engine/plan/output_names.h"
#include "engine/plan/plan_facts.h"

namespace orvanta {
namespace {

// The folder's visible files grouped by lower-cased extension, each group
// in the system's order.
using FilesByExtension =
    std::unordered_map<std::string, std::vector<std::string>>;

FilesByExtension GroupFiles(const std::vector<FolderEntry>& entries) {
  FilesByExtension groups;
  for (const FolderEntry& entry : entries) {
    if (!entry.is_file || entry.is_hidden) continue;
    groups[ToLowerAscii(ExtensionOf(entry.name))].push_back(entry.name);
  }
  return groups;
}

// The files of the switched-on kinds, entry by entry of the extension
// table (a duplicated extension lists its files twice), without
// thumbnails, copies and the sidebar picture; sorted. The names left out
// for looking like copies go to `copy_named`.
std::vector<std::string> GalleryFiles(const GalleryOptions& options,
                                      const std::vector<FolderEntry>& entries,
                                      const std::string& sidebar_name,
                                      std::vector<std::string>* copy_named) {
  const FilesByExtension groups = GroupFiles(entries);
  const std::string sidebar = ToUpperAscii(sidebar_name);
  std::vector<std::string> names;
  for (const KnownExtension& known : options.known_extensions.entries()) {
    const bool switched_on = known.is_movie ? options.include_movie_files
                                            : options.include_picture_files;
    if (!switched_on) continue;
    auto group = groups.find(ToLowerAscii(known.extension));
    if (group == groups.end()) continue;
    for (const std::string& name : group->second) {
      if (StartsWithIgnoreCase(name, options.thumbnail_file_prefix) ||
          ToUpperAscii(name) == sidebar) {
        continue;
      }
      if (IsMidSizeCopyName(options, name)) {
        copy_named->push_back(name);
      } else {
        names.push_back(name);
      }
    }
  }
  SortStrings(names);
  SortStrings(*copy_named);
  return names;
}

// "m_a" of a half-size copy's name without its extension ("m_a-half",
// "m_a-half-2"); "" for other names.
std::string CopyStemOfHalf(std::string base) {
  const size_t digits = base.find_last_not_of("0123456789");
  if (digits != std::string::npos && digits + 1 < base.size() &&
      base[digits] == '-') {
    base.erase(digits);
  }
  return base.ends_with(kHalfCopyEnding)
             ? base.substr(0, base.size() - kHalfCopyEnding.size())
             : "";
}

// The names of `copy_named` that no entry's copy (a picture's or a
// movie's, "m_NAME.*", or a picture's half-size copy, made now or by a run
// of another style) accounts for.
std::vector<std::string> CopyLookalikes(
    const GalleryOptions& options, const FolderPlan& folder,
    const std::vector<std::string>& copy_named) {
  std::unordered_set<std::string> stems;
  for (const EntryPlan& entry : folder.entries) {
    stems.insert(ToLowerAscii(options.mid_size_file_prefix +
                              OwnName(folder, entry.name) + "."));
  }
  std::vector<std::string> lookalikes;
  for (const std::string& name : copy_named) {
    const std::string lower = ToLowerAscii(name);
    const size_t dot = lower.rfind('.');
    if (dot != std::string::npos && lower.ends_with(".jpg") &&
        stems.contains(CopyStemOfHalf(lower.substr(0, dot)) + ".")) {
      continue;
    }
    if (dot == std::string::npos || !stems.contains(lower.substr(0, dot + 1))) {
      lookalikes.push_back(name);
    }
  }
  return lookalikes;
}

// Base names (lower-cased) of two or more different names; a name listed
// twice (an extension entered twice) shares with nobody.
void FindSharedBases(const std::vector<std::string>& names,
                     std::unordered_set<std::string>* shared) {
  std::unordered_map<std::string, const std::string*> first;
  for (const std::string& name : names) {
    const std::string base = ToLowerAscii(BaseNameOf(name));
    auto [it, inserted] = first.emplace(base, &name);
    if (!inserted && *it->second != name) shared->insert(base);
  }
}

// The temporary files a killed run left in `folder` (".NAME.orvanta-XXXXXX",
// older than a minute), for the builder to remove.
std::vector<std::string> FindLeftovers(
    FileSystem& fs, const std::string& folder,
    const std::vector<FolderEntry>& entries) {
  constexpr int64_t kMinute = 60'000'000'000;
  std::vector<std::string> leftovers;
  for (const FolderEntry& entry : entries) {
    if (!entry.is_file || entry.is_link || !IsReplacementLeftover(entry.name)) {
      continue;
    }
    const FileStatus status = fs.Status(folder + entry.name);
    if (status.is_file && fs.Now() - status.modified_ns >= kMinute) {
      leftovers.push_back(entry.name);
    }
  }
  return leftovers;
}

class Walker {
 public:
  Walker(RunContext& ctx, const PlanReading& reading)
      : ctx_(ctx),
        options_(ctx.options),
        reading_(reading),
        subfolders_(reading.subfolders),
        per_page_(reading.pictures_per_page) {}

  // Plans `folder` and (with subfolders on) the folders below it; false
  // when the person cancelled.
  bool Walk(const std::string& folder, int level, int parent,
            GalleryPlan* plan);

 private:
  void PlanFiles(const std::vector<FolderEntry>& listing, FolderPlan* folder);
  bool PlanSubfolders(const std::vector<FolderEntry>& listing, int index,
                      GalleryPlan* plan);
  void Tick();

  RunContext& ctx_;
  const GalleryOptions& options_;
  const PlanReading& reading_;
  const bool subfolders_;
  const int per_page_;
  int32_t folders_ = 0;
};

bool Walker::Walk(const std::string& folder, int level, int parent,
                  GalleryPlan* plan) {
  if (ctx_.AbortRequested()) return false;
  const int index = static_cast<int>(plan->folders.size());
  plan->folders.emplace_back();
  FolderPlan& f = plan->folders.back();
  f.folder_path = WithTrailingSeparator(folder);
  f.relative = f.folder_path.substr(ctx_.input_folder.size());
  f.output_path = ctx_.output_folder + f.relative;
  f.level = level;
  if (parent >= 0) {
    const FolderPlan& up = plan->folders[parent];
    f.parent_title = up.title;
    f.above = up.above;
    f.above.push_back(up.heading);
  }
  if (ctx_.fs.FileExists(f.folder_path + kDoNotModifyFile)) {
    f.do_not_modify = true;
    return true;
  }
  std::vector<FolderEntry> listing;
  try {
    listing = ctx_.fs.ListFolder(f.folder_path);
  } catch (const Error& e) {
    f.listing_error = e.what();
    return true;
  }
  ReadFolderInfoFile(ctx_.fs, options_.directory_info_file, ctx_.input_folder,
                     &f);
  if (!ctx_.Elsewhere()) {
    f.leftovers = FindLeftovers(ctx_.fs, f.folder_path, listing);
  } else if (ctx_.fs.FolderExists(f.output_path)) {
    try {
      f.leftovers = FindLeftovers(ctx_.fs, f.output_path,
                                  ctx_.fs.ListFolder(f.output_path));
    } catch (const Error&) {
      // Its pages will tell.
    }
  }
  PlanFiles(listing, &f);
  plan->file_count += static_cast<int32_t>(f.entries.size());
  Tick();
  return !subfolders_ || PlanSubfolders(listing, index, plan);
}

void Walker::PlanFiles(const std::vector<FolderEntry>& listing,
                       FolderPlan* folder) {
  std::vector<std::string> copy_named;
  const std::vector<std::string> names = GalleryFiles(
      options_, listing, folder->sidebar_picture_name, &copy_named);
  FindSharedBases(names, &folder->shared_bases);
  if (per_page_ > 0 && names.size() > static_cast<size_t>(per_page_)) {
    folder->per_page = per_page_;
  }
  folder->entries.reserve(names.size());
  for (const std::string& name : names) {
    EntryPlan entry;
    entry.name = name;
    entry.movie = options_.known_extensions.IsMovieFile(name);
    entry.page = PageName(*folder, name);
    entry.thumbnail = entry.movie
                          ? MovieThumbnailName(options_, *folder, name)
                          : PictureThumbnailName(options_, *folder, name);
    folder->entries.push_back(std::move(entry));
  }
  NameExtraFiles(options_,
                 reading_.half_copies && options_.create_mid_size_files,
                 reading_.sidebar_thumbnails, folder);
  folder->copy_lookalikes = CopyLookalikes(options_, *folder, copy_named);
}

// Subfolders that cannot be listed are left out and noted; the rest are
// planned in name order.
bool Walker::PlanSubfolders(const std::vector<FolderEntry>& listing, int index,
                            GalleryPlan* plan) {
  std::vector<std::string> names;
  for (const FolderEntry& entry : listing) {
    if (entry.is_folder && !entry.is_hidden && !entry.is_link) {
      names.push_back(entry.name);
    }
  }
  SortStrings(names);
  const std::string path = plan->folders[index].folder_path;
  for (const std::string& name : names) {
    const int child = static_cast<int>(plan->folders.size());
    if (!Walk(path + name, plan->folders[index].level + 1, index, plan)) {
      return false;
    }
    FolderPlan& parent = plan->folders[index];
    FolderPlan& planned = plan->folders[child];
    if (!planned.listing_error.empty()) {
      parent.unreadable.push_back({planned.folder_path, planned.listing_error});
      plan->folders.resize(child);  // left out with whatever it held
      continue;
    }
    parent.subfolders.push_back(
        {name,
         LookupSubfolderCaption(ctx_.fs, options_.directory_info_file, path,
                                name),
         child});
  }
  return true;
}

// Moves the bar now and then while the folders are planned.
void Walker::Tick() {
  if (++folders_ % 10 != 0) return;
  if (++ctx_.state.count_progress_ticker > 100) {
    ctx_.state.count_progress_ticker = 0;
  }
  ctx_.ui.UpdateProgressBar(ctx_.state.count_progress_ticker, false);
}

}  // namespace

std::optional<GalleryPlan> BuildGalleryPlan(RunContext& ctx, ImageTool& tool,
                                            const PlanReading& reading) {
  GalleryPlan plan;
  plan.elsewhere = ctx.Elsewhere();
  plan.read_facts = reading.facts;
  plan.show_facts = reading.show_facts;
  Walker walker(ctx, reading);
  if (!walker.Walk(ctx.input_folder, 1, -1, &plan)) return std::nullopt;
  ReadEntryFacts(ctx, tool, reading, &plan);
  if (ctx.AbortRequested()) return std::nullopt;
  PlanPictureWork(ctx, &plan);
  plan.root_files = RootFileNames(ctx.options, PageCount(plan));
  return plan;
}

}  // namespace orvanta
