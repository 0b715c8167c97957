// Counting and listing the gallery's files.
#include "engine/folder_scan.h"

#include <unordered_map>

#include "common/error.h"
#include "common/path_utils.h"
#include "common/replacement_file.h"
#include "common/text_utils.h"
#include "engine/mid_size.h"

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

// Calls `visit` for every file of the switched-on kinds, entry by entry of
// the extension table (a duplicated extension lists its files twice).
template <typename Visit>
void ForEachGalleryFile(const GalleryOptions& options,
                        const FilesByExtension& groups, Visit visit) {
  for (const KnownExtension& known : options.known_extensions.entries()) {
    bool switched_on = known.is_movie ? options.include_movie_files
                                      : options.include_picture_files;
    if (!switched_on) continue;
    auto group = groups.find(ToLowerAscii(known.extension));
    if (group == groups.end()) continue;
    for (const std::string& name : group->second) visit(name);
  }
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

// Whether the file's thumbnail is to be made: mode 2 all, mode 1 those
// without one; a movie's only when movie thumbnails are asked for and
// ffmpeg is there.
bool ThumbnailDue(RunContext& ctx, const FolderInfo& info,
                  const std::string& name, int mode) {
  if (ctx.options.known_extensions.IsMovieFile(name) &&
      (!ctx.options.create_movie_thumbnails || ctx.state.no_ffmpeg)) {
    return false;
  }
  std::string path;
  bool is_movie = false;
  return mode == kAllThumbnails ||
         (mode == kMissingThumbnails &&
          !ThumbnailExists(ctx, info, name, &path, &is_movie));
}

// Removes the temporary files that a killed run left while replacing a
// file of the folder: only the program's own names, only when older than
// a minute (a run at work now may still be writing younger ones).
void RemoveLeftovers(RunContext& ctx, const std::string& folder,
                     const std::vector<FolderEntry>& entries) {
  constexpr int64_t kMinute = 60'000'000'000;
  for (const FolderEntry& entry : entries) {
    if (!entry.is_file || entry.is_link || !IsReplacementLeftover(entry.name)) {
      continue;
    }
    const FileStatus status = ctx.fs.Status(folder + entry.name);
    if (!status.is_file || ctx.fs.Now() - status.modified_ns < kMinute) {
      continue;
    }
    try {
      ctx.fs.RemoveFile(folder + entry.name);
    } catch (const Error&) {
      // Tried again by the next run.
    }
  }
}

}  // namespace

std::vector<std::string> ListSubfolders(FileSystem& fs,
                                        const std::string& folder) {
  std::vector<std::string> names;
  for (const FolderEntry& entry : fs.ListFolder(folder)) {
    if (entry.is_folder && !entry.is_hidden && !entry.is_link) {
      names.push_back(entry.name);
    }
  }
  return names;
}

void CountGalleryFiles(RunContext& ctx, const std::string& folder,
                       int32_t* folder_count, int32_t* file_count) {
  if (ctx.AbortRequested()) return;
  const std::string base = WithTrailingSeparator(folder);
  std::vector<FolderEntry> entries;
  try {
    entries = ctx.fs.ListFolder(base);
  } catch (const Error& e) {
    ctx.state.unreadable_folders.emplace(base, e.what());
    return;
  }
  for (const FolderEntry& entry : entries) {
    if (!entry.is_folder || entry.is_hidden || entry.is_link) continue;
    ++*folder_count;
    CountGalleryFiles(ctx, base + entry.name, folder_count, file_count);
    if (ctx.AbortRequested()) break;
    if (*folder_count % 10 == 0) {
      if (++ctx.state.count_progress_ticker > 100) {
        ctx.state.count_progress_ticker = 0;
      }
      ctx.ui.UpdateProgressBar(ctx.state.count_progress_ticker, false);
    }
  }
  const std::string& prefix = ctx.options.thumbnail_file_prefix;
  ForEachGalleryFile(ctx.options, GroupFiles(entries),
                     [&](const std::string& name) {
                       if (!StartsWithIgnoreCase(name, prefix) &&
                           !IsMidSizeCopyName(ctx.options, name)) {
                         ++*file_count;
                       }
                     });
}

std::vector<std::string> ReadableSubfolders(RunContext& ctx,
                                            const std::string& folder) {
  std::vector<std::string> subfolders = ListSubfolders(ctx.fs, folder);
  SortStrings(subfolders);
  std::erase_if(subfolders, [&](const std::string& name) {
    auto unreadable =
        ctx.state.unreadable_folders.find(WithTrailingSeparator(folder + name));
    if (unreadable == ctx.state.unreadable_folders.end()) return false;
    NoteUnreadableFolder(ctx, folder + name, unreadable->second);
    return true;
  });
  return subfolders;
}

void NoteUnreadableFolder(RunContext& ctx, const std::string& folder,
                          const std::string& reason) {
  std::string shown =
      PathBelow(WithTrailingSeparator(folder), ctx.input_folder, true);
  if (shown.size() > 1) shown.pop_back();  // the separator
  ctx.state.thumbnail_error_list +=
      shown + ": the folder cannot be read (" + reason + ")" + kCrLf;
}

void ListFolderFiles(RunContext& ctx, FolderInfo* info,
                     std::vector<std::string>* names) {
  const std::string& prefix = ctx.options.thumbnail_file_prefix;
  const std::string sidebar = ToUpperAscii(info->sidebar_picture_name);
  const std::vector<FolderEntry> entries = ctx.fs.ListFolder(info->folder_path);
  RemoveLeftovers(ctx, info->folder_path, entries);
  ForEachGalleryFile(ctx.options, GroupFiles(entries),
                     [&](const std::string& name) {
                       if (!StartsWithIgnoreCase(name, prefix) &&
                           !IsMidSizeCopyName(ctx.options, name) &&
                           ToUpperAscii(name) != sidebar) {
                         names->push_back(name);
                       }
                     });
  FindSharedBases(*names, &info->shared_bases);
  const int mode = ctx.CreateMode();
  if (mode == kNoThumbnails) return;
  for (const std::string& name : *names) {
    FileWork work{name, ThumbnailDue(ctx, *info, name, mode),
                  MidSizeCopyDue(ctx, *info, name, mode)};
    if (work.thumbnail || work.copy) info->work.push_back(std::move(work));
  }
}

std::string OwnName(const FolderInfo& info, const std::string& name) {
  const std::string base = BaseNameOf(name);
  return info.shared_bases.contains(ToLowerAscii(base)) ? name : base;
}

std::string PageName(const FolderInfo& info, const std::string& name) {
  if (!EqualsIgnoreCase(BaseNameOf(name), "index")) {
    return OwnName(info, name) + ".html";
  }
  // A file named "index" alone would still meet the folder's page.
  return name + (EqualsIgnoreCase(name, "index") ? ".page.html" : ".html");
}

std::string MovieThumbnailName(const GalleryOptions& options,
                               const FolderInfo& info,
                               const std::string& movie) {
  return options.thumbnail_file_prefix + OwnName(info, movie) + "." +
         options.movie_file_thumbnail_extension;
}

bool ThumbnailExists(RunContext& ctx, const FolderInfo& info,
                     const std::string& name, std::string* path,
                     bool* is_movie) {
  const std::string stem = info.folder_path + ctx.options.thumbnail_file_prefix;
  *is_movie = ctx.options.known_extensions.IsMovieFile(name);
  if (*is_movie) {
    *path = info.folder_path + MovieThumbnailName(ctx.options, info, name);
    if (ctx.fs.FileExists(*path)) return true;
    path->clear();
    return false;
  }
  // With web-size copies, a picture that browsers cannot show has a JPEG
  // thumbnail, and only that one counts.
  *path = info.folder_path + PictureThumbnailName(ctx.options, info, name);
  if (ctx.fs.FileExists(*path)) return true;
  if (*path == stem + name && ToLowerAscii(ExtensionOf(name)) != "jpg" &&
      !info.shared_bases.contains(ToLowerAscii(BaseNameOf(name)))) {
    *path = stem + BaseNameOf(name) + ".jpg";
    if (ctx.fs.FileExists(*path)) return true;
  }
  path->clear();
  return false;
}

}  // namespace orvanta
