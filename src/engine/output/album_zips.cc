// Making, keeping and listing each folder's zip.
#include "engine/output/album_zips.h"

#include "common/error.h"
#include "engine/output/stored_zip.h"
#include "engine/plan/output_names.h"

namespace orvanta {
namespace {

// The folder's files as the gallery publishes them; those not there (not
// published) are left out.
std::vector<ZipMember> Members(RunContext& ctx, const FolderPlan& folder) {
  const std::string& from =
      ctx.Elsewhere() ? folder.output_path : folder.folder_path;
  std::vector<ZipMember> members;
  for (const EntryPlan& entry : folder.entries) {
    const std::string path = from + entry.name;
    const FileStatus status = ctx.fs.Status(path);
    if (!status.is_file) continue;
    members.push_back({entry.name, path, status.size, status.modified_ns});
  }
  return members;
}

}  // namespace

std::optional<AlbumDownload> MakeAlbumZip(RunContext& ctx,
                                          const FolderPlan& folder) {
  if (!ctx.options.album_downloads || folder.entries.empty()) return {};
  const std::vector<ZipMember> members = Members(ctx, folder);
  if (members.empty()) return {};
  const std::string name = AlbumZipName(folder);
  const std::string relative = folder.relative + name;
  const std::string path = folder.output_path + name;
  const std::string mark = ZipMark(members);
  const AlbumDownload download{name, static_cast<int>(members.size()),
                               StoredZipSize(members, mark)};
  const FileStatus existing = ctx.fs.Status(path);
  const std::string comment =
      existing.is_file ? ReadZipComment(ctx.fs, path) : "";
  if (comment == mark && existing.size == download.bytes) {
    if (!ctx.previous_record.Contains(relative)) ctx.tracked.Note(path);
    return download;
  }
  // Every zip this program writes carries a mark: one without is the
  // person's.
  if (existing.is_file && !IsZipMark(comment)) {
    ctx.ListError(relative +
                  ": the album download was not written: a file of that "
                  "name that this program did not write is there");
    return {};
  }
  if (ctx.settings.dry_run) {
    ctx.state.dry_zips.push_back(relative);
    return download;
  }
  try {
    WriteStoredZip(ctx.fs, path, members, mark, [&ctx] {
      if (ctx.AbortRequested()) ctx.state.abort_processing = true;
      return ctx.state.abort_processing;
    });
  } catch (const Error& e) {
    if (!ctx.state.abort_processing) {
      ctx.ListError(relative + ": the album download could not be written (" +
                    e.what() + ")");
    }
    return {};
  }
  return download;
}

}  // namespace orvanta
