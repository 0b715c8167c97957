// One gallery run: the checks, the templates and the script, the count,
// the walk, the error list and the summary.
#include "engine/gallery_run.h"

#include <exception>

#include "common/error.h"
#include "common/path_utils.h"
#include "engine/folder_builder.h"
#include "engine/folder_scan.h"
#include "engine/nav_script.h"
#include "engine/run_context.h"
#include "engine/templates.h"

namespace orvanta {
namespace {

constexpr size_t kMaxReportLength = 65000;

MessageBox ImageToolMissingMessage(const std::string& reason) {
#ifdef _WIN32
  (void)reason;
  return {"Error",
          std::string("Unable to create a reference to the ImageMagick "
                      "Object.  Please re-install this software, or "
                      "download ") +
              "and install the ImageMagick software from " +
              "https://imagemagick.org/script/download.php" +
              " (the newest -Q16-Windows-Static.exe file).  " +
              "Alternatively, download and install the IrfanView software "
              "from " +
              "https://www.irfanview.com/" + " then " +
              "define the path to the i_view_32.exe in this software.",
          Buttons::kOk, Icon::kWarning, 1};
#else
  return {"Error",
          "ImageMagick could not be started" +
              (reason.empty() ? std::string() : " (" + reason + ")") +
              ".  Please install it again (Debian: apt-get install "
              "--reinstall libmagick++-6.q16-8 imagemagick-6-common), or "
              "tick \"Use Irfanview instead of ImageMagick\" and give the "
              "path of a converter.",
          Buttons::kOk, Icon::kWarning, 1};
#endif
}

// The question before a gallery of the whole file system.
constexpr char kRootFolderQuestion[] =
#ifdef _WIN32
    "The currently selected input folder is the root folder of the drive.  "
    "Are you sure you want to create an Orvanta based on the entire drive?";
#else
    "The currently selected input folder is the root folder of the file "
    "system.  Are you sure you want to create an Orvanta based on the "
    "entire file system?";
#endif

MessageBox Notice(const char* title, const std::string& text) {
  return {title, text, Buttons::kOk, Icon::kWarning, 1};
}

// Makes sure both templates exist, falling back to the default names; a
// file of the default name that already exists is kept and used.
void EnsureTemplates(RunContext& ctx) {
  GalleryOptions& options = ctx.options;
  if (!FileExists(ctx.fs, options.index_template_path)) {
    ctx.ui.SetIndexTemplateFile(kDefaultIndexTemplate);
    options.index_template_path =
        JoinPathCopy(ctx.program_folder, kDefaultIndexTemplate);
    if (!FileExists(ctx.fs, options.index_template_path)) {
      WriteDefaultIndexTemplate(ctx, options.index_template_path);
    }
  }
  if (!FileExists(ctx.fs, options.picture_template_path)) {
    ctx.ui.SetPictureTemplateFile(kDefaultPictureTemplate);
    options.picture_template_path =
        JoinPathCopy(ctx.program_folder, kDefaultPictureTemplate);
    if (!FileExists(ctx.fs, options.picture_template_path)) {
      WriteDefaultPictureTemplate(ctx, options.picture_template_path);
    }
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
  std::string text = aborted ? "Orvanta creation aborted." : "Orvanta created.";
  text += "  Processed " + std::to_string(ctx.state.image_files_processed) +
          " image files in " + std::to_string(folders) +
          (folders == 1 ? " folder." : " folders.");
  ctx.ui.ShowMessage({aborted ? "Process aborted" : "Gallery created", text,
                      Buttons::kOk, Icon::kInformation, 1, true});
  return aborted ? RunOutcome::kAborted : RunOutcome::kCompleted;
}

RunOutcome Run(RunContext& ctx, ProgramState& program,
               const ImageToolFactory& make_image_tool,
               std::unique_ptr<ImageTool>& tool, bool& progress_shown) {
  UserInterface& ui = ctx.ui;
  const OptionControls controls = ui.ReadControls();
  ctx.use_image_magick = controls.use_irfanview != 1;
  if (ctx.use_image_magick) {
    std::string reason;
    tool = make_image_tool(&reason);
    if (!tool) {
      ui.ShowMessage(ImageToolMissingMessage(reason));
      return RunOutcome::kStopped;
    }
    ctx.image_tool = tool.get();
  } else {
    ctx.irfanview_path = controls.irfanview_path;
    if (ctx.irfanview_path.empty()) {
      ui.ShowMessage(Notice("Error",
                            "No converter set: give the path of the "
                            "converter program, or untick \"Use Irfanview "
                            "instead of ImageMagick\"."));
      return RunOutcome::kStopped;
    }
    if (!FileExists(ctx.fs, ctx.irfanview_path)) {
      ui.ShowMessage(Notice(
          "Error", "Invalid path specified for the IrfanView software: " +
                       ctx.irfanview_path));
      return RunOutcome::kStopped;
    }
  }
  CaptureOptions(ui.ReadControls(), program.program_folder, &program.options);

  std::string input_folder =
      ExpandHomeFolder(ui.ReadControls().input_folder, ctx.fs.HomeFolder());
  if (input_folder.empty()) {
    ui.ShowMessage(Notice("Missing Folder", "Please specify an input folder."));
    return RunOutcome::kStopped;
  }
  if (!ctx.fs.FolderExists(input_folder)) {
    ui.ShowMessage(
        Notice("Invalid Path", "The input folder path is invalid.  Aborting."));
    return RunOutcome::kStopped;
  }
  if (ctx.fs.IsRootFolder(input_folder)) {
    Answer answer = ui.ShowMessage({"Warning", kRootFolderQuestion,
                                    Buttons::kYesNoCancel, Icon::kQuestion, 3});
    if (answer != Answer::kYes) return RunOutcome::kStopped;
  }
  EnsureTemplates(ctx);
  const std::string nav_path = JoinPath(&input_folder, kNavScriptName);
  ctx.input_folder = input_folder;
  if (ctx.options.include_keyboard_navigation &&
      !FileExists(ctx.fs, nav_path)) {
    WriteNavigationScript(ctx, nav_path);
  }

  ui.SetBusy(true);
  ctx.state = RunState{};
  int32_t folder_count = 0;
  int32_t file_count = 0;
  progress_shown = true;
  ui.InitializeForm("Determining number of files in photo gallery", 0, 100,
                    false, false, false);
  CountGalleryFiles(ctx, input_folder, &folder_count, &file_count);
  if (ctx.AbortRequested()) {
    ui.ShowMessage(Notice("Cancelled", "Processing cancelled."));
    ui.HideForm(true);
    ui.SetBusy(false);
    progress_shown = false;
    return RunOutcome::kCancelled;
  }
  ui.InitializeForm("Creating photo gallery", 0, file_count + 1, true, true,
                    true);
  ui.SetKeyPressAbortProcess(0);
  BuildFolderGallery(ctx, input_folder, 1, "");
  ui.HideForm(true);
  ui.SetBusy(false);
  progress_shown = false;
  tool.reset();
  ctx.image_tool = nullptr;
  ShowErrorList(ctx);
  return ShowSummary(ctx);
}

}  // namespace

RunOutcome CreateGallery(UserInterface& ui, FileSystem& fs,
                         ProgramState& program,
                         const ImageToolFactory& make_image_tool,
                         const RunSettings& settings) {
  RunContext ctx(ui, fs, program.options, settings);
  ctx.program_folder = program.program_folder;
  std::unique_ptr<ImageTool> tool;
  bool progress_shown = false;
  std::string description;
  try {
    return Run(ctx, program, make_image_tool, tool, progress_shown);
  } catch (const std::exception& e) {
    description = e.what();
  }
  // An unexpected error: say so, then put the display back in order.
  ui.ShowMessage(
      Notice("Error", "Error Creating Photo Gallery: " + description));
  if (progress_shown) ui.HideForm(true);
  ui.SetBusy(false);
  return RunOutcome::kFailed;
}

}  // namespace orvanta
