// The context every engine routine of a run works in: the person's
// interface, the file system, the settings and the options taken from them
// at the start, the image tool, and the run's counters and flags. The
// folder record of the folder being processed.
#ifndef ORVANTA_ENGINE_RUN_CONTEXT_H_
#define ORVANTA_ENGINE_RUN_CONTEXT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/error.h"
#include "common/file_system.h"
#include "common/path_utils.h"
#include "engine/gallery_run.h"
#include "engine/user_interface.h"
#include "imagetools/image_tool.h"
#include "imagetools/picture_metadata.h"
#include "options/options.h"

namespace orvanta {

// CR LF, the line break inside message texts.
inline constexpr char kCrLf[] = "\r\n";

// Counters and flags of one run.
struct RunState {
  bool abort_processing = false;      // the run is being abandoned
  std::string thumbnail_error_list;   // errors recorded while shrinking
  int32_t image_files_processed = 0;  // file cells written
  int32_t folders_processed = 0;      // folders entered, skipped ones too
  int32_t count_progress_ticker = 0;  // moves the bar while counting
  bool suppress_error_prompts = false;
  // Set when the person declined thumbnails for the other folders: no
  // thumbnails for the rest of the run.
  bool thumbnails_switched_off = false;
  // Set once ffmpeg could not be started: no more movie thumbnails.
  bool no_ffmpeg = false;
  // Folders the count could not list (path with its separator -> the
  // reason): the walk leaves them out.
  std::unordered_map<std::string, std::string> unreadable_folders;
};

// Pictures' sizes by path; nothing for a picture whose size is unknown.
using PictureSizes = std::unordered_map<std::string, std::optional<PixelSize>>;

struct RunContext {
  RunContext(UserInterface& ui_in, FileSystem& fs_in,
             const RunSettings& settings_in)
      : ui(ui_in), fs(fs_in), settings(settings_in) {}

  // True once the person asked to abort.
  bool AbortRequested() const { return ui.AbortRequested(); }
  // The thumbnail create mode for the next folder: the list index as the
  // run found it, or none once the person declined further thumbnails.
  int CreateMode() const {
    return state.thumbnails_switched_off
               ? kNoThumbnails
               : settings.controls.create_thumbnails_index;
  }

  UserInterface& ui;
  FileSystem& fs;
  const RunSettings settings;  // a copy: the run's own snapshot
  // The options taken from the settings when the run starts (the template
  // paths fall back to the default names when a template is missing).
  GalleryOptions options;
  ImageTool* image_tool = nullptr;  // set before the walk
  // The pictures' own metadata is read (for the order or the pages), and
  // shown on the pages.
  bool read_facts = false;
  bool show_facts = false;
  std::string input_folder;  // the gallery's root, ending in the separator
  RunState state;
  // Template files read once per run, by path.
  std::unordered_map<std::string, std::vector<std::string>> template_cache;
  // The sizes of the pictures of the folder being built, by path, each
  // read once.
  PictureSizes picture_sizes;

  // Adds a line to the run's error list.
  void ListError(const std::string& line) {
    state.thumbnail_error_list += line + kCrLf;
  }
  // Lists a FIFO, socket or device found where a file was to be written
  // (the error's text starts with its path), below the gallery's root.
  void ListNotRegular(const Error& error) {
    ListError(PathBelow(error.what(), input_folder, false));
  }

  // The size of a picture of the folder being built, as the image tool
  // reads it; read once. Throws what the tool throws.
  std::optional<PixelSize> PictureSize(const std::string& path) {
    const auto found = picture_sizes.find(path);
    if (found != picture_sizes.end()) return found->second;
    const std::optional<PixelSize> size = image_tool->PictureSize(path);
    picture_sizes.emplace(path, size);
    return size;
  }
};

// What is to be made of one listed file.
struct FileWork {
  std::string name;
  bool thumbnail = false;  // its thumbnail
  bool copy = false;       // its mid-size copy
};

// What a listed file says of itself.
struct PictureFacts {
  PictureMetadata metadata;
  int64_t modified_ns = 0;
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
  std::vector<FileWork> work;  // thumbnails and copies to make
  // Lower-cased base names that two or more listed files share ("pic" of
  // pic.bmp and pic.png): what is named after them takes the whole name.
  std::unordered_set<std::string> shared_bases;
  std::unordered_map<std::string, PictureFacts> facts;  // by file name
};

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_RUN_CONTEXT_H_
