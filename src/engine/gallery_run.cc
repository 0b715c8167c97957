// One gallery run: the image tool, the checks of the input folder, the
// templates and the script, the count, the walk, the error list and the
// summary. The data goes one way: settings -> scan -> thumbnails -> pages.
#include "engine/gallery_run.h"

#include <exception>
#include <memory>
#include <optional>

#include "common/error.h"
#include "common/path_utils.h"
#include "engine/folder_builder.h"
#include "engine/folder_scan.h"
#include "engine/modern_page.h"
#include "engine/nav_script.h"
#include "engine/picture_facts.h"
#include "engine/run_context.h"
#include "engine/templates.h"

namespace orvanta {
namespace {

constexpr size_t kMaxReportLength = 65000;

MessageBox Notice(const char* title, const std::string& text) {
  return {title, text, Buttons::kOk, Icon::kWarning, 1};
}

// The image tool the settings ask for, or null when it cannot be had (the
// reason was shown).
std::unique_ptr<ImageTool> MakeImageTool(RunContext& ctx,
                                         const ImageToolFactory& factory) {
  const OptionControls& controls = ctx.settings.controls;
  if (controls.use_irfanview != 1) {
    try {
      return factory(ctx.fs);
    } catch (const Error& e) {
      ctx.ui.ShowMessage(Notice("Error", ImageLibraryMissingText(e.what())));
      return nullptr;
    }
  }
  const std::string& converter = controls.irfanview_path;
  if (converter.empty()) {
    ctx.ui.ShowMessage(Notice("Error",
                              "No converter set: give the path of the "
                              "converter program, or untick \"Use Irfanview "
                              "instead of ImageMagick\"."));
    return nullptr;
  }
  if (!ctx.fs.FileExists(converter)) {
    ctx.ui.ShowMessage(Notice(
        "Error",
        "Invalid path specified for the IrfanView software: " + converter));
    return nullptr;
  }
  return CreateConverterImageTool(ctx.fs, converter,
                                  ctx.settings.converter_time_limit_seconds);
}

// What keeps `folder` from being a gallery's input folder: "no such
// folder", "not a folder", "the folder cannot be read (reason)"; "" when
// nothing does.
std::string FolderProblem(FileSystem& fs, const std::string& folder) {
  const FileStatus status = fs.Status(folder);
  if (status.is_file) return "not a folder";
  if (!status.is_folder) return "no such folder";
  try {
    fs.ListFolder(folder);
  } catch (const Error& e) {
    return std::string("the folder cannot be read (") + e.what() + ")";
  }
  return "";
}

// The input folder as given, checked; empty when the run is to stop (the
// reason was shown, or the person declined a gallery of the root).
std::string CheckInputFolder(RunContext& ctx) {
  const std::string folder =
      ExpandHomeFolder(ctx.settings.controls.input_folder, ctx.fs.HomeFolder());
  if (folder.empty()) {
    ctx.ui.ShowMessage(
        Notice("Missing Folder", "Please specify an input folder."));
    return "";
  }
  const std::string problem = FolderProblem(ctx.fs, folder);
  if (!problem.empty()) {
    ctx.ui.ShowMessage(Notice(
        "Invalid Path", "The input folder path is invalid.  Aborting." +
                            std::string(kCrLf) + folder + ": " + problem));
    return "";
  }
  if (ctx.fs.IsRootFolder(folder) &&
      ctx.ui.ShowMessage({"Warning", Platform().root_folder_question,
                          Buttons::kYesNoCancel, Icon::kQuestion, 3}) !=
          Answer::kYes) {
    return "";
  }
  return folder;
}

// Makes sure the template at *path exists: the modern style's templates
// are written where they are missing; for others the run falls back to
// the default name in the program's folder (a file of that name that
// exists already is kept and used). Returns true when it fell back.
bool EnsureTemplate(RunContext& ctx, std::string* path,
                    const char* default_name, bool index) {
  if (ctx.fs.FileExists(*path)) return false;
  if (FileNameOf(*path) ==
      (index ? kModernIndexTemplate : kModernPictureTemplate)) {
    const std::vector<std::string> lines = ModernTemplateLines(index);
    WriteDefaultTemplate(ctx, *path, index, &lines);
    return false;
  }
  *path = JoinPathCopy(ctx.settings.program_folder, default_name);
  if (!ctx.fs.FileExists(*path)) WriteDefaultTemplate(ctx, *path, index);
  return true;
}

// Whether either template's lines satisfy `holds` (ShowsPictureFacts: the
// pages show what pictures say of themselves; UsesRootFiles: they link the
// gallery root's stylesheet and script).
bool EitherTemplate(RunContext& ctx,
                    bool (*holds)(const std::vector<std::string>&)) {
  try {
    return holds(ReadTemplateLines(ctx, ctx.options.index_template_path)) ||
           holds(ReadTemplateLines(ctx, ctx.options.picture_template_path));
  } catch (const Error&) {
    return false;  // the walk reports a template it cannot read
  }
}

void ShowErrorList(RunContext& ctx) {
  std::string& list = ctx.state.thumbnail_error_list;
  if (list.empty()) return;
  ctx.ui.ShowMessage({"Error",
                      "Errors occurred during the thumbnail creation "
                      "process.  Click OK to see a list of the errors.",
                      Buttons::kOk, Icon::kInformation, 1});
  if (list.size() > kMaxReportLength) {
    list.resize(kMaxReportLength);
    list += std::string(kCrLf) + kCrLf +
            "More errors occurred, but there isn't enough room to show them.";
  }
  ctx.ui.ShowReport(list);
}

RunOutcome ShowSummary(RunContext& ctx) {
  const bool aborted = ctx.state.abort_processing;
  const int32_t folders = ctx.state.folders_processed;
  const std::string text =
      (aborted ? "Orvanta creation aborted." : "Orvanta created.") +
      std::string("  Processed ") +
      std::to_string(ctx.state.image_files_processed) + " image files in " +
      std::to_string(folders) + (folders == 1 ? " folder." : " folders.");
  ctx.ui.ShowMessage({aborted ? "Process aborted" : "Gallery created", text,
                      Buttons::kOk, Icon::kInformation, 1, true});
  return aborted ? RunOutcome::kAborted : RunOutcome::kCompleted;
}

// Counts the files under the progress display; nothing when the person
// cancelled (the display is then hidden again).
std::optional<int32_t> CountFiles(RunContext& ctx) {
  ctx.ui.InitializeForm("Determining number of files in photo gallery", 0, 100,
                        false, false, false);
  int32_t folder_count = 0;
  int32_t file_count = 0;
  CountGalleryFiles(ctx, ctx.input_folder, &folder_count, &file_count);
  if (!ctx.AbortRequested()) return file_count;
  ctx.ui.ShowMessage(Notice("Cancelled", "Processing cancelled."));
  ctx.ui.HideForm(true);
  return std::nullopt;
}

RunOutcome Run(RunContext& ctx, const ImageToolFactory& factory,
               RunResult* result) {
  std::unique_ptr<ImageTool> tool = MakeImageTool(ctx, factory);
  if (!tool) return RunOutcome::kStopped;
  CaptureOptions(ctx.settings.controls, ctx.settings.program_folder,
                 &ctx.options);
  if (ctx.options.thumbnail_file_prefix.empty()) {
    ctx.ui.ShowMessage(Notice(
        "Missing Prefix",
        "The thumbnail file prefix is empty: every picture would count as a "
        "thumbnail, and thumbnails would replace the pictures.  Please give "
        "a prefix such as t_."));
    return RunOutcome::kStopped;
  }
  if (!IsSafeFilePrefix(ctx.options.thumbnail_file_prefix) ||
      !IsSafeFilePrefix(ctx.options.mid_size_file_prefix)) {
    ctx.ui.ShowMessage(Notice(
        "Invalid Prefix",
        "A file prefix holds /, \\, .. or a NUL character: thumbnails and "
        "copies would be written outside their folders.  Please give a "
        "prefix such as t_."));
    return RunOutcome::kStopped;
  }
  const std::string input_folder = CheckInputFolder(ctx);
  if (input_folder.empty()) return RunOutcome::kStopped;
  ctx.input_folder = WithTrailingSeparator(input_folder);

  result->index_template_reset = EnsureTemplate(
      ctx, &ctx.options.index_template_path, kDefaultIndexTemplate, true);
  result->picture_template_reset = EnsureTemplate(
      ctx, &ctx.options.picture_template_path, kDefaultPictureTemplate, false);
  const std::string nav_path = ctx.input_folder + kNavScriptName;
  if (ctx.options.include_keyboard_navigation && !ctx.fs.FileExists(nav_path)) {
    WriteNavigationScript(ctx, nav_path);
  }
  if (EitherTemplate(ctx, UsesRootFiles)) WriteRootFiles(ctx);
  ctx.show_facts = EitherTemplate(ctx, ShowsPictureFacts);
  ctx.read_facts = ctx.show_facts || ctx.options.sort_by_date_taken;

  ctx.ui.SetBusy(true);
  ctx.state = RunState{};
  const std::optional<int32_t> file_count = CountFiles(ctx);
  if (!file_count) {
    ctx.ui.SetBusy(false);
    return RunOutcome::kCancelled;
  }
  ctx.ui.InitializeForm("Creating photo gallery", 0, *file_count + 1, true,
                        true, true);
  ctx.image_tool = tool.get();
  BuildFolderGallery(ctx, ctx.input_folder, 1, "");
  ctx.image_tool = nullptr;
  tool.reset();
  ctx.ui.HideForm(true);
  ctx.ui.SetBusy(false);
  ShowErrorList(ctx);
  return ShowSummary(ctx);
}

}  // namespace

RunResult CreateGallery(UserInterface& ui, FileSystem& fs,
                        const RunSettings& settings,
                        const ImageToolFactory& make_image_tool) {
  RunContext ctx(ui, fs, settings);
  RunResult result;
  std::string description;
  try {
    result.outcome = Run(ctx, make_image_tool, &result);
    return result;
  } catch (const std::exception& e) {
    description = e.what();
  }
  // An unexpected error: say so, then put the display back in order.
  ui.ShowMessage(
      Notice("Error", "Error Creating Photo Gallery: " + description));
  ui.HideForm(true);
  ui.SetBusy(false);
  result.outcome = RunOutcome::kFailed;
  return result;
}

}  // namespace orvanta
