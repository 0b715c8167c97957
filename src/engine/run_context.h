// What the run's own thread works with: the person's interface, the file
// system, the settings and the options taken from them at the start, the
// page templates read once, and the run's counters and flags. Only the
// run's thread touches it; the picture workers get their requests and the
// thread-safe seams, never this.
#ifndef ORVANTA_ENGINE_RUN_CONTEXT_H_
#define ORVANTA_ENGINE_RUN_CONTEXT_H_

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "common/dry_run_file_system.h"
#include "common/error.h"
#include "common/file_system.h"
#include "common/path_utils.h"
#include "engine/gallery_run.h"
#include "engine/output/tracking_file_system.h"
#include "engine/output/written_record.h"
#include "engine/user_interface.h"
#include "options/options.h"

namespace orvanta {

// CR LF, the line break inside message texts.
inline constexpr char kCrLf[] = "\r\n";

// Counters and flags of one run.
struct RunState {
  bool abort_processing = false;      // the run is being abandoned
  std::string thumbnail_error_list;   // errors recorded on the way
  int32_t image_files_processed = 0;  // picture pages the run came to
  double progress_shown = 0;          // the overall bar, which never goes back
  int32_t folders_processed = 0;      // folders entered, skipped ones too
  int32_t count_progress_ticker = 0;  // moves the bar while planning
  bool suppress_error_prompts = false;
  // Set when the person declined thumbnails for the other folders: no
  // thumbnails for the rest of the run.
  bool thumbnails_switched_off = false;
  // Set once ffmpeg could not be started: no more movie thumbnails.
  bool no_ffmpeg = false;
  // The same for web copies of movies (listed once).
  bool no_ffmpeg_for_web_videos = false;
  // What the web copies made so far weigh on the progress bar.
  int32_t web_video_units_done = 0;
  // What the run tells at its end besides errors: files removed or kept,
  // pictures that carry their position.
  std::string notes;
  // Files removed on the way (index pages left from a larger folder) and
  // files kept because the person edited them, below the gallery's root.
  std::vector<std::string> removed;
  std::vector<std::string> kept_edited;
  // In a dry run, the album downloads it would write.
  std::vector<std::string> dry_zips;
};

// The number of picture workers: as the settings say, else one per core.
inline int WorkerCount(const RunSettings& settings) {
  if (settings.thumbnail_workers > 0) return settings.thumbnail_workers;
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

struct RunContext {
  RunContext(UserInterface& ui_in, TrackingFileSystem& fs_in,
             const RunSettings& settings_in)
      : ui(ui_in), fs(fs_in), tracked(fs_in), settings(settings_in) {}

  // True once the person asked to abort.
  bool AbortRequested() const { return ui.AbortRequested(); }

  // Moves the overall bar to `value`, never back: the folders' pages and
  // their picture work are counted in different orders.
  void ShowProgress(double value) {
    state.progress_shown = std::max(state.progress_shown, value);
    ui.UpdateProgressBar(state.progress_shown, false);
  }

  // Adds a line to the run's error list.
  void ListError(const std::string& line) {
    state.thumbnail_error_list += line + kCrLf;
  }
  // Lists a FIFO, socket or device found where a file was to be written
  // (the error's text starts with its path), below the gallery's root.
  void ListNotRegular(const Error& error) { ListError(Shown(error.what())); }
  // A path of the input or output tree as the person is shown it: below
  // its root.
  std::string Shown(const std::string& path) const {
    return PathBelow(
        path, path.starts_with(output_folder) ? output_folder : input_folder,
        false);
  }
  // The gallery goes to an output folder.
  bool Elsewhere() const { return output_folder != input_folder; }

  UserInterface& ui;
  FileSystem& fs;
  TrackingFileSystem& tracked;      // the same as fs
  DryRunFileSystem* dry = nullptr;  // in a dry run, what it wraps
  const RunSettings settings;       // a copy: the run's own snapshot
  // The options taken from the settings when the run starts (the template
  // paths fall back to the default names when a template is missing).
  GalleryOptions options;
  std::string input_folder;  // the pictures' root, ending in the separator
  // The gallery's root, where its files go, ending in the separator: the
  // input folder, or the output folder.
  std::string output_folder;
  // The record of the files the earlier runs wrote there.
  WrittenRecord previous_record;
  RunState state;
  // Template files read once per run, by path.
  std::unordered_map<std::string, std::vector<std::string>> template_cache;
};

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_RUN_CONTEXT_H_
