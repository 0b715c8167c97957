// The options: the model of the main window's option controls (texts, check
// box values 0/1/2, list indices) shared by the window, the command line and
// the engine, and the record a run works from.
#ifndef ORVANTA_OPTIONS_OPTIONS_H_
#define ORVANTA_OPTIONS_OPTIONS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "options/extensions.h"

namespace orvanta {

// The default templates' names.
inline constexpr char kDefaultIndexTemplate[] = "IndexTemplate.html";
inline constexpr char kDefaultPictureTemplate[] = "PictureTemplate.html";
inline constexpr char kOptionsFileName[] = "info.ini";

// Entries of the thumbnail create-mode list.
enum ThumbnailCreateMode : int {
  kNoThumbnails = 0,
  kMissingThumbnails = 1,
  kAllThumbnails = 2,
};

// The option controls of the main window. Each member is a row of the
// option table (option_table.h), which gives its key, default and rule; a
// new OptionControls holds the defaults.
struct OptionControls {
  OptionControls();

  std::string input_folder;  // txtInputFolder
  std::string index_template_file;
  std::string picture_template_file;
  std::string directory_info_file;
  int overwrite_existing_files;  // check boxes: 0, 1 or 2 (grey)
  int recurse_subfolders;
  std::string thumbnails_per_row;  // number boxes: as the box shows them
  std::string thumbnail_maximum_width_or_height;
  int create_thumbnails_index;  // cboCreateThumbnails, -1 = none
  std::string thumbnail_file_prefix;
  std::string movie_file_thumbnail_extension;
  std::string picture_file_extensions;
  std::string movie_file_extensions;
  int include_picture_files;
  int include_movie_files;
  int include_keyboard_navigation;  // chkIncludeJavascriptNavFunctions
  int include_mid_size_picture;
  int target_screen_resolution_index;  // cboTargetScreenResolution
  int use_irfanview;
  std::string irfanview_path;
  int create_movie_thumbnails;
  int create_mid_size_files;
  int sort_by_date_taken;
  std::string mid_size_file_prefix;  // no control of its own
  // The page style chosen by its name (cboPageStyle); "" for the one the
  // index template belongs to.
  std::string page_style;
  std::string pictures_per_page;  // txtPicturesPerPage; 0: all on one page
  int remove_location;
  int remove_stale_files;
  std::string output_folder;    // "" for the input folder itself
  std::string gallery_address;  // txtGalleryAddress
  int create_web_videos;
  int album_downloads;

  bool operator==(const OptionControls&) const = default;
};

// The options a run works from, taken from the controls by CaptureOptions
// when it starts.
struct GalleryOptions {
  std::string index_template_path;
  std::string picture_template_path;
  std::string directory_info_file;
  bool overwrite_existing_files = false;
  bool recurse_subdirectories = false;
  int32_t thumbnails_per_row = 0;
  int32_t thumbnail_maximum_width_or_height = 0;
  std::string thumbnail_file_prefix;
  std::string movie_file_thumbnail_extension;
  bool include_keyboard_navigation = false;
  bool include_mid_size_picture = false;
  bool include_picture_files = false;
  bool include_movie_files = false;
  // Movies get a thumbnail made from one of their frames (by ffmpeg).
  bool create_movie_thumbnails = false;
  // Pictures larger than the mid-size bounds, or that browsers cannot show,
  // get a web-size JPEG copy named mid_size_file_prefix + their own name.
  // Only with include_mid_size_picture.
  bool create_mid_size_files = false;
  std::string mid_size_file_prefix;
  // Movies that browsers cannot play get a web copy (H.264 and AAC in MP4,
  // by ffmpeg) named mid_size_file_prefix + their own name + ".mp4".
  bool create_web_videos = false;
  // Pictures and movies of a folder in the order they were taken (a file
  // without a date taken by its modification time), not by name.
  bool sort_by_date_taken = false;
  // Pictures on each index page of a folder ("index.html", "index-2.html"
  // ...) when its template can show page links; 0: all on one page.
  int32_t pictures_per_page = 0;
  int mid_size_maximum_width = 0;
  int mid_size_maximum_height = 0;
  ExtensionTable known_extensions;
  // The folder the gallery is written to, as typed ("~" not yet
  // expanded); "" writes it beside the pictures. Then the input folder is
  // only read, and the pictures and movies are published into it.
  std::string output_folder;
  // Published pictures and movies lose their GPS position and the serial
  // numbers of camera, lens and body.
  bool remove_location = true;
  // In place: files the program wrote that the gallery no longer has are
  // removed (with an output folder they always are).
  bool remove_stale_files = false;
  // The gallery's address on the web ("https://example.org/photos/"), or
  // "" for none: with it, pages carry link previews, and the gallery gets a
  // feed and a sitemap.
  std::string gallery_address;
  // Each folder with pictures or movies gets a zip of them to download.
  bool album_downloads = false;
};

struct MidSizeLimits {
  int width;
  int height;
};
// The target screens of the list, by index: "640x480" ... "2560x1440".
inline constexpr int kTargetScreenCount = 7;
std::string TargetScreenName(int index);

// The mid-size bounds for a target-resolution list index: 95 % of the
// screen width and 85 % of its height less 25; indices outside the list
// give those of 1024x768 (973 x 628).
MidSizeLimits MidSizeLimitsForResolution(int index);

// Whether `prefix` can begin the names of files made beside the pictures:
// one holding "/", "\\", ".." or a NUL would put them somewhere else.
bool IsSafeFilePrefix(std::string_view prefix);

// Whether `address` can be the gallery's address: "" (none), or an http://
// or https:// address with a host, ending in "/", without blanks, quotes,
// angle brackets, backslashes or control characters.
bool IsGalleryAddress(std::string_view address);

// Puts the defaults into the controls (but those Restore Default Options
// leaves: the two include check boxes), with `input_folder` as the input
// folder.
void SetDefaultOptions(const std::string& input_folder,
                       OptionControls* controls);

// Fills *options from the controls with the range checks and rebuilds the
// extension table from the two extension boxes (the built-in table when
// both give nothing). Template paths are the program folder joined with the
// template names. Throws Error (type mismatch, overflow) when a number box
// does not hold a number; *options may then be partly filled.
void CaptureOptions(const OptionControls& controls,
                    const std::string& program_folder, GalleryOptions* options);

}  // namespace orvanta

#endif  // ORVANTA_OPTIONS_OPTIONS_H_
