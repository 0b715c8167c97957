// Tests of the option defaults, the capture of the controls with its range
// checks, and the mid-size limits of the target resolutions.
#include "options/options.h"

#include <gtest/gtest.h>

#include "common/error.h"

namespace orvanta {
namespace {

TEST(MidSizeLimitsTest, TableAndFallback) {
  const int expected[][2] = {
      {608, 383}, {760, 485}, {973, 628}, {1216, 791}, {1520, 995}};
  for (int i = 0; i < 5; ++i) {
    MidSizeLimits limits = MidSizeLimitsForResolution(i);
    EXPECT_EQ(limits.width, expected[i][0]) << i;
    EXPECT_EQ(limits.height, expected[i][1]) << i;
  }
  for (int other : {-1, 5, 1000}) {
    EXPECT_EQ(MidSizeLimitsForResolution(other).width, 973);
    EXPECT_EQ(MidSizeLimitsForResolution(other).height, 628);
  }
}

TEST(SetDefaultOptionsTest, DefaultsAndCapture) {
  OptionControls controls;
  controls.include_picture_files = 0;
  controls.include_movie_files = 2;
  controls.overwrite_existing_files = 0;
  controls.picture_file_extensions = "tif";
  controls.thumbnails_per_row = "abc";
  GalleryOptions options;
  options.options_file_name = "other.ini";
  SetDefaultOptions("/opt/orvanta", &controls, &options);

  EXPECT_EQ(controls.input_folder, "/opt/orvanta");
  EXPECT_EQ(controls.overwrite_existing_files, 1);
  EXPECT_EQ(controls.thumbnails_per_row, "4");
  EXPECT_EQ(controls.create_thumbnails_index, 1);
  EXPECT_EQ(controls.target_screen_resolution_index, 1);
  EXPECT_EQ(controls.use_irfanview, 0);
  EXPECT_EQ(controls.irfanview_path,
            "C:\\Program Files\\Irfanview\\I_View32.exe");
  EXPECT_EQ(controls.picture_file_extensions, "jpg, jpeg, gif, png, bmp");
  // The include boxes are left as they were.
  EXPECT_EQ(controls.include_picture_files, 0);
  EXPECT_EQ(controls.include_movie_files, 2);

  EXPECT_EQ(options.options_file_name, "info.ini");
  EXPECT_EQ(options.index_template_path, "/opt/orvanta/IndexTemplate.html");
  EXPECT_EQ(options.mid_size_maximum_width, 760);
  EXPECT_FALSE(options.include_picture_files);
  EXPECT_FALSE(options.include_movie_files);  // grey counts as false
  EXPECT_EQ(options.known_extensions.ExtensionListText(false),
            "jpg,jpeg,gif,png,bmp");
}

struct NumberCase {
  const char* per_row;
  const char* size;
  int32_t expected_per_row;
  int32_t expected_size;
};

TEST(CaptureOptionsTest, NumberBoxesAreRoundedAndRangeChecked) {
  const NumberCase cases[] = {
      {"0", "9", 4, 150},       {"1001", "5000", 4, 5000},
      {"12.5", "10", 12, 10},   {" 13.5 ", "5001", 14, 150},
      {"1", "4999.5", 1, 5000}, {"1000", "-10", 1000, 150},
  };
  OptionControls controls;
  for (const NumberCase& c : cases) {
    controls.thumbnails_per_row = c.per_row;
    controls.thumbnail_maximum_width_or_height = c.size;
    GalleryOptions options;
    CaptureOptions(controls, "/p", &options);
    EXPECT_EQ(options.thumbnails_per_row, c.expected_per_row) << c.per_row;
    EXPECT_EQ(options.thumbnail_maximum_width_or_height, c.expected_size)
        << c.size;
  }
}

TEST(CaptureOptionsTest, NonNumericBoxesFail) {
  OptionControls controls;
  GalleryOptions options;
  controls.thumbnails_per_row = "4x";
  try {
    CaptureOptions(controls, "/p", &options);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), ErrorKind::kTypeMismatch);
  }
  controls.thumbnails_per_row = "4";
  controls.thumbnail_maximum_width_or_height = "3000000000";
  EXPECT_THROW(CaptureOptions(controls, "/p", &options), Error);
}

TEST(CaptureOptionsTest, ListsChecksAndPaths) {
  OptionControls controls;
  controls.index_template_file = "idx.html";
  controls.picture_template_file = "sub/pic.html";
  controls.overwrite_existing_files = 2;
  controls.recurse_subfolders = 1;
  controls.thumbnail_file_prefix = " th_";
  GalleryOptions options;
  const int modes[][2] = {{-1, 1}, {0, 0}, {2, 2}, {3, 1}};
  for (const auto& mode : modes) {
    controls.create_thumbnails_index = mode[0];
    CaptureOptions(controls, "/prog/", &options);
    EXPECT_EQ(options.thumbnail_create_mode, mode[1]) << mode[0];
  }
  EXPECT_EQ(options.index_template_path, "/prog/idx.html");
  EXPECT_EQ(options.picture_template_path, "/prog/sub/pic.html");
  EXPECT_FALSE(options.overwrite_existing_files);
  EXPECT_TRUE(options.recurse_subdirectories);
  EXPECT_EQ(options.thumbnail_file_prefix, " th_");
  for (int index : {2, 7}) {
    controls.target_screen_resolution_index = index;
    CaptureOptions(controls, "/prog", &options);
    EXPECT_EQ(options.mid_size_maximum_width, 973);
    EXPECT_EQ(options.mid_size_maximum_height, 628);
  }
}

TEST(CaptureOptionsTest, ExtensionTableComesFromTheBoxes) {
  OptionControls controls;
  GalleryOptions options;
  options.known_extensions.AddExtensionList("stale", false);
  controls.picture_file_extensions = "tif";
  controls.movie_file_extensions = "mp4; mkv";
  CaptureOptions(controls, "/p", &options);
  EXPECT_EQ(options.known_extensions.ExtensionListText(false), "tif");
  EXPECT_EQ(options.known_extensions.ExtensionListText(true), "mp4,mkv");

  controls.picture_file_extensions = "";
  controls.movie_file_extensions = "";
  CaptureOptions(controls, "/p", &options);
  EXPECT_EQ(options.known_extensions.size(), 7);
  EXPECT_TRUE(options.known_extensions.IsMovieFile("a.avi"));

  controls.movie_file_extensions = "mov";  // one list is enough
  CaptureOptions(controls, "/p", &options);
  EXPECT_EQ(options.known_extensions.size(), 1);
}

}  // namespace
}  // namespace orvanta
