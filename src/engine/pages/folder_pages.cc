// Building each folder's pages from its plan.
#include "engine/pages/folder_pages.h"

#include <memory>
#include <utility>
#include <vector>

#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_files.h"
#include "common/text_utils.h"
#include "engine/output/album_zips.h"
#include "engine/output/stale_pages.h"
#include "engine/pages/folder_covers.h"
#include "engine/pages/support_files.h"
#include "engine/plan/output_names.h"
#include "engine/styles/page_renderer.h"
#include "engine/styles/templates.h"

namespace orvanta {
namespace {

// Counts the folder and shows that its gallery is being made.
void ReportFolderStart(RunContext& ctx, const std::string& folder_path) {
  ++ctx.state.folders_processed;
  ctx.ui.UpdateCurrentTask("Creating photo gallery" + std::string(kCrLf) +
                           ShortenPath(folder_path, 45));
  ctx.ShowProgress(ctx.state.image_files_processed - 1 +
                   ctx.state.web_video_units_done);
  ctx.ui.InitializeSubtask("Processing", 0, 2);
}

void NoteUnreadableFolder(RunContext& ctx, const std::string& folder,
                          const std::string& reason) {
  std::string shown = PathBelow(folder, ctx.input_folder, true);
  if (shown.size() > 1) shown.pop_back();  // the separator
  ctx.ListError(shown + ": the folder cannot be read (" + reason + ")");
}

// Whether template lines hold one of the codes whose blocks show sizes of
// thumbnails and of the sidebar picture.
bool ShowsSizes(const std::vector<std::string>& lines) {
  return TemplateHolds(lines, "thumbnailgrid") ||
         TemplateHolds(lines, "subfoldercards") ||
         TemplateHolds(lines, "pictureview");
}

// The folder's index page; with a FIFO or device in its place, listed and
// written nowhere, while the folder's pictures and subfolders are still
// made. Throws Error.
std::unique_ptr<TextWriter> OpenPage(RunContext& ctx, const std::string& path) {
  try {
    return ctx.fs.CreateTextFile(path);
  } catch (const Error& e) {
    if (e.kind() != ErrorKind::kNotRegularFile) throw;
    ctx.ListNotRegular(e);
    return NewTextWriter([](const std::string&) {});
  }
}

}  // namespace

FolderPages::FolderPages(RunContext& ctx, const GalleryPlan& plan,
                         PictureWork& work, ImageTool& tool)
    : ctx_(ctx), plan_(plan), work_(work), tool_(tool) {
  sizes_shown_ = EitherTemplate(ctx, ShowsSizes);
}

// A dry run asks nothing: it lists the page as one it would write.
bool FolderPages::ConfirmOverwrite(const std::string& path) {
  if (ctx_.options.overwrite_existing_files || ctx_.settings.dry_run) {
    return true;
  }
  if (!ctx_.fs.FileExists(path)) return true;
  Answer answer = ctx_.ui.ShowMessage(
      {"Overwrite file?",
       "The file " + path + " exists.  Are you sure you want to overwrite it?",
       Buttons::kYesNoCancel, Icon::kQuestion, 2});
  if (answer == Answer::kYes) return true;
  if (answer == Answer::kCancel) ctx_.state.abort_processing = true;
  return false;
}

void FolderPages::Build(int index) {
  const FolderPlan& folder = plan_.folders[index];
  if (ctx_.state.abort_processing) return;
  ReportFolderStart(ctx_, folder.folder_path);
  if (ctx_.AbortRequested()) ctx_.state.abort_processing = true;
  if (ctx_.state.abort_processing || folder.do_not_modify) return;
  try {
    if (!ConfirmOverwrite(folder.output_path + "index.html")) {
      work_.SkipFolder(folder);
      return;
    }
    if (!folder.listing_error.empty()) {
      NoteUnreadableFolder(ctx_, folder.folder_path, folder.listing_error);
      return;
    }
    for (const std::string& leftover : folder.leftovers) {
      try {
        ctx_.fs.RemoveFile(folder.output_path + leftover);
      } catch (const Error&) {
        // Tried again by the next run.
      }
    }
    for (const std::string& name : folder.copy_lookalikes) {
      ctx_.ListError(
          PathBelow(folder.folder_path + name, ctx_.input_folder, false) +
          " is named like a web-size copy and is not shown; "
          "rename it or change the prefix");
    }
    work_.PublishFolder(folder);
    work_.MakeFolder(folder);
    ctx_.ui.InitializeSubtask("Processing", 1, 2);
    if (ctx_.state.abort_processing) return;
    BuildPages(folder);
  } catch (const Error& e) {
    ctx_.ui.ShowMessage(
        {"Error",
         std::string("Error creating Orvanta: ") + e.what() + kCrLf +
             "Be sure you have write permission for the folder " +
             folder.folder_path,
         Buttons::kOk, Icon::kWarning, 1});
    ctx_.state.abort_processing = true;
    ctx_.ui.SetBusy(false);
  }
}

// The index page is rendered first and stored last: its pictures' pages
// and the folders below are made where its listings stand. A page left
// half made by an abandoned run is not stored (an old page stays as it
// was); a full disk shows when it is stored. Throws Error.
void FolderPages::BuildPages(const FolderPlan& folder) {
  const std::string& template_path = ctx_.options.index_template_path;
  const std::vector<std::string>& lines =
      ReadTemplateLines(ctx_, template_path);
  FolderOutputs made = ReadOutputs(folder);
  made.album = MakeAlbumZip(ctx_, folder);
  if (ctx_.state.abort_processing) return;
  const PageInput in{ctx_.options,       plan_, folder, made, plan_.show_facts,
                     ctx_.fs.LocalTime()};
  RenderedPage rendered = RenderIndexPage(in, lines);
  if (rendered.bad_line)
    return ReportBadCode(*rendered.bad_line, template_path);
  std::unique_ptr<TextWriter> page =
      OpenPage(ctx_, folder.output_path + "index.html");
  for (BlockRole listing : rendered.listings) {
    if (listing == BlockRole::kListsPictures) WritePicturePages(in);
    if (listing == BlockRole::kListsSubfolders &&
        ctx_.options.recurse_subdirectories) {
      BuildSubfolders(folder);
    }
    if (ctx_.state.abort_processing) break;
  }
  // The folders' cards show covers from the folders below, now built.
  if (!ctx_.state.abort_processing && ctx_.options.recurse_subdirectories &&
      !folder.subfolders.empty() && TemplateHolds(lines, "subfoldercards")) {
    made.covers = FindCovers(ctx_.fs, ctx_.options, plan_, tool_, folder);
    rendered = RenderIndexPage(in, lines);
  }
  for (const std::string& line : rendered.lines) page->WriteLine(line);
  ctx_.ui.UpdateSubtaskProgressBar(2, true);
  if (ctx_.state.abort_processing) return page->Discard();
  page->Close();
  WriteLaterIndexPages(in, lines);
}

// The folder's index pages after the first: the same page, the next
// pictures. Throws Error.
void FolderPages::WriteLaterIndexPages(const PageInput& first,
                                       const std::vector<std::string>& lines) {
  const FolderPlan& folder = first.folder;
  const int pages = IndexPageCount(folder);
  for (int p = 1; p < pages && !ctx_.state.abort_processing; ++p) {
    const std::string path = folder.output_path + IndexPageName(p);
    if (!ConfirmOverwrite(path)) continue;
    const PageInput in{first.options,    first.plan, folder, first.made,
                       first.show_facts, first.now,  p};
    const RenderedPage rendered = RenderIndexPage(in, lines);
    std::unique_ptr<TextWriter> page = OpenPage(ctx_, path);
    for (const std::string& line : rendered.lines) page->WriteLine(line);
    page->Close();
  }
  if (!ctx_.state.abort_processing) {
    RemoveStaleIndexPages(ctx_, folder, pages);
  }
}

FolderOutputs FolderPages::ReadOutputs(const FolderPlan& folder) {
  FolderOutputs made;
  for (const EntryPlan& entry : folder.entries) {
    EntryOutputs& out = made.entries.emplace_back();
    const std::string thumbnail =
        ExistingThumbnail(ctx_.fs, ctx_.options, folder, entry);
    if (!thumbnail.empty()) {
      out.thumbnail = thumbnail.substr(folder.output_path.size());
      if (sizes_shown_) out.thumbnail_size = SizeOf(tool_, thumbnail);
    }
    // A movie's web copy, when there is one that is ours.
    const WebVideoPlan* web = entry.web.get();
    if (web != nullptr && !web->name.empty() && !web->kept &&
        ctx_.fs.FileExists(folder.output_path + web->name)) {
      out.web_video = web->name;
    }
    const std::string copy = folder.output_path + entry.copy;
    if (entry.copy.empty() || !ctx_.fs.FileExists(copy)) continue;
    out.copy_size = SizeOf(tool_, copy);
    out.copy_bytes = ctx_.fs.Status(copy).size;
    // A larger picture there is somebody's own, not our copy.
    if (out.copy_size && LargerThanCopyBounds(ctx_.options, *out.copy_size)) {
      out.copy_size.reset();
    }
    const std::string half_name = HalfCopyName(ctx_.options, folder, entry);
    const std::string half = folder.output_path + half_name;
    if (out.copy_size && !half_name.empty() && ctx_.fs.FileExists(half)) {
      out.half = half_name;
      out.half_size = SizeOf(tool_, half);
      out.half_bytes = ctx_.fs.Status(half).size;
      // A larger picture there is somebody's own, not our half.
      if (out.half_size && out.half_size->width > out.copy_size->width) {
        out.half_size.reset();
      }
      if (!out.half_size) out.half.clear();
    }
  }
  made.sidebar_file = SidebarShownFile(ctx_.fs, folder);
  const std::string sidebar = folder.output_path + made.sidebar_file;
  made.sidebar_exists =
      !folder.sidebar_picture_name.empty() && ctx_.fs.FileExists(sidebar);
  if (made.sidebar_exists && sizes_shown_) {
    made.sidebar_size = SizeOf(tool_, sidebar);
  }
  return made;
}

// Every picture's page in the folder's order; a page the person keeps is
// counted all the same. Once the run is being abandoned no further page
// is asked about or written, so an existing page is never emptied.
void FolderPages::WritePicturePages(const PageInput& in) {
  for (int i = 0; i < static_cast<int>(in.folder.entries.size()); ++i) {
    const std::string path = in.folder.output_path + in.folder.entries[i].page;
    if (!ctx_.state.abort_processing && ConfirmOverwrite(path)) {
      WritePicturePage(in, i, path);
    }
    ++ctx_.state.image_files_processed;
  }
}

void FolderPages::WritePicturePage(const PageInput& in, int i,
                                   const std::string& path) {
  if (ctx_.state.abort_processing) return;
  const std::string& template_path = ctx_.options.picture_template_path;
  try {
    const std::vector<std::string>& lines =
        ReadTemplateLines(ctx_, template_path);
    std::unique_ptr<TextWriter> page = ctx_.fs.CreateTextFile(path);
    const EntryPlan& entry = in.folder.entries[i];
    // A file that could not be read at all is asked about where its page
    // shows the picture.
    if (entry.unreadable && TemplateHolds(lines, "picturesource")) {
      AskAbort(path, *entry.unreadable);
    }
    const RenderedPage rendered = RenderPicturePage(in, i, lines);
    if (rendered.bad_line) ReportBadCode(*rendered.bad_line, template_path);
    if (ctx_.state.abort_processing) return page->Discard();
    for (const std::string& line : rendered.lines) page->WriteLine(line);
    page->Close();
  } catch (const Error& e) {
    AskAbort(path, e);
  }
}

// Folders that cannot be read are listed; the others are built in order.
void FolderPages::BuildSubfolders(const FolderPlan& folder) {
  for (const UnreadableFolder& unreadable : folder.unreadable) {
    NoteUnreadableFolder(ctx_, unreadable.path, unreadable.reason);
  }
  for (const SubfolderLink& sub : folder.subfolders) Build(sub.folder);
}

// The bad-code message: an unknown or empty code, or a "%" never closed.
void FolderPages::ReportBadCode(const std::string& line,
                                const std::string& path) {
  ctx_.ui.ShowMessage({kAppTitle,
                       "Bad code in line " + std::string(kCrLf) + line + kCrLf +
                           " of header file " + path,
                       Buttons::kOk, Icon::kNone, 1});
  ctx_.state.abort_processing = true;
}

// A FIFO or device at the page's place is only listed.
void FolderPages::AskAbort(const std::string& page_path, const Error& error) {
  if (error.kind() == ErrorKind::kNotRegularFile) {
    ctx_.ListNotRegular(error);
    return;
  }
  Answer answer =
      ctx_.ui.ShowMessage({kAppTitle,
                           "Error creating the html file " + page_path +
                               ".  Abort processing?" + kCrLf + error.what(),
                           Buttons::kYesNo, Icon::kWarning, 1});
  if (answer == Answer::kYes) ctx_.state.abort_processing = true;
}

}  // namespace orvanta
