// The state of one gallery run and the context every engine routine works
// in: the person's interface, the file system, the options, the image tool
// and the run's counters and flags.
#ifndef ORVANTA_ENGINE_RUN_CONTEXT_H_
#define ORVANTA_ENGINE_RUN_CONTEXT_H_

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/file_system.h"
#include "engine/gallery_run.h"
#include "engine/user_interface.h"
#include "imagetools/image_tool.h"
#include "options/options.h"

namespace orvanta {

// Counters and flags of one run, reset at its start.
struct RunState {
  bool abort_processing = false;      // the run is being abandoned
  std::string thumbnail_error_list;   // errors recorded while shrinking
  int32_t image_files_processed = 0;  // file cells written
  int32_t folders_processed = 0;      // folders entered, skipped ones too
  int32_t count_progress_ticker = 0;  // moves the bar while counting
  bool suppress_error_prompts = false;
  // Set when the person declined thumbnails for the other folders: the
  // create mode stays 0 for the rest of the run.
  bool thumbnails_switched_off = false;
  // Set once ffmpeg could not be started: no more movie thumbnails.
  bool no_ffmpeg = false;
};

struct RunContext {
  RunContext(UserInterface& ui_in, FileSystem& fs_in,
             GalleryOptions& options_in, const RunSettings& settings_in)
      : ui(ui_in), fs(fs_in), options(options_in), settings(settings_in) {}

  // True once the person asked to abort (Escape, closing the progress
  // display, Ctrl+C).
  bool AbortRequested() { return ui.KeyPressAbortProcess() > 1; }

  UserInterface& ui;
  FileSystem& fs;
  GalleryOptions& options;
  const RunSettings& settings;
  ImageTool* image_tool = nullptr;  // null when the converter is used
  bool use_image_magick = true;
  std::string irfanview_path;
  std::string program_folder;
  std::string input_folder;  // the gallery's root, ending in the separator
  RunState state;
  // Template files read once per run, by path.
  std::unordered_map<std::string, std::vector<std::string>> template_cache;
};

// The record of the folder being processed.
struct PhotoDescription {
  std::string file_name;    // as written in the information file
  std::string description;  // as written
};

struct FolderInfo {
  std::string folder_path;  // always ends in the separator
  std::string title;        // HTML: the user's title, or the escaped path
  std::string description;  // as written
  std::string sidebar_picture_name;
  std::string sidebar_picture_caption;
  std::vector<PhotoDescription> photo_descriptions;
  // Lower-cased file name -> index of its first entry.
  std::unordered_map<std::string, size_t> description_index;
  std::vector<std::string> thumbnails_to_create;
};

// CR LF, the line break inside message texts.
inline constexpr char kCrLf[] = "\r\n";

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_RUN_CONTEXT_H_
