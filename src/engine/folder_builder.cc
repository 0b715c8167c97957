// Building one folder's gallery page.
#include "engine/folder_builder.h"

#include <memory>
#include <utility>
#include <vector>

#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_files.h"
#include "common/text_utils.h"
#include "engine/folder_info.h"
#include "engine/folder_scan.h"
#include "engine/index_page.h"
#include "engine/modern_page.h"
#include "engine/nav_script.h"
#include "engine/picture_facts.h"
#include "engine/templates.h"
#include "engine/thumbnails.h"

namespace orvanta {
namespace {

// Writes the generated block of `code` in place of its template line;
// false when `code` is no index block code.
bool WriteIndexBlock(RunContext& ctx, const std::string& code,
                     const FolderInfo& info,
                     const std::vector<std::string>& names, TextWriter& page,
                     int level, const std::string& parent_title) {
  if (code == kCodeThumbnails) {
    WriteThumbnailRows(ctx, info, names, page, level);
  } else if (code == kCodeSubdirNav) {
    if (ctx.options.recurse_subdirectories) {
      WriteSubfolderNavigation(ctx, info, parent_title, page, level);
    } else if (!info.sidebar_picture_name.empty()) {
      page.WriteLine(SidebarParagraph(ctx, info));
    }
  } else if (code == kCodeScriptInclude) {
    if (ctx.options.include_keyboard_navigation) {
      page.WriteLine(BuildScriptIncludeTag(level));
    }
  } else if (code == kCodeDirectoryHeader) {
    page.WriteLine("<H2>" + info.title + "</H2>");
  } else if (code == kCodeThumbnailGrid) {
    WriteThumbnailGrid(ctx, info, names, page, level);
  } else if (code == kCodeSubfolderCards) {
    WriteSubfolderCards(ctx, info, page, level);
  } else if (code == kCodeUpLink) {
    WriteUpLink(parent_title, page);
  } else if (code == kCodeFolderDescription) {
    WriteFolderDescription(info, page);
  } else {
    return false;
  }
  return true;
}

// Copies the index template into the open page, expanding placeholders
// and writing the generated blocks. Throws Error when writing fails.
void WriteIndexPage(RunContext& ctx, FolderInfo& info,
                    const std::vector<std::string>& names,
                    const std::vector<std::string>& template_lines,
                    TextWriter& page, int level,
                    const std::string& parent_title) {
  const std::string& template_path = ctx.options.index_template_path;
  const PageContext context{info.title, level, &info, nullptr};
  for (const std::string& template_line : template_lines) {
    std::string line = template_line;
    std::string code;
    ExpandTemplateLine(ctx, &line, &code, context, template_path);
    if (ctx.state.abort_processing) break;
    if (!WriteIndexBlock(ctx, code, info, names, page, level, parent_title)) {
      page.WriteLine(line);
    }
  }
}

// Counts the folder and shows that its gallery is being made.
void ReportFolderStart(RunContext& ctx, const std::string& folder_path) {
  ++ctx.state.folders_processed;
  ctx.ui.UpdateCurrentTask("Creating photo gallery" + std::string(kCrLf) +
                           ShortenPath(folder_path, 45));
  ctx.ui.UpdateProgressBar(ctx.state.image_files_processed - 1, false);
  ctx.ui.InitializeSubtask("Processing", 0, 2);
}

// The folder's index page; with a FIFO or device in its place, listed and
// written nowhere, while the folder's pictures and subfolders are still
// made. Throws Error.
std::unique_ptr<TextWriter> OpenIndexPage(RunContext& ctx,
                                          const std::string& path) {
  try {
    return ctx.fs.CreateTextFile(path);
  } catch (const Error& e) {
    if (e.kind() != ErrorKind::kNotRegularFile) throw;
    ctx.ListNotRegular(e);
    return NewTextWriter([](const std::string&) {});
  }
}

// While it lives, the folder being built has picture sizes of its own; its
// parent's are back when it is done.
struct FolderSizes {
  RunContext& ctx;
  PictureSizes outer = std::exchange(ctx.picture_sizes, {});
  ~FolderSizes() { ctx.picture_sizes = std::move(outer); }
};

}  // namespace

bool ConfirmOverwrite(RunContext& ctx, const std::string& path) {
  if (ctx.options.overwrite_existing_files) return true;
  if (!ctx.fs.FileExists(path)) return true;
  Answer answer = ctx.ui.ShowMessage(
      {"Overwrite file?",
       "The file " + path + " exists.  Are you sure you want to overwrite it?",
       Buttons::kYesNoCancel, Icon::kQuestion, 2});
  if (answer == Answer::kYes) return true;
  if (answer == Answer::kCancel) ctx.state.abort_processing = true;
  return false;
}

void BuildFolderGallery(RunContext& ctx, const std::string& folder, int level,
                        const std::string& parent_title) {
  if (ctx.state.abort_processing) return;
  FolderInfo info;
  info.folder_path = WithTrailingSeparator(folder);
  ReportFolderStart(ctx, info.folder_path);
  if (ctx.AbortRequested()) ctx.state.abort_processing = true;
  if (ctx.state.abort_processing) return;

  FolderSizes sizes{ctx};
  std::unique_ptr<TextWriter> page;
  try {
    if (ctx.fs.FileExists(info.folder_path + kDoNotModifyFile)) return;
    const std::string index_path = info.folder_path + "index.html";
    if (!ConfirmOverwrite(ctx, index_path)) return;
    ReadFolderInfoFile(ctx, &info);
    std::vector<std::string> names;
    try {
      ListFolderFiles(ctx, &info, &names);
    } catch (const Error& e) {
      // Readable when counted, no more now: left out like the others.
      NoteUnreadableFolder(ctx, info.folder_path, e.what());
      return;
    }
    SortStrings(names);
    ReadPictureFacts(ctx, &info, names);
    if (ctx.options.sort_by_date_taken) OrderByDateTaken(info, &names);
    CreateThumbnails(ctx, info,
                     static_cast<int32_t>(names.size() - info.work.size()));
    ctx.ui.InitializeSubtask("Processing", 1, 2);
    if (ctx.state.abort_processing) return;

    const std::vector<std::string>& template_lines =
        ReadTemplateLines(ctx, ctx.options.index_template_path);
    page = OpenIndexPage(ctx, index_path);
    WriteIndexPage(ctx, info, names, template_lines, *page, level,
                   parent_title);
    ctx.ui.UpdateSubtaskProgressBar(2, true);
    // A page left half made by an abandoned run (here or in a subfolder)
    // is not stored: an old page stays as it was. Otherwise the page is
    // stored whole now, and a full disk shows here.
    if (ctx.state.abort_processing) {
      page->Discard();
    } else {
      page->Close();
    }
  } catch (const Error& e) {
    ctx.ui.ShowMessage(
        {"Error",
         std::string("Error creating Orvanta: ") + e.what() + kCrLf +
             "Be sure you have write permission for the folder " +
             info.folder_path,
         Buttons::kOk, Icon::kWarning, 1});
    ctx.state.abort_processing = true;
    ctx.ui.SetBusy(false);
  }
}

}  // namespace orvanta
