// Removing stale files, updating the record and the dry run's listing.
#include "engine/output/finish_output.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "common/error.h"
#include "common/path_utils.h"

namespace orvanta {
namespace {

struct Cleanup {
  std::vector<std::string> removed;  // or, in a dry run, to be removed
  std::vector<std::string> edited;   // kept: changed since written
  std::vector<std::string> failed;   // "REL: could not be removed (...)"
};

std::string FolderOf(const std::string& relative) {
  const size_t slash = relative.rfind('/');
  return slash == std::string::npos ? "" : relative.substr(0, slash);
}

// Whether the folder of `relative` is where the record put it, not
// reached through a link that leads out of the gallery.
bool InPlace(FileSystem& fs, const std::string& root,
             const std::string& resolved_root, const std::string& relative) {
  const std::string folder = FolderOf(relative);
  if (folder.empty()) return true;
  return fs.ResolvePath(root + folder) ==
         WithTrailingSeparator(resolved_root) + folder;
}

// Removes the folders below the root that the removals left empty, the
// deepest first, and the folders above them that this leaves empty.
void RemoveEmptyFolders(FileSystem& fs, const std::string& root,
                        std::set<std::string> folders) {
  while (!folders.empty()) {
    auto deepest =
        std::max_element(folders.begin(), folders.end(),
                         [](const std::string& a, const std::string& b) {
                           return a.size() < b.size();
                         });
    const std::string folder = *deepest;
    folders.erase(deepest);
    try {
      if (!fs.RemoveFolder(root + folder)) continue;
    } catch (const Error&) {
      continue;  // a link or a file in its place: left alone
    }
    if (!FolderOf(folder).empty()) folders.insert(FolderOf(folder));
  }
}

// The files the record names that this run neither plans nor wrote.
std::vector<std::string> StaleFiles(const PlannedFiles& planned,
                                    const WrittenFiles& written,
                                    const WrittenRecord& record) {
  std::vector<std::string> stale;
  record.ForEach([&](std::string_view relative, const RecordLine&) {
    if (!planned.Has(std::string(relative)) && !written.Contains(relative)) {
      stale.emplace_back(relative);
    }
  });
  return stale;
}

// Removes the stale files the record names, taking them out of it.
void RemoveStale(RunContext& ctx, const PlannedFiles& planned,
                 const WrittenFiles& written, WrittenRecord* record,
                 Cleanup* out) {
  const std::string& root = ctx.output_folder;
  const std::string resolved_root = ctx.fs.ResolvePath(root);
  Cleanup& cleanup = *out;
  std::set<std::string> emptied;
  for (const std::string& relative : StaleFiles(planned, written, *record)) {
    const FileStatus now = ctx.fs.Status(root + relative);
    if (!now.is_file) {
      record->Erase(relative);  // gone already
    } else if (!ctx.Elsewhere() && now.size != record->Find(relative)->size) {
      cleanup.edited.push_back(relative);
      record->Erase(relative);  // the person's own from now on
    } else if (!InPlace(ctx.fs, root, resolved_root, relative)) {
      cleanup.failed.push_back(relative +
                               ": not removed (its folder is a "
                               "link leading elsewhere)");
    } else {
      try {
        if (!ctx.settings.dry_run) ctx.fs.RemoveFile(root + relative);
        cleanup.removed.push_back(relative);
        emptied.insert(FolderOf(relative));
        record->Erase(relative);
      } catch (const Error& e) {
        cleanup.failed.push_back(relative + ": could not be removed (" +
                                 e.what() + ")");
      }
    }
  }
  emptied.erase("");
  if (ctx.Elsewhere() && !ctx.settings.dry_run) {
    RemoveEmptyFolders(ctx.fs, root, std::move(emptied));
  }
}

// The originals the plan publishes, by path below the root.
std::unordered_map<std::string, const Original*> Originals(
    const GalleryPlan& plan) {
  std::unordered_map<std::string, const Original*> originals;
  for (const FolderPlan& folder : plan.folders) {
    for (const EntryPlan& entry : folder.entries) {
      originals[folder.relative + entry.name] = &entry.original;
    }
    if (!folder.sidebar_picture_name.empty()) {
      originals[folder.relative + folder.sidebar_picture_name] =
          &folder.sidebar;
    }
  }
  return originals;
}

// Adds this run's files to the record; a published original with what it
// was published from.
void AddWritten(RunContext& ctx, const GalleryPlan* plan,
                const WrittenFiles& written, WrittenRecord* record) {
  std::unordered_map<std::string, const Original*> originals;
  if (plan != nullptr && plan->elsewhere) originals = Originals(*plan);
  written.ForEach([&](std::string_view relative, uint64_t size) {
    RecordLine line{size, std::nullopt};
    auto original = originals.find(std::string(relative));
    if (original != originals.end()) {
      line.source =
          SourceStamp{original->second->size, original->second->modified_ns,
                      ctx.options.remove_location};
    }
    record->Set(relative, line);
  });
}

void NoteCleanup(RunContext& ctx, const Cleanup& cleanup) {
  for (const std::string& file : cleanup.removed) {
    ctx.state.notes +=
        file + ": removed, no longer part of the gallery" + std::string(kCrLf);
  }
  for (const std::string& file : cleanup.edited) {
    ctx.state.notes += file + ": kept, changed since this program wrote it" +
                       std::string(kCrLf);
  }
  for (const std::string& line : cleanup.failed) ctx.ListError(line);
}

// In place, the pictures that carry a position are published with it.
void NotePositions(RunContext& ctx, const GalleryPlan& plan) {
  int count = 0;
  for (const FolderPlan& folder : plan.folders) {
    for (const EntryPlan& entry : folder.entries) {
      if (!entry.movie && entry.has_position) {
        ++count;
      }
    }
  }
  if (count == 0) return;
  ctx.state.notes += std::to_string(count) +
                     " pictures carry a GPS position, and their pages link to "
                     "them. Choose an output folder to publish them without "
                     "it." +
                     kCrLf;
}

// The dry run's listing: "write REL" and "remove REL", one a line.
void ShowListing(RunContext& ctx, const GalleryPlan* plan,
                 const WrittenFiles& written, const Cleanup& cleanup) {
  std::set<std::string> writes;
  written.ForEach([&](std::string_view relative, uint64_t) {
    const std::string file(relative);
    if (ctx.dry->Changes(ctx.output_folder + file)) writes.insert(file);
  });
  if (plan != nullptr) {
    for (std::string& file : PictureWorkFiles(*plan, ctx.options))
      writes.insert(file);
  }
  writes.insert(ctx.state.dry_zips.begin(), ctx.state.dry_zips.end());
  std::string text;
  for (const std::string& file : writes) text += "write " + file + kCrLf;
  std::vector<std::string> removes = cleanup.removed;
  std::sort(removes.begin(), removes.end());
  for (const std::string& file : removes) text += "remove " + file + kCrLf;
  ctx.ui.ShowListing(text);
}

}  // namespace

void FinishOutput(RunContext& ctx, const GalleryPlan* plan,
                  const PlannedFiles* planned, bool completed) {
  const WrittenFiles written = ctx.tracked.TakeWritten();
  // Last use of the earlier record: changed in place.
  WrittenRecord& record = ctx.previous_record;
  // What the pages removed or kept on the way is gone from the record.
  Cleanup cleanup{ctx.state.removed, ctx.state.kept_edited, {}};
  for (const std::string& file : cleanup.removed) record.Erase(file);
  for (const std::string& file : cleanup.edited) record.Erase(file);
  if (planned != nullptr && completed &&
      (ctx.Elsewhere() || ctx.options.remove_stale_files)) {
    RemoveStale(ctx, *planned, written, &record, &cleanup);
  }
  if (ctx.settings.dry_run) return ShowListing(ctx, plan, written, cleanup);
  NoteCleanup(ctx, cleanup);
  if (plan != nullptr && completed && !ctx.Elsewhere() &&
      ctx.options.remove_location) {
    NotePositions(ctx, *plan);
  }
  AddWritten(ctx, plan, written, &record);
  if (!record.Changed()) return;
  try {
    WriteRecord(ctx.tracked.inner(), ctx.output_folder, record);
  } catch (const Error& e) {
    ctx.ListError(std::string(kRecordFileName) +
                  ": the record of written files could not be written (" +
                  e.what() + ")");
  }
}

}  // namespace orvanta
