// One gallery run: the image tool, the checks of the input folder, the
// support files, then the flow one way: settings -> plan -> picture work
// (one pool over all folders) -> pages; then the error list and the
// summary.
#include "engine/gallery_run.h"

#include <exception>
#include <memory>
#include <optional>

#include "common/dry_run_file_system.h"
#include "common/error.h"
#include "common/path_utils.h"
#include "engine/output/finish_output.h"
#include "engine/output/output_folder.h"
#include "engine/pages/folder_pages.h"
#include "engine/pages/share_files.h"
#include "engine/pages/support_files.h"
#include "engine/plan/plan_builder.h"
#include "engine/plan/planned_files.h"
#include "engine/run_context.h"
#include "engine/styles/page_style.h"
#include "engine/styles/page_text.h"
#include "engine/styles/templates.h"
#include "engine/work/picture_work.h"

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

// The error list, then what the run notes besides (removed files, the
// pictures' positions), in one report.
void ShowErrorList(RunContext& ctx) {
  std::string& list = ctx.state.thumbnail_error_list;
  if (!list.empty()) {
    ctx.ui.ShowMessage({"Error",
                        "Errors occurred during the thumbnail creation "
                        "process.  Click OK to see a list of the errors.",
                        Buttons::kOk, Icon::kInformation, 1});
  }
  if (list.size() > kMaxReportLength) {
    list.resize(kMaxReportLength);
    list += std::string(kCrLf) + kCrLf +
            "More errors occurred, but there isn't enough room to show them.";
  }
  const std::string& notes = ctx.state.notes;
  if (list.empty() && notes.empty()) return;
  ctx.ui.ShowReport(list.empty() || notes.empty() ? list + notes
                                                  : list + kCrLf + notes);
}

RunOutcome ShowSummary(RunContext& ctx) {
  const bool aborted = ctx.state.abort_processing;
  const bool dry = ctx.settings.dry_run;
  const int32_t folders = ctx.state.folders_processed;
  const std::string text = (dry       ? "Nothing was written."
                            : aborted ? "Orvanta creation aborted."
                                      : "Orvanta created.") +
                           std::string("  Processed ") +
                           std::to_string(ctx.state.image_files_processed) +
                           " image files in " + std::to_string(folders) +
                           (folders == 1 ? " folder." : " folders.");
  MessageBox box{dry       ? "Dry run"
                 : aborted ? "Process aborted"
                           : "Gallery created",
                 text,
                 Buttons::kOk,
                 Icon::kInformation,
                 1,
                 true};
  const std::string root_page = ctx.output_folder + "index.html";
  if (!aborted && !dry && ctx.fs.FileExists(root_page)) {
    box.open_page = root_page;
  }
  ctx.ui.ShowMessage(box);
  return aborted ? RunOutcome::kAborted : RunOutcome::kCompleted;
}

// Whether template lines hold a block that lists the folders below.
bool ListsSubfolders(const std::vector<std::string>& lines) {
  for (const PageStyle& style : PageStyles()) {
    for (const BlockCode& code : style.codes) {
      if (code.role == BlockRole::kListsSubfolders &&
          TemplateHolds(lines, code.code)) {
        return true;
      }
    }
  }
  return false;
}

// Plans the gallery under the progress display; nothing when the person
// cancelled (the display is then hidden again).
std::optional<GalleryPlan> Plan(RunContext& ctx, ImageTool& tool) {
  ctx.ui.InitializeForm("Determining number of files in photo gallery", 0, 100,
                        false, false, false);
  PlanReading reading;
  reading.show_facts = EitherTemplate(ctx, ShowsPictureFacts);
  // The feed orders the files by the date they were taken; in place, the
  // pictures that carry a position are counted.
  reading.facts = reading.show_facts || ctx.options.sort_by_date_taken ||
                  !ctx.options.gallery_address.empty();
  reading.positions = !ctx.Elsewhere() && ctx.options.remove_location;
  reading.players =
      EitherTemplate(ctx, [](const std::vector<std::string>& lines) {
        return TemplateHolds(lines, "pictureview");
      });
  reading.workers = WorkerCount(ctx.settings);
  try {
    // The modern picture view offers a half-size copy to small screens.
    reading.half_copies =
        TemplateHolds(ReadTemplateLines(ctx, ctx.options.picture_template_path),
                      "pictureview");
  } catch (const Error&) {
    // The pages report the template.
  }
  try {
    const std::vector<std::string>& lines =
        ReadTemplateLines(ctx, ctx.options.index_template_path);
    reading.subfolders =
        ctx.options.recurse_subdirectories && ListsSubfolders(lines);
    reading.sidebar_thumbnails = TemplateHolds(lines, "subfoldercards");
    if (TemplateHolds(lines, "thumbnailgrid") ||
        TemplateHolds(lines, "pagenavigation")) {
      reading.pictures_per_page = ctx.options.pictures_per_page;
    }
  } catch (const Error&) {
    reading.subfolders = false;  // the root's page reports the template
  }
  std::optional<GalleryPlan> plan = BuildGalleryPlan(ctx, tool, reading);
  if (plan) return plan;
  ctx.ui.ShowMessage(Notice("Cancelled", "Processing cancelled."));
  ctx.ui.HideForm(true);
  return std::nullopt;
}

// Checks the output folder and makes it; false when the run is to stop
// (the reason was shown).
bool UseOutputFolder(RunContext& ctx) {
  const std::string output =
      ExpandHomeFolder(ctx.options.output_folder, ctx.fs.HomeFolder());
  const OutputCheck check = CheckOutputFolder(ctx.fs, ctx.input_folder, output);
  std::string problem = check.problem;
  if (problem.empty()) {
    try {
      ctx.fs.MakeFolders(check.folder);
    } catch (const Error& e) {
      problem =
          "The output folder " + output + " cannot be made (" + e.what() + ").";
    }
  }
  if (!problem.empty()) {
    ctx.ui.ShowMessage(Notice("Invalid Output Folder", problem));
    return false;
  }
  ctx.output_folder = check.folder;
  return true;
}

// What keeps the run from starting: no image tool, a prefix that is empty
// or leaves the folder, an input folder that is not one. Each is shown.
bool ReadyToStart(RunContext& ctx) {
  CaptureOptions(ctx.settings.controls, ctx.settings.program_folder,
                 &ctx.options);
  if (ctx.options.thumbnail_file_prefix.empty()) {
    ctx.ui.ShowMessage(Notice(
        "Missing Prefix",
        "The thumbnail file prefix is empty: every picture would count as a "
        "thumbnail, and thumbnails would replace the pictures.  Please give "
        "a prefix such as t_."));
    return false;
  }
  if (!IsSafeFilePrefix(ctx.options.thumbnail_file_prefix) ||
      !IsSafeFilePrefix(ctx.options.mid_size_file_prefix)) {
    ctx.ui.ShowMessage(Notice(
        "Invalid Prefix",
        "A file prefix holds /, \\, .. or a NUL character: thumbnails and "
        "copies would be written outside their folders.  Please give a "
        "prefix such as t_."));
    return false;
  }
  const std::string input_folder = CheckInputFolder(ctx);
  if (input_folder.empty()) return false;
  ctx.input_folder = WithTrailingSeparator(input_folder);
  ctx.output_folder = ctx.input_folder;
  return ctx.options.output_folder.empty() || UseOutputFolder(ctx);
}

// With an output folder, its folders are made before any work starts.
void MakeOutputFolders(RunContext& ctx, const GalleryPlan& plan) {
  if (!plan.elsewhere) return;
  for (const FolderPlan& folder : plan.folders) {
    if (folder.do_not_modify) continue;
    try {
      ctx.fs.MakeFolders(folder.output_path);
    } catch (const Error&) {
      // Its pages will say why.
    }
  }
}

RunOutcome Run(RunContext& ctx, const ImageToolFactory& factory,
               RunResult* result) {
  std::unique_ptr<ImageTool> tool = MakeImageTool(ctx, factory);
  if (!tool || !ReadyToStart(ctx)) return RunOutcome::kStopped;
  WriteTemplates(ctx, &result->index_template_reset,
                 &result->picture_template_reset);
  if (ctx.state.abort_processing) return ShowSummary(ctx);
  ctx.previous_record = ReadRecord(ctx.fs, ctx.output_folder);
  ctx.tracked.SetRoot(ctx.output_folder, ctx.previous_record);
  WriteRootSupportFiles(ctx);
  if (ctx.state.abort_processing) {
    FinishOutput(ctx, nullptr, nullptr, false);
    return ShowSummary(ctx);
  }
  ctx.ui.SetBusy(true);
  const std::optional<GalleryPlan> plan = Plan(ctx, *tool);
  if (!plan) {
    FinishOutput(ctx, nullptr, nullptr, false);
    ctx.ui.SetBusy(false);
    return RunOutcome::kCancelled;
  }
  if (plan->no_ffprobe && ctx.options.create_web_videos) {
    ListNoFfmpegForWebVideos(ctx);
  }
  ctx.ui.InitializeForm("Creating photo gallery", 0,
                        plan->file_count + 1 + plan->web_video_units, true,
                        true, true);
  MakeOutputFolders(ctx, *plan);
  {
    PictureWork work(ctx, *plan, *tool);
    FolderPages(ctx, *plan, work, *tool).Build(0);
  }
  if (!ctx.state.abort_processing) {
    WriteShareFiles(ctx, *plan);
    ctx.ShowProgress(plan->file_count + 1 + plan->web_video_units);
  }
  tool.reset();
  ctx.ui.HideForm(true);
  // The names the plan makes, only when stale files are looked for.
  std::optional<PlannedFiles> planned;
  if (ctx.Elsewhere() || ctx.options.remove_stale_files) {
    std::vector<std::string> root_files = RootSupportFileNames(ctx);
    root_files.insert(root_files.end(), plan->root_files.begin(),
                      plan->root_files.end());
    planned = NamedFiles(*plan, ctx.options, root_files);
  }
  FinishOutput(ctx, &*plan, planned ? &*planned : nullptr,
               !ctx.state.abort_processing);
  ctx.ui.SetBusy(false);
  ShowErrorList(ctx);
  return ShowSummary(ctx);
}

}  // namespace

RunResult CreateGallery(UserInterface& ui, FileSystem& fs,
                        const RunSettings& settings,
                        const ImageToolFactory& make_image_tool) {
  // A dry run's writes stay in memory.
  std::optional<DryRunFileSystem> dry;
  if (settings.dry_run) dry.emplace(fs);
  TrackingFileSystem tracked(dry ? *dry : fs);
  RunContext ctx(ui, tracked, settings);
  if (dry) ctx.dry = &*dry;
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
