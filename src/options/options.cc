// The option defaults, the page styles and the capture of the option
// controls into the record a run works from.
#include "options/options.h"

#include <cstring>
#include <iterator>

#include "common/conversions.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "options/option_table.h"

namespace orvanta {

namespace {

struct ScreenSize {
  int width;
  int height;
};

constexpr ScreenSize kResolutions[kTargetScreenCount] = {
    {640, 480},   {800, 600},   {1024, 768}, {1280, 960},
    {1600, 1200}, {1920, 1080}, {2560, 1440}};
constexpr int kFallbackResolution = 2;  // 1024x768

// numerator / 100 rounded to the nearest integer, ties to even, in exact
// integer arithmetic.
int DivideBy100HalfEven(int numerator) {
  int quotient = numerator / 100;
  int remainder = numerator % 100;
  if (remainder > 50 || (remainder == 50 && quotient % 2 != 0)) ++quotient;
  return quotient;
}

}  // namespace

std::string TargetScreenName(int index) {
  return std::to_string(kResolutions[index].width) + "x" +
         std::to_string(kResolutions[index].height);
}

MidSizeLimits MidSizeLimitsForResolution(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kResolutions))) {
    index = kFallbackResolution;
  }
  const ScreenSize& screen = kResolutions[index];
  return MidSizeLimits{DivideBy100HalfEven(95 * screen.width),
                       DivideBy100HalfEven(85 * screen.height) - 25};
}

bool IsSafeFilePrefix(std::string_view prefix) {
  return prefix.find_first_of(std::string_view("/\\\0", 3)) ==
             std::string_view::npos &&
         prefix.find("..") == std::string_view::npos;
}

bool IsGalleryAddress(std::string_view address) {
  if (address.empty()) return true;
  size_t host = 0;
  for (std::string_view scheme : {"http://", "https://"}) {
    if (StartsWithIgnoreCase(address, scheme)) host = scheme.size();
  }
  if (host == 0 || address.size() <= host + 1 || address[host] == '/' ||
      address.back() != '/') {
    return false;
  }
  for (char c : address) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7F || std::strchr("\"<>\\", c) != nullptr) {
      return false;
    }
  }
  return true;
}

OptionControls::OptionControls() {
  for (const OptionRow& row : OptionTable()) PutDefault(row, this);
}

void SetDefaultOptions(const std::string& input_folder,
                       OptionControls* controls) {
  for (const OptionRow& row : OptionTable()) {
    if (!row.kept_on_restore) PutDefault(row, controls);
  }
  controls->input_folder = input_folder;
}

void CaptureOptions(const OptionControls& controls,
                    const std::string& program_folder,
                    GalleryOptions* options) {
  options->index_template_path =
      JoinPathCopy(program_folder, controls.index_template_file);
  options->picture_template_path =
      JoinPathCopy(program_folder, controls.picture_template_file);
  options->directory_info_file = controls.directory_info_file;
  options->overwrite_existing_files =
      CheckboxToBoolean(controls.overwrite_existing_files);
  options->recurse_subdirectories =
      CheckboxToBoolean(controls.recurse_subfolders);

  options->thumbnails_per_row =
      CapturedNumber(controls, &OptionControls::thumbnails_per_row);
  options->pictures_per_page =
      CapturedNumber(controls, &OptionControls::pictures_per_page);
  options->thumbnail_maximum_width_or_height = CapturedNumber(
      controls, &OptionControls::thumbnail_maximum_width_or_height);
  options->thumbnail_file_prefix = controls.thumbnail_file_prefix;
  options->movie_file_thumbnail_extension =
      controls.movie_file_thumbnail_extension;
  options->include_keyboard_navigation =
      CheckboxToBoolean(controls.include_keyboard_navigation);
  options->include_mid_size_picture =
      CheckboxToBoolean(controls.include_mid_size_picture);
  options->include_picture_files =
      CheckboxToBoolean(controls.include_picture_files);
  options->include_movie_files =
      CheckboxToBoolean(controls.include_movie_files);
  options->create_movie_thumbnails =
      CheckboxToBoolean(controls.create_movie_thumbnails);
  options->create_mid_size_files =
      options->include_mid_size_picture &&
      CheckboxToBoolean(controls.create_mid_size_files);
  options->mid_size_file_prefix = controls.mid_size_file_prefix;
  options->create_web_videos = CheckboxToBoolean(controls.create_web_videos);
  options->sort_by_date_taken = CheckboxToBoolean(controls.sort_by_date_taken);
  options->output_folder = controls.output_folder;
  options->remove_location = CheckboxToBoolean(controls.remove_location);
  options->remove_stale_files = CheckboxToBoolean(controls.remove_stale_files);
  // A window left with a refused address (its rule runs on leaving the
  // box) makes no previews.
  options->gallery_address = IsGalleryAddress(controls.gallery_address)
                                 ? controls.gallery_address
                                 : "";
  options->album_downloads = CheckboxToBoolean(controls.album_downloads);

  MidSizeLimits limits =
      MidSizeLimitsForResolution(controls.target_screen_resolution_index);
  options->mid_size_maximum_width = limits.width;
  options->mid_size_maximum_height = limits.height;

  ExtensionTable& table = options->known_extensions;
  table.Clear();
  table.AddExtensionList(controls.picture_file_extensions, false);
  table.AddExtensionList(controls.movie_file_extensions, true);
  if (table.empty()) table.SetDefaultExtensions();
}

}  // namespace orvanta
