// The options: the model of the main window's option controls (texts, check
// box values 0/1/2, list indices) shared by the window, the command line and
// the engine; their defaults; and the record a run works from.
#ifndef ORVANTA_OPTIONS_OPTIONS_H_
#define ORVANTA_OPTIONS_OPTIONS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "common/platform.h"
#include "options/extensions.h"

namespace orvanta {

inline constexpr char kDefaultIndexTemplate[] = "IndexTemplate.html";
inline constexpr char kDefaultPictureTemplate[] = "PictureTemplate.html";
inline constexpr char kDefaultDirectoryInfoFile[] = "DirInfo.txt";
inline constexpr char kModernIndexTemplate[] = "ModernIndexTemplate.html";
inline constexpr char kModernPictureTemplate[] = "ModernPictureTemplate.html";
inline constexpr char kOptionsFileName[] = "info.ini";
inline constexpr char kDefaultThumbnailPrefix[] = "t_";
inline constexpr char kDefaultMidSizePrefix[] = "m_";
inline constexpr char kDefaultMovieThumbnailExtension[] = "jpg";
// The number boxes: their defaults (also what an out-of-range number is
// replaced by) and ranges.
inline constexpr int32_t kDefaultThumbnailsPerRow = 4;
inline constexpr int32_t kMinThumbnailsPerRow = 1;
inline constexpr int32_t kMaxThumbnailsPerRow = 1000;
inline constexpr int32_t kDefaultThumbnailSize = 150;
inline constexpr int32_t kMinThumbnailSize = 10;
inline constexpr int32_t kMaxThumbnailSize = 5000;

// Entries of the thumbnail create-mode list.
enum ThumbnailCreateMode : int {
  kNoThumbnails = 0,
  kMissingThumbnails = 1,
  kAllThumbnails = 2,
};

// The option controls of the main window. Member initialisers are the
// window's design values; SetDefaultOptions puts the defaults in.
struct OptionControls {
  std::string input_folder;  // txtInputFolder
  std::string index_template_file =
      kDefaultIndexTemplate;  // txtIndexTemplateFile
  std::string picture_template_file = kDefaultPictureTemplate;
  std::string directory_info_file = kDefaultDirectoryInfoFile;
  int overwrite_existing_files = 0;  // chkOverwriteExistingFiles
  int recurse_subfolders = 1;        // chkRecurseSubFolders
  std::string thumbnails_per_row = std::to_string(kDefaultThumbnailsPerRow);
  std::string thumbnail_maximum_width_or_height =
      std::to_string(kDefaultThumbnailSize);
  int create_thumbnails_index = 1;  // cboCreateThumbnails, -1 = none
  std::string thumbnail_file_prefix = kDefaultThumbnailPrefix;
  std::string movie_file_thumbnail_extension = kDefaultMovieThumbnailExtension;
  std::string picture_file_extensions = kDefaultPictureExtensions;
  std::string movie_file_extensions = kDefaultMovieExtensions;
  int include_picture_files = 1;
  int include_movie_files = 1;
  int include_keyboard_navigation = 1;  // chkIncludeJavascriptNavFunctions
  int include_mid_size_picture = 1;
  int target_screen_resolution_index = 2;  // cboTargetScreenResolution
  int use_irfanview = 0;                   // chkUseIrfanview
  std::string irfanview_path = Platform().default_converter_path;
  int create_movie_thumbnails = 0;  // chkCreateMovieThumbnails
  int create_mid_size_files = 0;    // chkCreateMidSizeFiles
  int sort_by_date_taken = 0;       // chkSortByDateTaken
  std::string mid_size_file_prefix = kDefaultMidSizePrefix;

  bool operator==(const OptionControls&) const = default;
};

// The options a run works from, taken from the controls by CaptureOptions
// when it starts.
struct GalleryOptions {
  std::string index_template_path;
  std::string picture_template_path;
  std::string directory_info_file = kDefaultDirectoryInfoFile;
  bool overwrite_existing_files = true;
  bool recurse_subdirectories = true;
  int32_t thumbnails_per_row = kDefaultThumbnailsPerRow;
  int32_t thumbnail_maximum_width_or_height = kDefaultThumbnailSize;
  int thumbnail_create_mode = kMissingThumbnails;
  std::string thumbnail_file_prefix = kDefaultThumbnailPrefix;
  std::string movie_file_thumbnail_extension = kDefaultMovieThumbnailExtension;
  bool include_keyboard_navigation = true;
  bool include_mid_size_picture = true;
  bool include_picture_files = true;
  bool include_movie_files = true;
  // Movies get a thumbnail made from one of their frames (by ffmpeg).
  bool create_movie_thumbnails = false;
  // Pictures larger than the mid-size bounds, or that browsers cannot show,
  // get a web-size JPEG copy named mid_size_file_prefix + their own name.
  // Only with include_mid_size_picture.
  bool create_mid_size_files = false;
  std::string mid_size_file_prefix = kDefaultMidSizePrefix;
  // Pictures and movies of a folder in the order they were taken (a file
  // without a date taken by its modification time), not by name.
  bool sort_by_date_taken = false;
  int mid_size_maximum_width = 760;
  int mid_size_maximum_height = 485;
  ExtensionTable known_extensions;
};

// The two page styles: the classic pages, and modern pages that work on a
// phone (their own templates, sharper thumbnails, web-size copies, clips
// that play in the page).
enum class PageStyleName { kClassic, kModern };

// The style the controls stand for: modern when the index template is the
// modern one.
PageStyleName PageStyleOf(const OptionControls& controls);

// Sets the controls a style needs. Modern: the modern templates, 300 px
// thumbnails (shown at about half that on a phone's sharper screen),
// mid-size pictures with copies, movie thumbnails, and mp4, m4v and webm
// among the movies. Classic: the classic templates, 150 px thumbnails, no
// copies.
void ApplyPageStyle(PageStyleName style, OptionControls* controls);

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

// Puts the default values into the controls (the two include check boxes
// are left as they are), with `input_folder` as the input folder.
// Whether `prefix` can begin the names of files made beside the pictures:
// one holding "/", "\\", ".." or a NUL would put them somewhere else.
bool IsSafeFilePrefix(std::string_view prefix);

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
