// The plan of a gallery run: every folder it makes pages for and every
// file it lists, with what each file says of itself and the names of every
// file the run makes for it (page, thumbnail, web-size copy). Built once
// from the settings and the file system before any picture is made, then
// only read: the picture work, the page styles and the builder all take
// their names from here.
#ifndef ORVANTA_ENGINE_PLAN_GALLERY_PLAN_H_
#define ORVANTA_ENGINE_PLAN_GALLERY_PLAN_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/error.h"
#include "imagetools/clip_probe.h"
#include "imagetools/image_tool.h"
#include "imagetools/picture_metadata.h"

namespace orvanta {

// What a listed file says of itself.
struct PictureFacts {
  PictureMetadata metadata;
  int64_t modified_ns = 0;
};

// A movie's web copy (with web copies of movies on).
struct WebVideoPlan {
  // The web copy the run makes or finds ("m_clip.mp4"); "" for none (the
  // clip plays as it is, or none is made).
  std::string name;
  bool make = false;              // the run makes it
  std::optional<ClipFacts> clip;  // what ffprobe told of the clip, if asked
  // ffprobe could not read the clip: listed where the copy would be made.
  std::optional<Error> unreadable;
  // A larger video found at the copy's place is somebody's: kept, listed.
  std::optional<PixelSize> kept;
  // The video the page plays (the copy, or the clip when it plays as it
  // is): its size when known, and the clip's type when it plays.
  std::optional<PixelSize> size;
  // "video/mp4", "video/webm"; "" for the copy, and for a clip that does
  // not play
  std::string played_type;
  int32_t units = 0;  // its weight on the progress bar when made
};

// With an output folder: a picture or movie of the input as it was when
// planned, and whether the run publishes it (again) into the output folder.
struct Original {
  uint64_t size = 0;
  int64_t modified_ns = 0;
  bool publish = false;
};

// One listed picture or movie of a folder.
struct EntryPlan {
  std::string name;  // the file's name in its folder
  // The files the run makes for it, by name in the same folder.
  std::string page;       // its picture page
  std::string thumbnail;  // its thumbnail, where one is made
  std::string copy;       // its web-size copy; "" when it gets none
  // What it says of itself, read when the pages or the order need it (a
  // pointer: a gallery of many files that needs none keeps it small).
  std::unique_ptr<PictureFacts> facts;
  // The file could not be read at all when its size was read (not a
  // picture's own trouble): its page asks about it.
  std::unique_ptr<Error> unreadable;
  std::unique_ptr<WebVideoPlan> web;  // a movie's web copy, when planned
  Original original;                  // with an output folder
  // The picture's size as shown; none when unknown (a movie, a picture
  // the tool cannot read, or a tool that tells no sizes).
  std::optional<PixelSize> size;
  bool movie = false;
  bool has_position = false;    // read when facts or positions are asked for
  bool make_thumbnail = false;  // the run makes its thumbnail
  bool make_copy = false;       // the run makes its web-size copy
};

// A line of a folder information file naming a picture.
struct PhotoDescription {
  std::string file_name;    // as written in the information file
  std::string description;  // as written
};

// A subfolder as its parent links to it.
struct SubfolderLink {
  std::string name;
  std::string caption;  // HTML: its information file's title, else its name
  int folder = -1;      // its plan in GalleryPlan::folders
};

// A folder that could not be read; it is left out and listed.
struct UnreadableFolder {
  std::string path;  // ends in the separator
  std::string reason;
};

struct FolderPlan {
  std::string folder_path;  // always ends in the separator
  // Where its files go: the folder itself, or its place in the output
  // folder; ends in the separator.
  std::string output_path;
  std::string relative;      // below the gallery's root: "" or "Trip/Day2/"
  int level = 1;             // 1 for the gallery's root
  std::string parent_title;  // HTML; "" for the root
  // A folder holding the do-not-modify file: counted and linked, no more.
  bool do_not_modify = false;
  std::string title;    // HTML: the user's title, or the escaped path
  std::string heading;  // HTML: the user's title, or the folder's name
  // The headings of the folders above, the gallery's root first.
  std::vector<std::string> above;
  std::string description;  // as written
  std::string sidebar_picture_name;
  std::string sidebar_picture_caption;
  Original sidebar;  // with an output folder
  // The thumbnail that shows the sidebar picture on pages that show it
  // through one (the picture a file of this folder); "" for none.
  std::string sidebar_thumbnail;
  bool make_sidebar_thumbnail = false;  // the run makes it
  // Each picture with a copy gets a half-size copy beside it, offered to
  // smaller screens (HalfCopyName); by lower-cased file name, the names of
  // the few that another file's name pushed aside.
  bool half_copies = false;
  std::unordered_map<std::string, std::string> halves_named_apart;
  std::vector<PhotoDescription> photo_descriptions;
  // Lower-cased file name -> index of its first entry.
  std::unordered_map<std::string, size_t> description_index;
  // Lower-cased base names that two or more listed files share ("pic" of
  // pic.bmp and pic.png): what is named after them takes the whole name.
  std::unordered_set<std::string> shared_bases;
  std::vector<EntryPlan> entries;  // in page order
  // Entries on each index page when they take more than one (index.html,
  // index-2.html ...); 0: all on index.html.
  int per_page = 0;
  std::vector<SubfolderLink> subfolders;     // readable ones, by name
  std::vector<UnreadableFolder> unreadable;  // left-out subfolders
  // Set when the folder itself could not be listed: the reason.
  std::string listing_error;
  // Temporary files a killed run left here, for the builder to remove.
  std::vector<std::string> leftovers;
  // Files named like a copy that belong to no listed file: not shown, and
  // named once in the report.
  std::vector<std::string> copy_lookalikes;
  // The picture work of this folder's entries, and of its whole subtree,
  // as ranges of GalleryPlan::work: first the originals it publishes (up
  // to publish_end), then its sidebar picture's thumbnail, its thumbnails
  // and copies, then its web copies of movies.
  int work_begin = 0;
  int publish_end = 0;
  int work_end = 0;
  int subtree_work_end = 0;
};

// One item of picture work: a file of a folder that gets a thumbnail or a
// web-size copy (or both, from one decode), that is published, or a movie
// whose web copy is made (one at a time, apart from the pictures); or the
// folder's sidebar picture's thumbnail (no entry).
struct WorkItem {
  int folder = 0;
  int entry = 0;
  bool publish = false;
  bool web_video = false;
  bool sidebar = false;
};

struct GalleryPlan {
  std::vector<FolderPlan> folders;  // the root first, then depth first
  std::vector<WorkItem> work;       // in the order the pages need them
  int32_t file_count = 0;           // listed files in all folders
  bool read_facts = false;          // what pictures say of themselves was read
  bool show_facts = false;          // and the pages show it
  // What the web copies of movies to make weigh on the progress bar, in
  // listed files (a file counts 1).
  int32_t web_video_units = 0;
  bool no_ffprobe = false;  // web copies were asked for; ffprobe is missing
  bool elsewhere = false;   // the output goes to an output folder
  // The files made at the gallery's root from the whole plan once the
  // pages are written (the feed and the sitemaps), by name.
  std::vector<std::string> root_files;
};

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PLAN_GALLERY_PLAN_H_
